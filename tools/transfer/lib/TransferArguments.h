#pragma once
// The command line of halvex-transfer:
//   download --family NAME [options] [-o FILE]
//   upload KIND FILE [options]
// Options take their value as the next word or after "=" ("--baud 9600", "--baud=9600"), may
// stand before or after the words of the command, and may each be given once. "--" ends the
// options. --help and --version answer at once, whatever else the command line holds. Values
// are checked by the parameter dialog's rules; a refusal names the option and the rule.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "port/CommSettings.h"
#include "upload/UploadCommand.h"

namespace halvex::transfer {

enum class Direction { Download, Upload };

struct TransferArguments {
    bool help = false;
    bool version = false;
    Direction direction = Direction::Download;
    InstrumentFamily family = InstrumentFamily::Tamsel;  // download
    UploadKind uploadKind = UploadKind::TamselCoordinate;
    std::string input;            // upload: the file to send, "-" for standard input
    std::string output = "-";     // download: where the received text goes, "-" standard output
    std::string device;           // --device PATH, opened instead of the port name; empty: none
    CommSettingsValues settings;  // the parameter dialog's defaults, changed by the options
    bool quiet = false;
};

struct NamedUpload {
    std::string_view name;  // "tamsel-coordinate"
    UploadKind kind;
    std::string_view menuItem;  // what the window calls the command
};

// The upload kinds in the order of the Comm menu's commands.
std::span<const NamedUpload> UploadKinds();

// The arguments after the program's name; nothing, with the broken rule in `error`, when they
// do not make a transfer.
std::optional<TransferArguments> ParseTransferArguments(const std::vector<std::string>& args,
                                                        std::string& error);

}  // namespace halvex::transfer
