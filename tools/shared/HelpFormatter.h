#pragma once
// The one help layout of the command-line programs, drawn by CLI11: the usage lines, what the
// program (or command) does, its arguments, its options, its commands, and its exit statuses,
// separated by empty lines. The whole program's help also lists the options of each command that
// has options of its own, so one --help shows every option there is.

#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace halvex::tool {

// Where the second column of the help starts.
inline constexpr std::size_t kHelpColumn = 30;

// Rows of a term and what it means, in the help's two columns, one line end after each.
std::string TwoColumns(const std::vector<std::pair<std::string, std::string>>& rows);

class HelpFormatter : public CLI::Formatter {
public:
    // `synopsis`: the usage lines, each a whole command line ("halvex-convert COMMAND [INPUT]");
    // empty: the usage that CLI11 makes of the options.
    explicit HelpFormatter(std::vector<std::string> synopsis);

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode mode) const override;
    std::string make_usage(const CLI::App* app, std::string name) const override;
    // An option's value by its name in the help ("--family NAME"), without CLI11's type words.
    std::string make_option_opts(const CLI::Option* option) const override;

private:
    std::string Section(const std::string& title,
                        const std::vector<const CLI::Option*>& options) const;
    std::string Commands(const CLI::App* app) const;
    std::string CommandOptions(const CLI::App* app) const;

    std::vector<std::string> synopsis_;
};

}  // namespace halvex::tool
