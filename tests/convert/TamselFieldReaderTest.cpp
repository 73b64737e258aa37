#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/TamselFieldReader.h"

namespace halvex {
namespace {

// Feeds each line and collects the fields delivered after each one.
std::vector<std::vector<std::string>> FeedAll(TamselFieldReader& reader,
                                              const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> delivered;
    for (const std::string& line : lines) {
        delivered.emplace_back();
        reader.Feed(line, [&](std::string_view field) { delivered.back().emplace_back(field); });
    }
    return delivered;
}

struct FeedCase {
    std::string title;
    std::vector<std::string> lines;
    std::vector<std::vector<std::string>> fields;
    std::string carry;
};

class TamselFieldReaderTable : public ::testing::TestWithParam<FeedCase> {};

TEST_P(TamselFieldReaderTable, DeliversCompleteFieldsAndCarriesTheRest) {
    TamselFieldReader reader;
    EXPECT_EQ(FeedAll(reader, GetParam().lines), GetParam().fields);
    EXPECT_EQ(reader.Carry(), GetParam().carry);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, TamselFieldReaderTable,
    ::testing::Values(
        FeedCase{"TextBeforeFirstUnderscoreIsDropped", {"head_a_b_c"}, {{"a", "b"}}, "_c"},
        FeedCase{"FieldJoinedAcrossBlocks", {"_a_b", "c_d_"}, {{"a"}, {"bc", "d"}}, "_"},
        FeedCase{"EmptyFields", {"___x"}, {{"", ""}}, "_x"},
        FeedCase{"BlockWithoutUnderscoreBeforeTheStreamIsDropped",
                 {"no fields here", "xx_a_b"},
                 {{}, {"a"}},
                 "_b"},
        FeedCase{"BlocksWithoutUnderscoreGrowTheOpenField",
                 {"_a", "bc", "de", "f_g"},
                 {{}, {}, {}, {"abcdef"}},
                 "_g"},
        FeedCase{"EmptyBlocks", {"", "_a", "", "_"}, {{}, {}, {}, {"a"}}, "_"},
        FeedCase{"ClosingUnderscoreAndBlanksAreNotAField", {"_a_b_    "}, {{"a", "b"}}, "_    "}),
    [](const auto& info) { return info.param.title; });

TEST(TamselFieldReader, TakesOnlyTheFirst128BytesOfALine) {
    TamselFieldReader reader;
    const std::string line = "_" + std::string(126, 'a') + "_" + "_ignored_";
    const auto fields = FeedAll(reader, {line});
    ASSERT_EQ(fields[0].size(), 1u);
    EXPECT_EQ(fields[0][0], std::string(126, 'a'));
    EXPECT_EQ(reader.Carry(), "_");
}

TEST(TamselFieldReader, ALongRunWithoutUnderscoreBecomesOneField) {
    TamselFieldReader reader;
    std::vector<std::string> lines{"_" + std::string(127, 'x')};
    for (int i = 0; i < 20000; ++i) lines.push_back(std::string(128, 'y'));
    lines.push_back("z_" + std::string(126, ' '));
    const auto fields = FeedAll(reader, lines);
    ASSERT_EQ(fields.back().size(), 1u);
    EXPECT_EQ(fields.back()[0].size(), 127u + 20000u * 128u + 1u);
    EXPECT_EQ(fields.back()[0].substr(0, 3), "xxx");
    EXPECT_EQ(fields.back()[0].back(), 'z');
    EXPECT_EQ(reader.Carry(), "_" + std::string(126, ' '));
}

}  // namespace
}  // namespace halvex
