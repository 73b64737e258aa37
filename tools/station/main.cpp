// halvex-station: a total station on the other end of a serial line, for trying and testing
// Halvex's transfers without an instrument.

#include <iostream>
#include <string>
#include <vector>

#include "StationCommands.h"
#include "shared/CommandLine.h"

namespace {

using halvex::station::kStationProgram;
using halvex::station::StationCommand;

constexpr const char* kAbout =
    "Plays a total station on a new pseudo-terminal (or on --device), prints the device path\n"
    "to point HALVEX_COM1..HALVEX_COM6 at, and talks as the instrument would, or as a line\n"
    "trace recorded by Halvex shows it did. FILE \"-\" is standard input.";

const std::vector<halvex::tool::ExitStatus> kExitStatuses = {
    {"0",
     "the exchange went as scripted (replay: the computer sent\nexactly what the trace holds)"},
    {"1",
     "the computer did not answer or send as an instrument expects\n(replay: the first "
     "difference from the trace is printed),\na fault was found on the line, or the line could "
     "not be\nopened (the reason is printed)"},
    {"2",
     "wrong command line, FILE or TRACE could not be read or is\nnot a line trace, or the "
     "--output file could not be written"},
    {"130, 143", "stopped while holding the line open: by Ctrl+C (130) or\nSIGTERM (143)"},
};

const StationCommand kCommands[] = {
    {"download", "send a file to the computer as an instrument's download",
     "halvex-station download --family NAME [options] FILE", halvex::station::DownloadOptionSpecs,
     "FILE", "the file to send, line by line", halvex::station::RunStationDownload},
    {"upload", "receive an upload from the computer as the instrument would",
     "halvex-station upload --family NAME [options]", halvex::station::UploadOptionSpecs, nullptr,
     nullptr, halvex::station::RunStationUpload},
    {"replay", "play back the instrument's side of a line trace",
     "halvex-station replay [options] TRACE", halvex::station::ReplayOptionSpecs, "TRACE",
     "the line trace to play", halvex::station::RunStationReplay},
};

}  // namespace

int main(int argc, char** argv) {
    halvex::tool::CommandLine line(
        kStationProgram, kAbout,
        {kCommands[0].synopsis, kCommands[1].synopsis, kCommands[2].synopsis}, kExitStatuses);
    std::vector<std::vector<std::string>> words(std::size(kCommands));
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        const StationCommand& command = kCommands[i];
        CLI::App& added = line.AddCommand(command.name, command.summary, {command.synopsis});
        halvex::station::DeclareOptions(added, command.options());
        CLI::Option* taken = added.add_option(command.words ? command.words : "WORDS", words[i]);
        if (command.words) {
            taken->description(command.wordsHelp);
        } else {
            taken->group("");  // refused by the command, with a hint
        }
    }
    line.AddCommand("help", "").group("");  // as --help

    const halvex::tool::CommandLineReading reading =
        line.Read(std::vector<std::string>(argv + 1, argv + argc));
    if (reading.kind != halvex::tool::CommandLineReading::Kind::Run) {
        return halvex::tool::Answer(kStationProgram, reading, std::cout, std::cerr);
    }
    const CLI::App& chosen = *line.Chosen();
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        if (chosen.get_name() != kCommands[i].name) continue;
        halvex::station::ParsedOptions options = halvex::station::CollectOptions(chosen, words[i]);
        return kCommands[i].run(options);
    }
    std::cout << line.Help();
    return 0;
}
