#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/CopyToken.h"
#include "convert/LineScan.h"

namespace halvex {
namespace {

struct TokenCase {
    std::string source;
    std::string word;
};

class CopyTokenTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(CopyTokenTable, CopiesTheWord) {
    EXPECT_EQ(CopyToken(GetParam().source), GetParam().word);
    EXPECT_EQ(TokenAt(GetParam().source), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(
    Words, CopyTokenTable,
    ::testing::Values(TokenCase{"  12.5 m", "12.5"}, TokenCase{",abc", ""},
                      TokenCase{"AB\r", "AB\r"}, TokenCase{"", ""}, TokenCase{"    ", ""},
                      TokenCase{"P1,TREE", "P1"}, TokenCase{"\nP1", ""}, TokenCase{"ab\ncd", "ab"},
                      TokenCase{"\tx y", "\tx"}, TokenCase{"x\x01\xff;", "x\x01\xff;"},
                      TokenCase{std::string(300, 'w'), std::string(300, 'w')}));

std::vector<std::string> CrLines(const std::string& text) {
    std::vector<std::string> lines;
    ForEachCrLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::vector<std::string> LfLines(const std::string& text) {
    std::vector<std::string> lines;
    ForEachLfLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

struct ScanCase {
    std::string text;
    std::vector<std::string> lines;
};

class CrLineTable : public ::testing::TestWithParam<ScanCase> {};
class LfLineTable : public ::testing::TestWithParam<ScanCase> {};

TEST_P(CrLineTable, HandsOverLines) { EXPECT_EQ(CrLines(GetParam().text), GetParam().lines); }
TEST_P(LfLineTable, HandsOverLines) { EXPECT_EQ(LfLines(GetParam().text), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    Scans, CrLineTable,
    ::testing::Values(ScanCase{"A\r\nB\r\nQ", {"A", "B"}}, ScanCase{"A\r\n\r\nB\r\n", {"A"}},
                      ScanCase{"A\nB\n", {}}, ScanCase{"\rA\r", {}},
                      ScanCase{"A\r\rB\r", {"A", "B"}}, ScanCase{"", {}}, ScanCase{"A", {}},
                      ScanCase{"A\r", {"A"}}, ScanCase{"A\r\n\nB\r", {"A", "\nB"}},
                      ScanCase{"A\r\r\rB\r", {"A"}}, ScanCase{"A\rB\rC\r\n", {"A", "B", "C"}},
                      ScanCase{std::string("A\0B\r", 4), {std::string("A\0B", 3)}}));

INSTANTIATE_TEST_SUITE_P(
    Scans, LfLineTable,
    ::testing::Values(ScanCase{"A\r\n\r\n\nB\r\n", {"A\r", "B\r"}}, ScanCase{"\nA\n", {}},
                      ScanCase{"A\nB", {"A"}}, ScanCase{"", {}}, ScanCase{"A", {}},
                      ScanCase{"A\r\r\n", {"A\r\r"}}, ScanCase{"\rA\n", {"\rA"}},
                      ScanCase{"A\nB\nC\n", {"A", "B", "C"}},
                      ScanCase{"A\n\r\r\n\rB\n\r\n", {"A", "B"}}, ScanCase{"A\n\n\n", {"A"}}));

TEST(ForEachLfLine, VisitorReturningFalseEndsTheScan) {
    std::vector<std::string> seen;
    ForEachLfLine("A\nB\nC\n", [&](std::string_view line) {
        seen.emplace_back(line);
        return line != "B";
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));
}

TEST(ForEachCrLine, VisitorReturningFalseEndsTheScan) {
    int visits = 0;
    ForEachCrLine("A\r\nB\r\nC\r\n", [&](std::string_view) { return ++visits < 1; });
    EXPECT_EQ(visits, 1);
}

TEST(LineScans, HandleManyLinesWithoutLoss) {
    std::string text;
    for (int i = 0; i < 50000; ++i) text += "line" + std::to_string(i) + "\r\n";
    const auto cr = CrLines(text);
    const auto lf = LfLines(text);
    ASSERT_EQ(cr.size(), 50000u);
    ASSERT_EQ(lf.size(), 50000u);
    EXPECT_EQ(cr.back(), "line49999");
    EXPECT_EQ(lf.back(), "line49999\r");
}

}  // namespace
}  // namespace halvex
