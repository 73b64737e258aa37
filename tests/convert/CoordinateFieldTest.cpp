#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "convert/CoordinateField.h"

namespace halvex {
namespace {

TEST(ReadCoordinateField, IsBlankANumberReadWholeOrNotANumber) {
    for (const char* blank : {"", " \t\r", ",12"})
        EXPECT_EQ(ReadCoordinateField(blank).kind, CoordinateKind::Blank) << blank;
    const std::pair<const char*, double> numbers[] = {
        {" 12.5 ", 12.5}, {"12.5\r", 12.5}, {"\t-3e2\t,x", -300}, {"+.5", 0.5}};
    for (const auto& [text, value] : numbers) {
        const CoordinateField field = ReadCoordinateField(text);
        EXPECT_TRUE(field.IsNumber()) << text;
        EXPECT_EQ(field.value, value) << text;
    }
    EXPECT_EQ(ReadCoordinateField("\t-3e2\t,x").word, "-3e2");
    for (const char* word : {"x12.5", "12.5m", "1 2", "1.2.3", "inf", "0x1A", "-", "5e"}) {
        const CoordinateField field = ReadCoordinateField(word);
        EXPECT_EQ(field.kind, CoordinateKind::NotANumber) << word;
        EXPECT_EQ(field.word, word);
    }
}

TEST(ReadCoordinateField, ANumberBeyondADoubleHasNoFiniteValue) {
    const CoordinateField huge = ReadCoordinateField("-1e999");
    EXPECT_TRUE(huge.IsNumber());
    EXPECT_FALSE(huge.HasFiniteValue());
    EXPECT_TRUE(ReadCoordinateField(" ").HasFiniteValue());
    EXPECT_FALSE(ReadCoordinateField("x").HasFiniteValue());
    EXPECT_EQ(DescribeUnusableCoordinate(CoordinateName::Height, huge),
              "the height \"-1e999\" is too large");
    EXPECT_EQ(DescribeUnusableCoordinate(CoordinateName::North, ReadCoordinateField("x,1")),
              "the north coordinate \"x\" is not a number");
}

}  // namespace
}  // namespace halvex
