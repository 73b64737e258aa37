// halvex-convert: the program's conversions and DXF export on files, without the editor.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "ConvertCommands.h"
#include "shared/StreamIo.h"
#include "shared/SystemIo.h"

namespace {

constexpr int kFailure = 1;

}  // namespace

int main(int argc, char** argv) {
    using halvex::tool::kConvertProgram;
    halvex::tool::PrepareStandardStreams();
    const halvex::tool::ConvertCommandLine line =
        halvex::tool::ReadConvertCommandLine(halvex::tool::ProgramArguments(argc, argv));
    if (line.reading.kind != halvex::tool::CommandLineReading::Kind::Run) {
        return halvex::tool::Answer(kConvertProgram, line.reading, std::cout, std::cerr);
    }
    const halvex::tool::Arguments& args = line.arguments;

    const auto input = halvex::tool::ReadAsEditorText(args.input, [](const std::string& text) {
        std::fprintf(stderr, "%s: %s\n", kConvertProgram, text.c_str());
    });
    if (!input) return kFailure;

    const halvex::tool::CommandResult result = halvex::tool::FindCommand(args.command)->run(*input);
    std::string error;
    if (result.writeOutput && !halvex::tool::WriteAll(args.output, result.output, error)) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", kConvertProgram,
                     halvex::tool::DescribePath(args.output, false).c_str(), error.c_str());
        return kFailure;
    }
    if (!result.message.empty()) std::fprintf(stderr, "%s\n", result.message.c_str());
    return result.exitCode;
}
