#include "shared/HelpFormatter.h"

#include <sstream>
#include <utility>

namespace halvex::tool {

namespace {

bool Listed(const CLI::Option* option) { return !option->get_group().empty(); }

std::vector<const CLI::Option*> Arguments(const CLI::App* app) {
    return app->get_options(
        [](const CLI::Option* option) { return option->get_positional() && Listed(option); });
}

// The options of `app`, without its help flag unless `withHelp`.
std::vector<const CLI::Option*> OwnOptions(const CLI::App* app, bool withHelp) {
    return app->get_options([app, withHelp](const CLI::Option* option) {
        return option->nonpositional() && Listed(option) &&
               (withHelp || option != app->get_help_ptr());
    });
}

// A command that lets its program read the options it does not know takes all the program's
// options but --help and --version, which answer for the program.
std::vector<const CLI::Option*> InheritedOptions(const CLI::App* command) {
    const CLI::App* program = command->get_parent();
    if (program == nullptr || !command->get_fallthrough()) return {};
    std::vector<const CLI::Option*> options = OwnOptions(program, false);
    std::erase_if(options,
                  [](const CLI::Option* option) { return option->check_lname("version"); });
    return options;
}

std::vector<const CLI::App*> ListedCommands(const CLI::App* app) {
    return app->get_subcommands([](const CLI::App* command) {
        return !command->get_name().empty() && !command->get_group().empty();
    });
}

}  // namespace

std::string TwoColumns(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::ostringstream lines;
    for (const auto& [term, meaning] : rows) {
        CLI::detail::format_help(lines, term, meaning, kHelpColumn);
    }
    return lines.str();
}

HelpFormatter::HelpFormatter(std::vector<std::string> synopsis) : synopsis_(std::move(synopsis)) {
    column_width(kHelpColumn);
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string name,
                                     CLI::AppFormatMode mode) const {
    std::vector<const CLI::Option*> options = OwnOptions(app, true);
    const std::vector<const CLI::Option*> inherited = InheritedOptions(app);
    options.insert(options.end(), inherited.begin(), inherited.end());

    const std::string description = app->get_description();
    const std::string sections[] = {
        make_usage(app, std::move(name)),
        description.empty() ? std::string() : description + "\n",
        Section("Arguments", Arguments(app)),
        Section("Options", options),
        Commands(app),
        mode == CLI::AppFormatMode::All ? CommandOptions(app) : std::string(),
        make_footer(app),
    };
    std::string help;
    for (const std::string& section : sections) {
        if (section.empty()) continue;
        if (!help.empty()) help += "\n";
        help += section;
    }
    return help;
}

std::string HelpFormatter::make_usage(const CLI::App* app, std::string name) const {
    if (synopsis_.empty()) return CLI::Formatter::make_usage(app, std::move(name));
    std::string usage;
    for (const std::string& line : synopsis_) {
        usage += usage.empty() ? "Usage: " : "       ";
        usage += line + "\n";
    }
    return usage;
}

std::string HelpFormatter::make_option_opts(const CLI::Option* option) const {
    const std::string& value = option->get_option_text();
    return value.empty() ? std::string() : " " + value;
}

std::string HelpFormatter::Section(const std::string& title,
                                   const std::vector<const CLI::Option*>& options) const {
    if (options.empty()) return {};
    std::string section = title + ":\n";
    for (const CLI::Option* option : options) {
        section += make_option(option, option->get_positional());
    }
    return section;
}

std::string HelpFormatter::Commands(const CLI::App* app) const {
    const std::vector<const CLI::App*> commands = ListedCommands(app);
    if (commands.empty()) return {};
    std::string section = "Commands:\n";
    for (const CLI::App* command : commands) section += make_subcommand(command);
    return section;
}

std::string HelpFormatter::CommandOptions(const CLI::App* app) const {
    std::string sections;
    for (const CLI::App* command : ListedCommands(app)) {
        const std::string section =
            Section("Options of " + command->get_name(), OwnOptions(command, false));
        if (section.empty()) continue;
        if (!sections.empty()) sections += "\n";
        sections += section;
    }
    return sections;
}

}  // namespace halvex::tool
