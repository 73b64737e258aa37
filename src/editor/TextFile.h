#pragma once
// Reading and writing a document file byte for byte.

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace halvex {

enum class FileReadOutcome {
    Read,        // the bytes are in `bytes`
    CannotOpen,  // missing, no access, not a regular file
    TooLarge,    // more bytes than the capacity
    ReadFailed,  // opened, but reading failed part-way
};

struct FileReadResult {
    FileReadOutcome outcome = FileReadOutcome::CannotOpen;
    std::string bytes;
    QString error;  // the system's description when opening or reading failed
};

// Reads the whole file when it holds at most `capacity` bytes.
FileReadResult ReadTextFile(const QString& path, std::size_t capacity);

struct FileWriteResult {
    bool written = false;
    QString error;
};

// Writes exactly `bytes`, replacing the file only once everything was written, so a failure
// leaves the old file as it was. A device or a pipe is written to in place.
FileWriteResult WriteTextFile(const QString& path, std::string_view bytes);

// The messages shown when a file cannot be opened, read or written.
QString CannotOpenMessage(const QString& path, const QString& error);
QString CannotReadMessage(const QString& path, const QString& error);
QString CannotSaveMessage(const QString& path, const QString& error);

}  // namespace halvex
