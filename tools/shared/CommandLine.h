#pragma once
// The command line of halvex-convert, halvex-station and halvex-transfer, read with CLI11 in one
// way for all three:
// - one help layout (HelpFormatter); "-h"/"--help" and "--version" are answered with status 0,
//   whatever else is given, and --help wins over --version;
// - a wrong command line is refused in one line that points to --help, with status 2;
// - each option may be given once: a second one is refused rather than silently winning;
// - options take their value as the next word or after "=", and "--" ends them.

#include <CLI/CLI.hpp>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace halvex::tool {

inline constexpr int kExitWrongCommandLine = 2;

struct ExitStatus {
    std::string status;  // "0", or "130, 143"
    std::string meaning;
};

// What a command line asks for once read.
struct CommandLineReading {
    enum class Kind { Run, Help, Version, Wrong };
    Kind kind = Kind::Run;
    std::string text;  // the help, the version line, or what is wrong with the command line

    static CommandLineReading Wrong(std::string what) { return {Kind::Wrong, std::move(what)}; }
};

class CommandLine {
public:
    // `about` says what the program does; `synopsis` holds its usage lines.
    CommandLine(std::string program, std::string about, std::vector<std::string> synopsis,
                const std::vector<ExitStatus>& exitStatuses);

    // The program's own options are added here.
    CLI::App& Program() { return app_; }
    const CLI::App& Program() const { return app_; }
    // A command ("download"), listed under "Commands:" with its summary; its options are added
    // to what this returns, and the program's options may stand before or after it. `synopsis`
    // as for the program; empty: made from its options.
    CLI::App& AddCommand(const std::string& name, const std::string& summary,
                         std::vector<std::string> synopsis = {});

    // Reads the arguments after the program's name.
    CommandLineReading Read(const std::vector<std::string>& args);
    // The whole program's help, the options of every command included.
    std::string Help() const;
    // The command given; nullptr when none was.
    const CLI::App* Chosen() const;

private:
    std::string Describe(const CLI::ParseError& error) const;
    std::string OptionGivenTwice() const;

    std::string program_;
    CLI::App app_;
    CLI::Option* version_ = nullptr;
};

// An option that takes a value, shown as "NAMES VALUE" in the help.
CLI::Option* AddValueOption(CLI::App& app, const std::string& names, const std::string& value,
                            const std::string& help);
CLI::Option* AddFlag(CLI::App& app, const std::string& names, const std::string& help);

// The options of `app` that were given, by their long name without "--" (or their short name):
// the values of those that take one, the names of the flags.
std::map<std::string, std::string> GivenValues(const CLI::App& app);
std::set<std::string> GivenFlags(const CLI::App& app);

// "PROGRAM: WHAT. Run 'PROGRAM --help' for more."
std::string RefusalLine(std::string_view program, std::string_view what);

// Prints the help or the version on `out` and returns 0, or the refusal on `err` and returns 2.
int Answer(std::string_view program, const CommandLineReading& reading, std::ostream& out,
           std::ostream& err);

}  // namespace halvex::tool
