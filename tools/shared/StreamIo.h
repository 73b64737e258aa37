#pragma once
// Whole-file reading and writing for the command-line programs, standard streams included ("-").

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace halvex::tool {

// The file's bytes, or nullopt with the system's reason in error.
std::optional<std::string> ReadAll(const std::string& path, std::string& error);

// Writes all bytes; false with the system's reason in error. A file is replaced only once all its
// bytes are written.
bool WriteAll(const std::string& path, std::string_view bytes, std::string& error);

// An output written piece by piece as it grows (standard output for "-"): a file is opened, and
// emptied, at once, so that one that cannot be written is known before anything else happens.
class GrowingOutput {
public:
    // nullptr, with the system's reason in error, when the file cannot be opened for writing.
    static std::unique_ptr<GrowingOutput> Open(const std::string& path, std::string& error);
    ~GrowingOutput();
    GrowingOutput(const GrowingOutput&) = delete;
    GrowingOutput& operator=(const GrowingOutput&) = delete;

    // Writes all bytes; false with the system's reason in error.
    bool Write(std::string_view bytes, std::string& error);

private:
    explicit GrowingOutput(int fd) : fd_(fd) {}
    int fd_;
};

// "standard input" or "standard output" for "-"; any other path as it is.
std::string DescribePath(const std::string& path, bool input);

// The input file's bytes, all of them. What goes wrong is told through `tell` in one line,
// "cannot read NAME: REASON" (the same words in every program), and nothing is returned.
std::optional<std::string> ReadInput(const std::string& path,
                                     const std::function<void(const std::string&)>& tell);

// The input file as the editor would hold it when opened: read whole and cut before its first
// NUL byte. What goes wrong is told through `tell`, one line each: "cannot read NAME: REASON"
// (nothing is returned then), or "NAME: bytes after the NUL byte at offset N ignored".
std::optional<std::string> ReadAsEditorText(const std::string& path,
                                            const std::function<void(const std::string&)>& tell);

}  // namespace halvex::tool
