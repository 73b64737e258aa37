#include "Arguments.h"

#include "ConvertCommands.h"

namespace halvex::tool {

namespace {

constexpr const char* kAbout =
    "Converts INPUT (standard input when absent or \"-\") as the menu command would convert the\n"
    "editor's text, and writes the result to OUTPUT (standard output when absent or \"-\").\n"
    "On failure the program's message is printed and nothing is written, except that\n"
    "cass-dxf always writes its drawing. Bytes after a NUL byte in INPUT are ignored, as when\n"
    "the file is opened in the editor. \"--\" ends the options: a later word is INPUT even if it\n"
    "starts with \"-\".";

const std::vector<ExitStatus> kExitStatuses = {
    {"0", "done"},
    {"1", "the conversion failed, or INPUT could not be read or OUTPUT written"},
    {"2", "wrong command line"},
};

std::string Synopsis(const std::string& command) {
    return std::string(kConvertProgram) + " " + command + " [INPUT] [-o OUTPUT]";
}

}  // namespace

ConvertCommandLine ReadConvertCommandLine(const std::vector<std::string>& args) {
    CommandLine line(kConvertProgram, kAbout, {Synopsis("COMMAND")}, kExitStatuses);
    AddValueOption(line.Program(), "-o", "OUTPUT",
                   "write the result to OUTPUT (\"-\": standard output, the default)");
    for (const ConvertCommand& command : Commands()) {
        const std::string name(command.name);
        CLI::App& added = line.AddCommand(name, std::string(command.summary), {Synopsis(name)});
        added.add_option("INPUT")->description(
            "the file to read (\"-\": standard input, the default)");
    }

    ConvertCommandLine read{line.Read(args), {}};
    if (read.reading.kind != CommandLineReading::Kind::Run) return read;
    const CLI::App& chosen = *line.Chosen();
    read.arguments.command = chosen.get_name();
    if (const CLI::Option* input = chosen.get_option("INPUT"); input->count() > 0) {
        read.arguments.input = input->as<std::string>();
    }
    if (const auto given = GivenValues(line.Program()); given.count("o") > 0) {
        read.arguments.output = given.at("o");
    }
    return read;
}

}  // namespace halvex::tool
