// halvex-convert: the program's conversions and DXF export on files, without the editor.

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "Arguments.h"
#include "ConvertCommands.h"
#include "common/Version.h"
#include "shared/StreamIo.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

void PrintUsage(std::FILE* to) {
    std::fputs(
        "Usage: halvex-convert COMMAND [INPUT] [-o OUTPUT]\n"
        "Converts INPUT (standard input when absent or \"-\") as the menu command would convert\n"
        "the editor's text, and writes the result to OUTPUT (standard output when absent or "
        "\"-\").\n"
        "On failure the program's message is printed and nothing is written, except that\n"
        "cass-dxf always writes its drawing. Bytes after a NUL byte in INPUT are ignored, as\n"
        "when the file is opened in the editor.\n\nCommands:\n",
        to);
    for (const halvex::tool::ConvertCommand& command : halvex::tool::Commands())
        std::fprintf(to, "  %-26.*s %.*s\n", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    std::fputs(
        "\nOptions:\n"
        "  -o OUTPUT                  write the result to OUTPUT instead of standard output\n"
        "  --                         end of the options: a later word is INPUT even if it\n"
        "                             starts with \"-\"\n"
        "  -h, --help                 print this help and exit\n"
        "  --version                  print the program's name and version and exit\n"
        "\nExit status: 0 done, 1 failed, 2 wrong command line.\n",
        to);
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe is reported as a write error
    std::string error;
    const auto args =
        halvex::tool::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!args) {
        std::fprintf(stderr, "halvex-convert: %s\n", error.c_str());
        PrintUsage(stderr);
        return kUsageError;
    }
    if (args->help) {
        PrintUsage(stdout);
        return 0;
    }
    if (args->version) {
        std::fputs(halvex::VersionLine("halvex-convert").c_str(), stdout);
        return 0;
    }

    const auto input = halvex::tool::ReadAsEditorText(args->input, [](const std::string& line) {
        std::fprintf(stderr, "halvex-convert: %s\n", line.c_str());
    });
    if (!input) return kFailure;

    const halvex::tool::CommandResult result =
        halvex::tool::FindCommand(args->command)->run(*input);
    if (result.writeOutput && !halvex::tool::WriteAll(args->output, result.output, error)) {
        std::fprintf(stderr, "halvex-convert: cannot write %s: %s\n",
                     halvex::tool::DescribePath(args->output, false).c_str(), error.c_str());
        return kFailure;
    }
    if (!result.message.empty()) std::fprintf(stderr, "%s\n", result.message.c_str());
    return result.exitCode;
}
