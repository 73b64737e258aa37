// The options that both subcommands read the same way.

#include <iostream>

#include "StationCommands.h"

namespace halvex::station {

std::vector<OptionDef> WithLineOptions(std::vector<OptionDef> own) {
    const auto& line = LineOptionSpecs();
    own.insert(own.end() - 1, line.begin(), line.end());
    return own;
}

bool ReadFamilyAndProtocol(const ParsedOptions& options, Family& family, bool& ackNak) {
    const auto named = FamilyFromName(options.Value("family"));
    const std::string protocol = options.Value("protocol", "none");
    if (!named) {
        std::cerr << "halvex-station: --family must be tamsel, brenno or corvane\n";
        return false;
    }
    if (protocol != "none" && protocol != "acknak") {
        std::cerr << "halvex-station: --protocol must be none or acknak\n";
        return false;
    }
    family = *named;
    ackNak = protocol == "acknak";
    return true;
}

}  // namespace halvex::station
