#pragma once
// The command line of halvex-convert: COMMAND [INPUT] [-o OUTPUT]. An absent INPUT or "-" is
// standard input; an absent OUTPUT or "-" is standard output. "--" ends the options. --help and
// --version stand alone: the rest of the command line is not looked at.

#include <optional>
#include <string>
#include <vector>

namespace halvex::tool {

struct Arguments {
    bool help = false;
    bool version = false;
    std::string command;
    std::string input = "-";
    std::string output = "-";
};

// nullopt, with the reason in error, for a command line that does not fit.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error);

}  // namespace halvex::tool
