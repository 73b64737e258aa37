// The one way the command-line programs read their command lines: what a reading says, the words
// of a refusal, and the help layout.

#include <gtest/gtest.h>

#include <sstream>

#include "common/Version.h"
#include "shared/CommandLine.h"

namespace halvex::tool {
namespace {

using Kind = CommandLineReading::Kind;

// A program "prog" with one command, "go", that takes --level N and --fast, and an option of its
// own, --log FILE.
class ProgCommandLine {
public:
    ProgCommandLine() : line_("prog", "Goes.", {"prog go [--level N]"}, {{"0", "gone"}}) {
        AddValueOption(line_.Program(), "--log", "FILE", "where to write");
        CLI::App& go = line_.AddCommand("go", "go somewhere", {"prog go [--level N]"});
        AddValueOption(go, "--level", "N", "how far");
        AddFlag(go, "--fast", "in a hurry");
    }
    CommandLineReading Read(const std::vector<std::string>& args) { return line_.Read(args); }
    std::string Help() const { return line_.Help(); }

private:
    CommandLine line_;
};

TEST(CommandLine, ReadsHelpVersionAndWhatIsWrong) {
    struct Row {
        std::vector<std::string> args;
        Kind kind;
        std::string text;
    };
    const Row rows[] = {
        {{"go", "--level", "3", "--fast"}, Kind::Run, ""},
        {{"--log", "a", "go", "--log=b"}, Kind::Wrong, "--log given twice"},
        {{"go", "--bogus", "--version"}, Kind::Version, VersionLine("prog")},
        {{}, Kind::Wrong, "no command given"},
        {{"fly"}, Kind::Wrong, "unknown command fly"},
        {{"go", "--bogus"}, Kind::Wrong, "unknown option --bogus"},
        {{"go", "extra"}, Kind::Wrong, "unexpected argument extra"},
        {{"go", "--level"}, Kind::Wrong, "--level needs a value"},
        {{"go", "--level", "1", "--level=2"}, Kind::Wrong, "--level given twice"},
        {{"go", "--fast=1"}, Kind::Wrong, "--fast takes no value"},
    };
    for (const Row& row : rows) {
        const CommandLineReading reading = ProgCommandLine().Read(row.args);
        EXPECT_EQ(reading.kind, row.kind) << reading.text;
        EXPECT_EQ(reading.text, row.text);
    }
    // --help wins over --version, in either order, and over what is wrong.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version", "--help"}, {"--bogus", "--help", "--version"}}) {
        ProgCommandLine line;
        const CommandLineReading reading = line.Read(args);
        EXPECT_EQ(reading.kind, Kind::Help);
        EXPECT_EQ(reading.text, line.Help());
    }
}

TEST(CommandLine, HelpShowsEveryCommandsOptionsAndTheExitStatuses) {
    EXPECT_EQ(ProgCommandLine().Help(),
              "Usage: prog go [--level N]\n"
              "\n"
              "Goes.\n"
              "\n"
              "Options:\n"
              "  -h,--help                   print this help and exit\n"
              "  --version                   print the program's name and version and exit\n"
              "  --log FILE                  where to write\n"
              "\n"
              "Commands:\n"
              "  go                          go somewhere\n"
              "\n"
              "Options of go:\n"
              "  --level N                   how far\n"
              "  --fast                      in a hurry\n"
              "\n"
              "Exit status:\n"
              "  0                           gone\n");
}

TEST(CommandLine, ACommandsHelpShowsTheProgramsOptionsItTakes) {
    ProgCommandLine line;
    EXPECT_EQ(line.Read({"go", "--help"}).text,
              "Usage: prog go [--level N]\n"
              "\n"
              "go somewhere\n"
              "\n"
              "Options:\n"
              "  -h,--help                   print this help and exit\n"
              "  --level N                   how far\n"
              "  --fast                      in a hurry\n"
              "  --log FILE                  where to write\n"
              "\n"
              "Exit status:\n"
              "  0                           gone\n");
}

TEST(CommandLine, ARefusalIsOneLineOnStandardErrorPointingToTheHelp) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(Answer("prog", CommandLineReading::Wrong("unknown option -x"), out, err), 2);
    EXPECT_EQ(Answer("prog", CommandLineReading::Wrong("--delay: Enter an integer."), out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "prog: unknown option -x. Run 'prog --help' for more.\n"
              "prog: --delay: Enter an integer. Run 'prog --help' for more.\n");
    EXPECT_EQ(Answer("prog", {Kind::Help, "the help\n"}, out, err), 0);
    EXPECT_EQ(out.str(), "the help\n");
}

}  // namespace
}  // namespace halvex::tool
