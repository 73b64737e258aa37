#pragma once
// The one rule by which a coordinate field of a point line (east, north, height) is read, for the
// uploads, the DXF export and the point plot alike. A field runs from just after its comma to the
// next comma or the end of the line. White space around it (blank, tab, CR, LF, vertical tab,
// form feed: the bytes the number rule skips before a number) does not count:
//   - a field of nothing but white space is blank, and reads as 0;
//   - a field that the number rule reads whole is that number: "12.5", " -3e2 ", "12.5\r";
//   - any other field is not a number: "x12.5", "12.5m", "1 2", "1.2.3", "inf", "0x1A".
// A number too large for a double is still a number; it reads as plus or minus infinity.

#include <string>
#include <string_view>

namespace halvex {

enum class CoordinateKind { Blank, Number, NotANumber };

struct CoordinateField {
    CoordinateKind kind = CoordinateKind::Blank;
    // The number, 0 when blank. For a field that is not a number, what the number rule reads at
    // its start; no caller places anything there.
    double value = 0.0;
    // The field without the white space around it; points into the line.
    std::string_view word;

    bool IsNumber() const { return kind == CoordinateKind::Number; }
    // Blank, or a number that fits a double: a value that can be written and drawn.
    bool HasFiniteValue() const;
};

// Reads the field that starts at the beginning of `fieldOnwards` and ends at its first comma.
CoordinateField ReadCoordinateField(std::string_view fieldOnwards);

// Fields 3, 4 and 5 of a point line.
enum class CoordinateName { East, North, Height };

// "the east coordinate "x12.5" is not a number", or, for a number beyond a double's range,
// "the height "1e999" is too large".
std::string DescribeUnusableCoordinate(CoordinateName name, const CoordinateField& field);

}  // namespace halvex
