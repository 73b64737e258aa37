#pragma once
// Whole-file reading and writing for halvex-convert, standard streams included ("-").

#include <optional>
#include <string>
#include <string_view>

namespace halvex::tool {

// The file's bytes, or nullopt with the system's reason in error.
std::optional<std::string> ReadAll(const std::string& path, std::string& error);

// Writes all bytes; false with the system's reason in error. A file is replaced only once all its
// bytes are written.
bool WriteAll(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace halvex::tool
