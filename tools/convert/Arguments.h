#pragma once
// The command line of halvex-convert: COMMAND [INPUT] [-o OUTPUT], read as every command-line
// program reads its own (shared/CommandLine.h). An absent INPUT or "-" is standard input; an
// absent OUTPUT or "-" is standard output. -o may stand before or after the command.

#include <string>
#include <vector>

#include "shared/CommandLine.h"

namespace halvex::tool {

inline constexpr const char* kConvertProgram = "halvex-convert";

struct Arguments {
    std::string command;
    std::string input = "-";
    std::string output = "-";
};

struct ConvertCommandLine {
    CommandLineReading reading;  // the arguments count only when it says Run
    Arguments arguments;
};

ConvertCommandLine ReadConvertCommandLine(const std::vector<std::string>& args);

}  // namespace halvex::tool
