#pragma once
// The command line of halvex-transfer, read as every command-line program reads its own
// (shared/CommandLine.h):
//   download --family NAME [options] [-o FILE]
//   upload KIND FILE [options]
// Options may stand before or after the words of the command. Values are checked by the
// parameter dialog's rules; a refusal names the option and the rule.

#include <string>
#include <vector>

#include "port/CommSettings.h"
#include "shared/CommandLine.h"
#include "upload/UploadCommand.h"

namespace halvex::transfer {

enum class Direction { Download, Upload };

inline constexpr const char* kTransferProgram = "halvex-transfer";

struct TransferArguments {
    Direction direction = Direction::Download;
    InstrumentFamily family = InstrumentFamily::Tamsel;  // download
    UploadKind uploadKind = UploadKind::TamselCoordinate;
    std::string input;            // upload: the file to send, "-" for standard input
    std::string output = "-";     // download: where the received text goes, "-" standard output
    std::string device;           // --device PATH, opened instead of the port name; empty: none
    std::string trace;            // --trace FILE: where the line trace goes; empty: none
    CommSettingsValues settings;  // the parameter dialog's defaults, changed by the options
    bool quiet = false;
};

struct TransferCommandLine {
    tool::CommandLineReading reading;  // Wrong, with the broken rule, when they make no transfer
    TransferArguments arguments;       // when the reading says Run
};

// The arguments after the program's name.
TransferCommandLine ReadTransferCommandLine(const std::vector<std::string>& args);

}  // namespace halvex::transfer
