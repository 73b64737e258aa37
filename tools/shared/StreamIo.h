#pragma once
// Whole-file reading and writing for the command-line programs, standard streams included ("-").

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace halvex::tool {

// The file's bytes, or nullopt with the system's reason in error.
std::optional<std::string> ReadAll(const std::string& path, std::string& error);

// Writes all bytes; false with the system's reason in error. A file is replaced only once all its
// bytes are written.
bool WriteAll(const std::string& path, std::string_view bytes, std::string& error);

// "standard input" or "standard output" for "-"; any other path as it is.
std::string DescribePath(const std::string& path, bool input);

// The input file as the editor would hold it when opened: read whole and cut before its first
// NUL byte. What goes wrong is told through `tell`, one line each: "cannot read NAME: REASON"
// (nothing is returned then), or "NAME: bytes after the NUL byte at offset N ignored".
std::optional<std::string> ReadAsEditorText(const std::string& path,
                                            const std::function<void(const std::string&)>& tell);

}  // namespace halvex::tool
