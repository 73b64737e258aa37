#pragma once
// How the command-line programs meet the system they run on: standard streams that carry bytes
// unchanged, whether a stream is a terminal, the arguments and opening a file by its name. One
// half per platform: SystemIoPosix.cpp and SystemIoWin32.cpp.

#include <string>
#include <vector>

namespace halvex::tool {

// Called first in main. On Windows the standard streams are switched to binary (text mode would
// turn LF into CR LF and stop reading at byte 0x1A) and a console is told to show UTF-8 and the
// progress line's control sequences; on Linux a closed pipe becomes a write error instead of
// ending the program.
void PrepareStandardStreams();

// Whether `fd` is a terminal (a console on Windows), where a user reads and types.
bool IsTerminal(int fd);

// The program's arguments after its name, as UTF-8 (Windows reads its wide command line, so a
// file name outside the code page arrives whole).
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Opens a file for reading by its UTF-8 name: a file descriptor, or -1 with errno set.
int OpenInputFile(const std::string& path);
// Opens a file for writing by its UTF-8 name, made or emptied: a file descriptor, or -1 with
// errno set.
int OpenOutputFile(const std::string& path);

}  // namespace halvex::tool
