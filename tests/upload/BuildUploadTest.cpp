#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "upload/CodeListRecords.h"
#include "upload/UploadCommand.h"

namespace halvex {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

std::string Queue(const std::vector<std::string>& records) {
    std::string queue;
    for (const auto& record : records) queue += record + '\x02';
    return queue;
}

struct BuildCase {
    const char* label;
    UploadKind kind;
    std::string text;
    std::vector<std::string> records;
};

const std::string kEntryP1 = "_+P1" + Blanks(8) + "_ x+000200250_ y+000100500_ z-000003100";

TEST(BuildUpload, TamselCoordinateRecords) {
    const std::string e51 = kEntryP1;
    // clang-format off
    const std::vector<BuildCase> cases = {
        {"empty editor", UploadKind::TamselCoordinate, "", {"_" + Blanks(127)}},
        {"one point", UploadKind::TamselCoordinate, "P1,,100.5,200.25,-3.1",
         {kEntryP1 + "_" + Blanks(76)}},
        {"one point with CR LF", UploadKind::TamselCoordinate, "P1,K,100.5,200.25,-3.1\r\n",
         {kEntryP1 + "_" + Blanks(76)}},
        {"three points", UploadKind::TamselCoordinate,
         "P1,,100.5,200.25,-3.1\r\nP1,,100.5,200.25,-3.1\r\nP1,,100.5,200.25,-3.1\r\n",
         {e51 + e51 + e51.substr(0, 26), e51.substr(26) + "_" + Blanks(102)}},
        {"lines that are not points are skipped", UploadKind::TamselCoordinate,
         "Name,Code,E,N,H,X\r\nP1,,100.5,200.25,-3.1\r\nA,B,1,2\r\n\r\nremark\r\n"
         "P1,,100.5,200.25,-3.1\r\n",
         {e51 + e51 + "_" + Blanks(25)}},
        {"names: inner blank, only blanks, underscore and plus", UploadKind::TamselCoordinate,
         "A 1,,0,0,0\r\n   ,,0,0,0\r\n",
         {"_+A" + Blanks(9) + "_ x+000000000_ y+000000000_ z+000000000" + "_+" + Blanks(10) +
              "_ x+000000000_ y+000000000_ z+000000000_" + Blanks(25)}},
        {"underscore and plus are not filtered", UploadKind::TamselCoordinate, "a_+b,,,,\r\n",
         {"_+a_+b" + Blanks(6) + "_ x+000000000_ y+000000000_ z+000000000_" + Blanks(76)}},
        {"LF line ends stop at an empty line", UploadKind::TamselCoordinate,
         "P1,,100.5,200.25,-3.1\n\nP2,,1,2,3\n", {kEntryP1 + "_" + Blanks(76)}},
        {"wide coordinates move the boundaries", UploadKind::TamselCoordinate,
         "W,,1000000,2000000,3000000\r\nW,,1000000,2000000,3000000\r\nW,,1000000,2000000,3000000",
         {[] {
              std::string e = "_+W" + Blanks(9) + "_ x+2000000000_ y+1000000000_ z+3000000000";
              return e + e + e.substr(0, 20);
          }(),
          [] {
              std::string e = "_+W" + Blanks(9) + "_ x+2000000000_ y+1000000000_ z+3000000000";
              return e.substr(20) + "_" + Blanks(93);
          }()}},
    };
    // clang-format on
    for (const auto& c : cases) {
        UploadBuild build = BuildUpload(c.kind, c.text, Handshake::AckNak);
        EXPECT_FALSE(build.Refused()) << c.label << ": " << build.refusal;
        EXPECT_EQ(build.queue, Queue(c.records)) << c.label;
        EXPECT_EQ(build.siteHeader, 1) << c.label;
        EXPECT_EQ(build.family, InstrumentFamily::Tamsel) << c.label;
    }
}

TEST(BuildUpload, BrennoAndCorvaneCoordinateRecords) {
    // clang-format off
    const std::vector<BuildCase> cases = {
        {"Brenno example", UploadKind::BrennoCoordinate, "P1,K,100.5,200.25,-3.1\r\n",
         {"/Dg 200.250,100.500,-3.100,P1"}},
        {"Brenno large coordinate", UploadKind::BrennoCoordinate, "P,,1,2545000.1234,0",
         {"/Dg 2545000.123,1.000,0.000,P"}},
        {"Brenno exact half rounds away from zero", UploadKind::BrennoCoordinate,
         "P,,0.0625,-0.0625,\r\n", {"/Dg -0.063,0.063,0.000,P"}},
        {"Brenno skips non-points and keeps order", UploadKind::BrennoCoordinate,
         "title\r\nB,,1,2,3\r\nA,B,1,2,3,4\r\nA,,4,5,6\r\n",
         {"/Dg 2.000,1.000,3.000,B", "/Dg 5.000,4.000,6.000,A"}},
        {"Brenno empty editor", UploadKind::BrennoCoordinate, "", {}},
        {"Corvane example", UploadKind::CorvaneCoordinate, "P1,K,100.5,200.25,-3.1\r\n",
         {"P1,100.5000,200.2500,-3.1000,K"}},
        {"Corvane empty code", UploadKind::CorvaneCoordinate, "P2,,1,2,3\r\n",
         {"P2,1.0000,2.0000,3.0000,"}},
        {"Corvane words end at blanks", UploadKind::CorvaneCoordinate, "  P 7 , K 9 ,1,2,3\r\n",
         {"P,1.0000,2.0000,3.0000,K"}},
        {"Corvane exact half", UploadKind::CorvaneCoordinate, "P,C,0.03125,0,0\r\n",
         {"P,0.0313,0.0000,0.0000,C"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        UploadBuild build = BuildUpload(c.kind, c.text, Handshake::AckNak);
        EXPECT_FALSE(build.Refused()) << c.label << ": " << build.refusal;
        EXPECT_EQ(build.queue, Queue(c.records)) << c.label;
        EXPECT_EQ(build.siteHeader, 1) << c.label;
        EXPECT_EQ(build.family, c.kind == UploadKind::BrennoCoordinate ? InstrumentFamily::Brenno
                                                                       : InstrumentFamily::Corvane)
            << c.label;
    }
}

TEST(MakeTamselCodeEntry, NumberAndTextFields) {
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"5,TREE", "_:005TREE" + Blanks(6)},
        {"12,BUILDINGCORNER", "_:012BUILDINGCO"},
        {"60,ROAD", "_:050ROAD" + Blanks(6)},
        {"50,ROAD", "_:050ROAD" + Blanks(6)},
        {"A,ROAD", "_:000ROAD" + Blanks(6)},
        {"7, Fence", "_:007 Fence" + Blanks(4)},
        {"5,TREE,OLD", "_:005TREE,OLD" + Blanks(2)},
        {"-3,X", "_:0-3X" + Blanks(9)},
        {"-100,ABC", "_:-100ABC" + Blanks(7)},
        {"-100,ABCDEFGHIJK", "_:-100ABCDEFGHI"},
        {"5,", "_:005" + Blanks(10)},
        {"5,0123456789", "_:0050123456789"},
        {"99999999999,X", "_:050X" + Blanks(9)},
        {"-99999999999,X", "_:-2147483648X" + Blanks(9)},
        {"no comma", ""},
    };
    // clang-format on
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(MakeTamselCodeEntry(line), expected) << line;
}

TEST(MakeBrennoCodeRecord, FieldsBlanksAndLimits) {
    std::string many;
    for (int i = 1; i <= 45; ++i) many += (i > 1 ? "," : "") + std::to_string(i);
    std::string first40 = "/Dh ";
    for (int i = 1; i <= 40; ++i) first40 += (i > 1 ? "," : "") + std::to_string(i);
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"TREE, POLE ,WELL", "/Dh TREE,POLE,WELL"},
        {"A, ,B", "/Dh A,B"},
        {"A,B,", "/Dh A,B"},
        {"A,,B", "/Dh A,,B"},
        {",A", "/Dh ,A"},
        {"A,,B,C,D,E,F,G,H,I", "/Dh A,,B,C,D,E,F,G,H"},
        {"ABCDEFGHIJKLMNOPQRS", "/Dh ABCDEFGHIJKLMN"},
        {"A\tB,C", "/Dh A\tB,C"},
        {"   ", "/Dh "},
        {many, first40},
    };
    // clang-format on
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(MakeBrennoCodeRecord(line), expected) << line;
    }
}

TEST(BuildUpload, CodeListAndOtherDataQueues) {
    const std::string entry = "_:005TREE" + Blanks(6);
    std::string nine;
    for (int i = 0; i < 9; ++i) nine += "5,TREE\r\n";
    std::string eightEntries;
    for (int i = 0; i < 8; ++i) eightEntries += entry;
    // clang-format off
    const std::vector<BuildCase> cases = {
        {"Tamsel codes, empty editor", UploadKind::TamselCodeList, "", {"_" + Blanks(127)}},
        {"Tamsel codes, no comma", UploadKind::TamselCodeList, "TREE\r\nPOLE\r\n",
         {"_" + Blanks(127)}},
        {"Tamsel codes, nine entries", UploadKind::TamselCodeList, nine,
         {eightEntries + entry.substr(0, 8), entry.substr(8) + "_" + Blanks(120)}},
        {"Brenno codes", UploadKind::BrennoCodeList, "TREE, POLE ,WELL\r\n\r\nA,,B\r\n",
         {"/Dh TREE,POLE,WELL", "/Dh A,,B"}},
        {"Brenno codes, empty editor", UploadKind::BrennoCodeList, "", {}},
        {"other data", UploadKind::OtherData, "ALIGN 1\r\nR 2.5\r\n", {"ALIGN 1", "R 2.5", ""}},
        {"other data without final line end", UploadKind::OtherData, "A\r\nB", {"A", "B"}},
        {"other data, empty line", UploadKind::OtherData, "A\r\n\r\nB", {"A", "", "B"}},
        {"other data, empty editor", UploadKind::OtherData, "", {""}},
        {"other data keeps inner CRs out", UploadKind::OtherData, "A\rB\r\n", {"AB", ""}},
    };
    // clang-format on
    for (const auto& c : cases) {
        UploadBuild build = BuildUpload(c.kind, c.text, Handshake::AckNak);
        EXPECT_FALSE(build.Refused()) << c.label << ": " << build.refusal;
        EXPECT_EQ(build.queue, Queue(c.records)) << c.label;
        EXPECT_EQ(build.siteHeader, 0) << c.label;
    }
    EXPECT_EQ(BuildUpload(UploadKind::TamselCodeList, "", Handshake::None).family,
              InstrumentFamily::Tamsel);
    EXPECT_EQ(BuildUpload(UploadKind::BrennoCodeList, "", Handshake::None).family,
              InstrumentFamily::Brenno);
    EXPECT_EQ(BuildUpload(UploadKind::OtherData, "", Handshake::None).family,
              InstrumentFamily::Corvane);
}

struct LimitCase {
    const char* label;
    UploadKind kind;
    std::string text;
    std::string refusal;  // empty: accepted
};

std::string Fields(int count, std::size_t width) {
    std::string line;
    for (int i = 0; i < count; ++i) line += (i ? "," : "") + std::string(width, 'F');
    return line;
}

TEST(BuildUpload, RefusesWhatTheInstrumentCannotTakeNamingTheLine) {
    const std::string name31(31, 'N'), name32(32, 'N'), word51(51, 'W'), word52(52, 'W');
    const std::string limit31 = "the point name is longer than 31 characters";
    const std::string limit51 = "the point name is longer than 51 characters";
    // clang-format off
    const std::vector<LimitCase> cases = {
        {"Tamsel name of 31", UploadKind::TamselCoordinate, "A,,1,2,3\r\n" + name31 + ",,1,2,3", ""},
        {"Tamsel name of 32", UploadKind::TamselCoordinate, "A,,1,2,3\r\n" + name32 + ",,1,2,3",
         "Line 2 cannot be uploaded: " + limit31 + ". Nothing was sent."},
        {"Tamsel coordinate below 1e24", UploadKind::TamselCoordinate, "A,,9.99e23,0,0", ""},
        {"Tamsel coordinate of 1e24", UploadKind::TamselCoordinate, "t\r\nA,,0,-1e24,0",
         "Line 2 cannot be uploaded: a coordinate is too large for the instrument. Nothing was "
         "sent."},
        {"Tamsel coordinate out of range", UploadKind::TamselCoordinate, "A,,0,0,1e999",
         "Line 1 cannot be uploaded: a coordinate is too large for the instrument. Nothing was "
         "sent."},
        {"lines after a refused one do not matter", UploadKind::TamselCoordinate,
         name32 + ",,1,2,3\r\n" + name32 + ",,1,2,3",
         "Line 1 cannot be uploaded: " + limit31 + ". Nothing was sent."},
        {"a long name on a skipped line", UploadKind::TamselCoordinate, name32 + ",,1,2", ""},
        {"Brenno name of 51", UploadKind::BrennoCoordinate, word51 + "," + word52 + ",1,2,3", ""},
        {"Brenno name of 52", UploadKind::BrennoCoordinate, word52 + ",,1,2,3",
         "Line 1 cannot be uploaded: " + limit51 + ". Nothing was sent."},
        {"Brenno 40 integer digits", UploadKind::BrennoCoordinate, "A,,9.9e39,1,2", ""},
        {"Brenno 41 integer digits", UploadKind::BrennoCoordinate, "A,,1,1e40,2",
         "Line 1 cannot be uploaded: a coordinate has more than 40 digits before the decimal "
         "point. Nothing was sent."},
        {"Corvane code of 51", UploadKind::CorvaneCoordinate, word51 + "," + word51 + ",1,2,3", ""},
        {"Corvane code of 52", UploadKind::CorvaneCoordinate, "x\r\ny\r\nA," + word52 + ",1,2,3",
         "Line 3 cannot be uploaded: the code is longer than 51 characters. Nothing was sent."},
        {"Corvane 41 integer digits", UploadKind::CorvaneCoordinate, "A,,1,1,-1e40",
         "Line 1 cannot be uploaded: a coordinate has more than 40 digits before the decimal "
         "point. Nothing was sent."},
        {"Tamsel coordinate that is not a number", UploadKind::TamselCoordinate,
         "P1,,1,2,3\r\n5,,x12.5,250.000,10.000\r\n",
         "Line 2 cannot be uploaded: the east coordinate \"x12.5\" is not a number. Nothing was "
         "sent."},
        {"Brenno height that is not a number", UploadKind::BrennoCoordinate, "A,,1,2,3 m\r\n",
         "Line 1 cannot be uploaded: the height \"3 m\" is not a number. Nothing was sent."},
        {"Brenno code record of 253", UploadKind::BrennoCodeList, Fields(16, 14) + ",123456789",
         ""},
        {"Brenno code record of 254", UploadKind::BrennoCodeList, Fields(16, 14) + ",1234567890",
         "Line 1 cannot be uploaded: the record would be longer than 253 characters. Nothing was "
         "sent."},
        {"other data of 255", UploadKind::OtherData, std::string(255, 'x') + "\r\n", ""},
        {"other data of 256", UploadKind::OtherData, "ok\r\n" + std::string(256, 'x') + "\r\n",
         "Line 2 cannot be uploaded: the record would be longer than 255 characters. Nothing was "
         "sent."},
        {"other data split by 0x02", UploadKind::OtherData,
         std::string(200, 'x') + "\x02" + std::string(200, 'y'), ""},
        {"other data after an empty line is never sent", UploadKind::OtherData,
         "ok\r\n\r\n" + std::string(256, 'x'), ""},
        {"other data after an empty piece is never sent", UploadKind::OtherData,
         "ok\x02\r\n" + std::string(256, 'x') + "\r\n" + std::string(300, 'y'), ""},
        {"other data ending in an empty piece", UploadKind::OtherData,
         std::string(256, 'x') + "\x02\r\n",
         "Line 1 cannot be uploaded: the record would be longer than 255 characters. Nothing was "
         "sent."},
        {"Tamsel code text beyond 240", UploadKind::TamselCodeList, "5," + std::string(300, 'c'),
         ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        UploadBuild build = BuildUpload(c.kind, c.text, Handshake::AckNak);
        EXPECT_EQ(build.refusal, c.refusal) << c.label;
        if (!c.refusal.empty()) {
            EXPECT_EQ(build.queue, "") << c.label;
        } else {
            EXPECT_NE(build.queue, "") << c.label;
        }
    }
}

TEST(BuildUpload, BrennoCodeRecordsFitTheHandshakeInForceAndRecordsKnowTheirLines) {
    const std::string record254 = Fields(16, 14) + ",1234567890";
    const std::string record255 = record254 + "1";
    const std::string text = "5,TREE\r\n\r\n" + record254 + "\r\n" + record255 + "\r\n";
    const UploadBuild none = BuildUpload(UploadKind::BrennoCodeList, text, Handshake::None);
    EXPECT_FALSE(none.Refused()) << none.refusal;
    EXPECT_EQ(none.recordLines, (std::vector<std::size_t>{1, 3, 4}));
    EXPECT_EQ(
        BuildUpload(UploadKind::BrennoCodeList, text + record255 + "2", Handshake::None).refusal,
        "Line 5 cannot be uploaded: the record would be longer than 255 characters. "
        "Nothing was sent.");
    EXPECT_EQ(BuildUpload(UploadKind::BrennoCodeList, text, Handshake::AckNak).refusal,
              "Line 3 cannot be uploaded: the record would be longer than 253 characters. "
              "Nothing was sent.");
}

}  // namespace
}  // namespace halvex
