#include <gtest/gtest.h>

#include <string>

#include "convert/BrennoConversion.h"
#include "convert/DulmarConversion.h"
#include "convert/TamselCassConversion.h"
#include "convert/TamselPcodeConversion.h"

namespace halvex {
namespace {

// A Tamsel data line: the text padded with blanks to 128 characters.
std::string Record(std::string text) {
    text.resize(128, ' ');
    return text + "\r\n";
}

TEST(ConversionFailure, EachConversionSaysWhatItFoundMissing) {
    const struct {
        ConversionResult result;
        const char* said;
    } cases[] = {
        {ConvertTamselToCass("xyz"), "No line ends with LF"},
        {ConvertDulmarToCass("\r\nP,1,2,3,C\r\n"), "The text begins with an empty line"},
        {ConvertTamselToCass("xyz\r\n_+P1_ x1_ y2_ z3_\r\n"), "128 characters of a Tamsel"},
        {ConvertTamselToCass(Record("xyz")), "No field marker \"_\""},
        {ConvertTamselToCass(Record("xyz _+P1_ x+1_ y+2_")), "before the first point is complete"},
        {ConvertTamselPcode(Record("_005TREE_")), "and a colon"},
        {ConvertTamselPcode(Record(":005TREE")), "No field marker \"_\""},
        {ConvertTamselPcode(Record("_:01_ROAD_")), "No field holds a code entry"},
        {ConvertBrennoToCass("08TQ A\r\n\r\n08TP B\r\n"),
         "record tag 08TP or 02TP. Lines are read"},
        {ConvertDulmarToCass("A,1,2,3\r\n"), "four commas of a Dulmar point line"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.result.produced);
        EXPECT_NE(c.result.failure.find(c.said), std::string::npos) << c.result.failure;
    }
}

}  // namespace
}  // namespace halvex
