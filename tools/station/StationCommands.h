#pragma once
// The simulator's commands. Each lives in its own source file and is listed once in the table
// in main.cpp.

#include <string>
#include <vector>

#include "station/lib/DownloadScript.h"
#include "station/lib/StationOptions.h"

namespace halvex::station {

inline constexpr const char* kStationProgram = "halvex-station";
inline constexpr int kExitLineFault = 1;
// A wrong command line, an input file that cannot be read or an output file that cannot be
// written: nothing has happened on the line yet.
inline constexpr int kExitBadRequest = 2;

struct StationCommand {
    const char* name;
    const char* summary;
    const char* synopsis;
    std::vector<OptionDef> (*options)();
    const char* words;      // what the command's words are called in its help; nullptr: none
    const char* wordsHelp;  // and what they are
    // Runs the command with the options and words given; returns the exit status.
    int (*run)(ParsedOptions& options);
};

// A command's own options followed by the shared line options.
std::vector<OptionDef> WithLineOptions(std::vector<OptionDef> own);
// Reads --family, --protocol and --format; false, with the broken rule in `error`, when one is
// wrong.
bool ReadSharedOptions(const ParsedOptions& options, Family& family, bool& ackNak,
                       std::string& error);
// Prints the refusal of a wrong command line; returns its exit status.
int RefuseCommandLine(const std::string& what);

std::vector<OptionDef> DownloadOptionSpecs();
int RunStationDownload(ParsedOptions& options);
std::vector<OptionDef> UploadOptionSpecs();
int RunStationUpload(ParsedOptions& options);
std::vector<OptionDef> ReplayOptionSpecs();
int RunStationReplay(ParsedOptions& options);

}  // namespace halvex::station
