#include "Arguments.h"

#include "ConvertCommands.h"

namespace halvex::tool {

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error) {
    Arguments parsed;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    bool outputGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            parsed.help = true;
            return parsed;
        }
        if (!optionsEnded && arg == "--version") {
            parsed.version = true;
            return parsed;
        }
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "-o") {
            if (i + 1 == args.size()) {
                error = "-o needs a file name";
                return std::nullopt;
            }
            if (outputGiven) {
                error = "-o given twice";
                return std::nullopt;
            }
            outputGiven = true;
            parsed.output = args[++i];
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    if (positional.size() > 2) {
        error = "too many arguments";
        return std::nullopt;
    }
    parsed.command = positional[0];
    if (!FindCommand(parsed.command)) {
        error = "unknown command " + parsed.command;
        return std::nullopt;
    }
    if (positional.size() == 2) parsed.input = positional[1];
    return parsed;
}

}  // namespace halvex::tool
