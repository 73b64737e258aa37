#pragma once
// The messages of the conversion commands and the DXF export, in the program's own words.

namespace halvex {

inline constexpr const char* kTransformFailedMessage = "Transform failed";
inline constexpr const char* kWrongFormatMessage = "The file has wrong format";
inline constexpr const char* kNotCassMessage = "The file is not CASS DAT format";
// Followed by the number of exported points and " points".
inline constexpr const char* kDxfSuccessPrefix = "Successfully transformed ";

}  // namespace halvex
