#pragma once
// Command-line options of the simulator's commands, read by the programs' one command-line reader
// (shared/CommandLine.h): "--name value", "--name=value" or a flag "--name", plus the command's
// words. Each command lists the options it knows; the options that choose the line
// (pseudo-terminal or device) are shared.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "shared/CommandLine.h"
#include "station/lib/StationLine.h"

namespace halvex::station {

struct OptionDef {
    std::string name;       // without the leading "--"
    std::string valueName;  // empty for a flag
    std::string help;
};

struct ParsedOptions {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> positional;
    std::string error;  // the first value found malformed

    bool Has(const std::string& name) const { return values.count(name) || flags.count(name); }
    std::string Value(const std::string& name, const std::string& fallback = "") const;
    // A whole non-negative decimal number; nothing when absent; sets `error` when malformed.
    std::optional<std::uint64_t> Number(const std::string& name);
};

// Declares the options on a command of the program's command line.
void DeclareOptions(CLI::App& command, const std::vector<OptionDef>& definitions);
// The options given to `command` once the command line has been read, with its words.
ParsedOptions CollectOptions(const CLI::App& command, std::vector<std::string> words);

// --device PATH, --format BAUD,8N1, --link PATH: where the simulated instrument sits.
const std::vector<OptionDef>& LineOptionSpecs();
// "9600,8N1": the line speed, data bits (7 or 8), parity (N, O or E) and stop bits (1 or 2).
std::optional<DeviceFormat> FormatFromText(const std::string& text);

// Opens the line the options ask for (a new pseudo-terminal unless --device is given), creates
// the --link symbolic link, and prints the device path the program must open on `out` as the
// first line, followed by a hint for HALVEX_COMn on `info`. nullptr (with a message on `info`)
// when that fails.
class OpenedLine {
public:
    ~OpenedLine();
    StationLine& line() { return *line_; }

private:
    friend std::unique_ptr<OpenedLine> OpenLine(ParsedOptions&, std::ostream&, std::ostream&);
    std::unique_ptr<StationLine> line_;
    std::string link_;
};
std::unique_ptr<OpenedLine> OpenLine(ParsedOptions& options, std::ostream& out, std::ostream& info);

}  // namespace halvex::station
