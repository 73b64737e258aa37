#pragma once
// Reading a document file byte for byte, and the messages of failed opens, reads and saves. Saving
// goes through the one file-writing routine of the core (convert/FileWrite.h).

#include <QString>
#include <cstddef>
#include <string>

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

// The messages shown when a file cannot be opened, read or written.
QString CannotOpenMessage(const QString& path, const QString& error);
QString CannotReadMessage(const QString& path, const QString& error);
QString CannotSaveMessage(const QString& path, const QString& error);

}  // namespace halvex
