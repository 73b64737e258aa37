#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// Needs windows.h before it.
#include <shellapi.h>

#include "common/Win32Text.h"
#include "shared/SystemIo.h"

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace halvex::tool {

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

}  // namespace

void PrepareStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) ::_setmode(fd, _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
    for (int fd = 1; fd <= 2; ++fd) {
        DWORD mode = 0;
        if (::GetConsoleMode(HandleOf(fd), &mode)) {
            ::SetConsoleMode(HandleOf(fd), mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
        }
    }
}

bool IsTerminal(int fd) {
    // _isatty() also says yes for the NUL device; only a console has a console mode.
    DWORD mode = 0;
    return ::GetConsoleMode(HandleOf(fd), &mode) != 0;
}

std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
    if (wide != nullptr) ::LocalFree(wide);
    return arguments;
}

int OpenInputFile(const std::string& path) {
    return ::_wopen(WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int OpenOutputFile(const std::string& path) {
    return ::_wopen(WideFromUtf8(path).c_str(),
                    _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

}  // namespace halvex::tool
