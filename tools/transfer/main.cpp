// halvex-transfer: the window's downloads and uploads from the command line, for scripts.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "common/Version.h"
#include "transfer/lib/TransferArguments.h"
#include "transfer/lib/TransferRun.h"

namespace {

void PrintUsage(std::FILE* to) {
    std::fputs(
        "Usage: halvex-transfer download --family NAME [options] [-o FILE]\n"
        "       halvex-transfer upload KIND FILE [options]\n"
        "Runs a download or upload of the Comm menu over a serial port, exchanging exactly the\n"
        "bytes the window would. Messages and prompts go to standard error; when standard input\n"
        "is a terminal, a prompt waits for Enter.\n\n"
        "Commands:\n"
        "  download                   receive the instrument's data into FILE or standard output\n"
        "  upload                     send FILE (\"-\": standard input) as the upload KIND "
        "would\n\n"
        "A download writes the text the editor would hold afterwards, also after a time-out, a\n"
        "failure or a stop. An upload echoes each sent record to standard output.\n\n"
        "Upload kinds:\n",
        to);
    for (const halvex::transfer::NamedUpload& kind : halvex::transfer::UploadKinds()) {
        std::fprintf(to, "  %-26.*s as %.*s\n", static_cast<int>(kind.name.size()),
                     kind.name.data(), static_cast<int>(kind.menuItem.size()),
                     kind.menuItem.data());
    }
    std::fputs(
        "\nOptions (defaults as in the Parameter dialog):\n"
        "  --family NAME              download: tamsel, brenno or corvane\n"
        "  -o FILE, --output FILE     download: write the text to FILE\n"
        "  --port COMn                COM1 to COM6 (COM1), mapped as in the window: HALVEX_COMn,\n"
        "                             then the device chosen in Serial Ports, then /dev/ttyS0..5\n"
        "  --device PATH              open PATH instead of a port name\n"
        "  --protocol NAME            none or acknak (none)\n"
        "  --baud RATE                1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200 "
        "(1200)\n"
        "  --data BITS                7 or 8 (8)\n"
        "  --parity NAME              none, odd or even (none)\n"
        "  --stop BITS                1 or 2 (1)\n"
        "  --timeout SECONDS          longest wait for a byte, 1 to 1000 (10)\n"
        "  --delay MS                 pause after each record sent without a handshake, 1 to\n"
        "                             1000 (800)\n"
        "  -q, --quiet                no progress line on the terminal\n"
        "  --                         end of the options\n"
        "  -h, --help                 print this help and exit\n"
        "  --version                  print the program's name and version and exit\n"
        "\nExit status: 0 completed, 1 failed, 2 wrong command line, 130 stopped by Ctrl+C\n"
        "(143 by SIGTERM).\n",
        to);
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe is reported as a write error
    std::string error;
    const auto args = halvex::transfer::ParseTransferArguments(
        std::vector<std::string>(argv + 1, argv + argc), error);
    if (!args) {
        std::fprintf(stderr, "halvex-transfer: %s\n", error.c_str());
        std::fputs("Run 'halvex-transfer --help' for the commands and options.\n", stderr);
        return halvex::transfer::kExitUsage;
    }
    if (args->help) {
        PrintUsage(stdout);
        return 0;
    }
    if (args->version) {
        std::fputs(halvex::VersionLine("halvex-transfer").c_str(), stdout);
        return 0;
    }
    return halvex::transfer::RunTransfer(*args);
}
