#pragma once
// The simulator's subcommands. Each lives in its own source file and is listed once in the table
// in main.cpp.

#include <ostream>
#include <string>
#include <vector>

#include "station/lib/DownloadScript.h"
#include "station/lib/StationOptions.h"

namespace halvex::station {

struct StationCommand {
    const char* name;
    const char* summary;
    // Runs the command with the arguments after its name; returns the exit status.
    int (*run)(const std::vector<std::string>& args);
    void (*printHelp)(std::ostream& out);
};

// A subcommand's own options followed by the shared line options (before the last, "help").
std::vector<OptionDef> WithLineOptions(std::vector<OptionDef> own);
// Reads --family and --protocol; false, after a message on standard error, when either is wrong.
bool ReadFamilyAndProtocol(const ParsedOptions& options, Family& family, bool& ackNak);

int RunStationDownload(const std::vector<std::string>& args);
void PrintDownloadHelp(std::ostream& out);
int RunStationUpload(const std::vector<std::string>& args);
void PrintUploadHelp(std::ostream& out);

}  // namespace halvex::station
