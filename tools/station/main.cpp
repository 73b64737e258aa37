// halvex-station: a total station on the other end of a serial line, for trying and testing
// Halvex's transfers without an instrument.

#include <iostream>
#include <string>
#include <vector>

#include "StationCommands.h"
#include "common/Version.h"

namespace {

using halvex::station::StationCommand;

const StationCommand kCommands[] = {
    {"download", "send a file to the computer as an instrument's download",
     halvex::station::RunStationDownload, halvex::station::PrintDownloadHelp},
    {"upload", "receive an upload from the computer as the instrument would",
     halvex::station::RunStationUpload, halvex::station::PrintUploadHelp},
};

void PrintUsage(std::ostream& out, bool withOptions) {
    out << "usage: halvex-station COMMAND [options]\n\n"
           "Plays a total station on a new pseudo-terminal (or on --device), prints the device\n"
           "path to point HALVEX_COM1..HALVEX_COM6 at, and talks as the instrument would.\n\n"
           "commands:\n";
    for (const StationCommand& command : kCommands) {
        out << "  " << command.name << "  " << command.summary << "\n";
    }
    out << "\noptions:\n"
           "  --help     print this help and exit\n"
           "  --version  print the program's name and version and exit\n";
    if (!withOptions) {
        out << "\nRun 'halvex-station COMMAND --help' for a command's options.\n";
        return;
    }
    for (const StationCommand& command : kCommands) {
        out << "\n";
        command.printHelp(out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintUsage(std::cerr, false);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(std::cout, true);
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << halvex::VersionLine("halvex-station");
        return 0;
    }
    for (const StationCommand& command : kCommands) {
        if (args[0] == command.name) {
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
        }
    }
    std::cerr << "halvex-station: unknown command '" << args[0] << "'\n";
    PrintUsage(std::cerr, false);
    return 2;
}
