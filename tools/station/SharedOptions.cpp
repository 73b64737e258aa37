// The options that both commands read the same way.

#include <iostream>

#include "StationCommands.h"
#include "shared/CommandLine.h"

namespace halvex::station {

std::vector<OptionDef> WithLineOptions(std::vector<OptionDef> own) {
    const auto& line = LineOptionSpecs();
    own.insert(own.end(), line.begin(), line.end());
    return own;
}

bool ReadSharedOptions(const ParsedOptions& options, Family& family, bool& ackNak,
                       std::string& error) {
    const auto named = FamilyFromName(options.Value("family"));
    const std::string protocol = options.Value("protocol", "none");
    if (!named) {
        error = "--family must be tamsel, brenno or corvane";
        return false;
    }
    if (protocol != "none" && protocol != "acknak") {
        error = "--protocol must be none or acknak";
        return false;
    }
    if (options.Has("format") && !FormatFromText(options.Value("format"))) {
        error = "--format must look like 9600,8N1";
        return false;
    }
    family = *named;
    ackNak = protocol == "acknak";
    return true;
}

int RefuseCommandLine(const std::string& what) {
    std::cerr << tool::RefusalLine(kStationProgram, what) << "\n";
    return kExitBadRequest;
}

}  // namespace halvex::station
