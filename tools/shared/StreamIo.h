#pragma once
// Whole-file reading and writing for the command-line programs, standard streams included ("-").

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halvex::tool {

// The file's bytes, or nullopt with the system's reason in error.
std::optional<std::string> ReadAll(const std::string& path, std::string& error);

// Writes all bytes; false with the system's reason in error. A file is replaced only once all its
// bytes are written.
bool WriteAll(const std::string& path, std::string_view bytes, std::string& error);

// A file opened in the editor ends before its first NUL byte, which the editor cannot hold: cuts
// `bytes` there and returns the NUL's offset, or nothing when there is none.
std::optional<std::size_t> CutAtNul(std::string& bytes);

}  // namespace halvex::tool
