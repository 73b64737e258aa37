#pragma once
// Brenno point records to a point list, east first (CASS) or north first (NEZ).
//
// The text is scanned in CR lines. A record starts with "08TP" or "02TP" (letters in either
// case) and is blank-filled to 84 or 100 bytes. Name: columns 6 to 19, blanks skipped, up to the
// next blank. North, east and height: numbers read from columns 20, 36 and 52, each as far as it
// goes. Code: from 16 bytes before the record length, blanks skipped, up to the next blank.
// Each record gives "name,code,%.3f,%.3f,%.3f" and CR LF.

#include <string_view>

#include "convert/ConversionResult.h"

namespace halvex {

enum class PointOrder { EastFirst, NorthFirst };

ConversionResult ConvertBrennoPoints(std::string_view text, PointOrder order);

inline ConversionResult ConvertBrennoToCass(std::string_view text) {
    return ConvertBrennoPoints(text, PointOrder::EastFirst);
}
inline ConversionResult ConvertBrennoToNez(std::string_view text) {
    return ConvertBrennoPoints(text, PointOrder::NorthFirst);
}

}  // namespace halvex
