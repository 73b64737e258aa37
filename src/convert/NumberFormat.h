#pragma once
// The one routine by which every writer in the program turns a number into fixed-point text.
//
// The result is what printf's "%.<decimals>f" gives in the C locale (a minus sign for negative
// values, including those that round to zero such as "-0.000"; all integer digits; no exponent;
// always "." as decimal mark), with one difference: a value lying exactly halfway between two
// results is rounded away from zero (2.5 -> "3", 0.125 -> "0.13"), where printf would round it to
// the even neighbour. Only exact binary ties count: 1.0005 is stored as 1.000499999... and gives
// "1.000". The process locale plays no part.
//
// Infinity is written "inf" or "-inf" and a NaN "nan", as printf would in the C locale (the sign of
// a NaN is not written).

#include <string>

namespace halvex {

// decimals: 0 to 17 ("%.f" is 0, "%.3f" is 3, "%f" is 6).
std::string FormatFixed(double value, int decimals);

// As FormatFixed, appending to out without a temporary string.
void AppendFixed(std::string& out, double value, int decimals);

}  // namespace halvex
