#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "upload/TamselBlockPacker.h"
#include "upload/TamselCoordinate.h"
#include "upload/UploadLineScan.h"

namespace halvex {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(FormatTamselCoordinate, SignPaddingWideningAndHalves) {
    // clang-format off
    const std::vector<std::pair<double, std::string>> cases = {
        {123.456, "+000123456"},
        {-0.5, "-000000500"},
        {0.0, "+000000000"},
        {-0.0, "+000000000"},         // negative zero is not below zero
        {1234567.891, "+1234567891"}, // widens past 9 digits
        {1000000.0, "+1000000000"},
        {999999.999, "+999999999"},
        {-12.3456, "-000012346"},
        {-0.0004, "-000000000"},      // sign kept although the digits round to zero
        {0.0625, "+000000063"},       // 62.5 thousandths exactly: up, not to even
        {-0.0625, "-000000063"},
        {1.0625, "+000001063"},
        {0.0004, "+000000000"},
        {7.0, "+000007000"},
    };
    // clang-format on
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(FormatTamselCoordinate(value), expected) << value;
    }
}

TEST(FormatTamselCoordinate, LargeValuesAreWrittenInFullWithoutExponent) {
    // 2^70 times 1000 is exact in binary, so every digit is known.
    EXPECT_EQ(FormatTamselCoordinate(-1180591620717411303424.0), "-1180591620717411303424000");
}

TEST(MakeTamselPointEntry, LaysOutNorthEastHeight) {
    CassPoint point{"P1", "K", 100.5, 200.25, -3.1};
    EXPECT_EQ(MakeTamselPointEntry(point),
              "_+P1" + Blanks(8) + "_ x+000200250_ y+000100500_ z-000003100");
    point.name = "ABCDEFGHIJ";
    EXPECT_EQ(MakeTamselPointEntry(point).substr(0, 15), "_+ABCDEFGHIJ_ x");
    point.name = "ABCDEFGHIJKL";
    EXPECT_EQ(MakeTamselPointEntry(point).size(), 53u);
    point.name = "";
    EXPECT_EQ(MakeTamselPointEntry(point).substr(0, 15), "_+" + Blanks(10) + "_ x");
}

struct PackCase {
    const char* label;
    std::vector<std::string> entries;
    std::vector<std::string> records;
};

TEST(TamselBlockPacker, CutsTheStreamIntoRecordsOf128) {
    const std::string e51(51, 'e');
    const std::string e50(50, 'f');
    // clang-format off
    const std::vector<PackCase> cases = {
        {"nothing", {}, {"_" + Blanks(127)}},
        {"one short entry", {"abc"}, {"abc_" + Blanks(124)}},
        {"127 characters: the closing _ fills the record", {std::string(127, 'x')},
         {std::string(127, 'x') + "_"}},
        {"exactly 128", {std::string(100, 'a'), std::string(28, 'b')},
         {std::string(100, 'a') + std::string(28, 'b'), "_" + Blanks(127)}},
        {"three entries of 51", {e51, e51, e51},
         {e51 + e51 + std::string(26, 'e'), std::string(25, 'e') + "_" + Blanks(102)}},
        {"an entry spanning two boundaries", {std::string(300, 'z')},
         {std::string(128, 'z'), std::string(128, 'z'), std::string(44, 'z') + "_" + Blanks(83)}},
        {"a boundary inside the second entry", {e50, e50, e50},
         {e50 + e50 + std::string(28, 'f'), std::string(22, 'f') + "_" + Blanks(105)}},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string queue = "previous\x02";
        TamselBlockPacker packer(queue);
        for (const auto& entry : c.entries) packer.Append(entry);
        packer.Finish();
        std::string expected = "previous\x02";
        for (const auto& record : c.records) {
            ASSERT_EQ(record.size(), 128u) << c.label;
            expected += record + '\x02';
        }
        EXPECT_EQ(queue, expected) << c.label;
    }
}

struct ScanCase {
    std::string text;
    std::vector<std::string> lines;
};

TEST(ForEachUploadLine, SplitsAtLfAndStopsAtTheFirstEmptyLine) {
    // clang-format off
    const std::vector<ScanCase> cases = {
        {"", {}},
        {"\r\n", {"\r"}},
        {"A\r\n", {"A\r"}},
        {"A\r\nB\r\n", {"A\r", "B\r"}},
        {"A\r\n\r\nB\r\n", {"A\r", "\r", "B\r"}},  // an empty CR LF line still holds its CR
        {"A\nB", {"A"}},                           // text after the last LF is not a line
        {"A\n\nB\n", {"A"}},                       // two LFs in a row end the scan
        {"\nA\n", {}},
        {"A\rB\n", {"A\rB"}},
        {"\x02x\n", {"\x02x"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        ForEachUploadLine(c.text, [&](std::string_view line) {
            lines.emplace_back(line);
            return true;
        });
        EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.text);
    }
}

TEST(ForEachUploadLine, VisitorCanEndTheScan) {
    std::vector<std::string> lines;
    ForEachUploadLine("A\nB\nC\n", [&](std::string_view line) {
        lines.emplace_back(line);
        return line != "B";
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"A", "B"}));
}

}  // namespace
}  // namespace halvex
