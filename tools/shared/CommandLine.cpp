#include "shared/CommandLine.h"

#include <memory>
#include <utility>

#include "common/Version.h"
#include "shared/HelpFormatter.h"

namespace halvex::tool {

namespace {

using Kind = CommandLineReading::Kind;

std::string ExitStatusLines(const std::vector<ExitStatus>& statuses) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const ExitStatus& status : statuses) rows.emplace_back(status.status, status.meaning);
    std::string text = "Exit status:\n" + TwoColumns(rows);
    text.pop_back();  // the help adds the last line end
    return text;
}

std::string NameOf(const CLI::Option& option) {
    const auto& longNames = option.get_lnames();
    return longNames.empty() ? option.get_snames().front() : longNames.front();
}

bool IsFlag(const CLI::Option& option) { return option.get_expected_max() == 0; }

std::vector<const CLI::Option*> GivenOptions(const CLI::App& app) {
    return app.get_options(
        [](const CLI::Option* option) { return option->nonpositional() && option->count() > 0; });
}

}  // namespace

CommandLine::CommandLine(std::string program, std::string about, std::vector<std::string> synopsis,
                         const std::vector<ExitStatus>& exitStatuses)
    : program_(std::move(program)), app_(std::move(about), program_) {
    auto formatter = std::make_shared<HelpFormatter>(std::move(synopsis));
    app_.footer(ExitStatusLines(exitStatuses));
    app_.formatter(formatter);
    // Every option is read as given; a second one is refused after reading (OptionGivenTwice).
    // A flag takes no value ("--quiet=1").
    app_.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app_.option_defaults()->disable_flag_override();
    app_.set_help_flag("-h,--help", "print this help and exit");
    version_ = AddFlag(app_, "--version", "print the program's name and version and exit");
}

CLI::App& CommandLine::AddCommand(const std::string& name, const std::string& summary,
                                  std::vector<std::string> synopsis) {
    CLI::App* command = app_.add_subcommand(name, summary);
    command->formatter(std::make_shared<HelpFormatter>(std::move(synopsis)));
    command->group("Commands");
    command->fallthrough();  // the program's options (--version among them) count after it
    return *command;
}

CommandLineReading CommandLine::Read(const std::vector<std::string>& args) {
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // as CLI11 takes them
    try {
        app_.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {Kind::Help, Chosen() != nullptr ? app_.help() : Help()};
    } catch (const CLI::ParseError& error) {
        if (version_->count() > 0) return {Kind::Version, VersionLine(program_)};
        return CommandLineReading::Wrong(Describe(error));
    }
    if (version_->count() > 0) return {Kind::Version, VersionLine(program_)};
    if (Chosen() == nullptr && !app_.get_subcommands({}).empty()) {
        return CommandLineReading::Wrong("no command given");
    }
    if (const std::string twice = OptionGivenTwice(); !twice.empty()) {
        return CommandLineReading::Wrong(twice + " given twice");
    }
    return {};
}

std::string CommandLine::Help() const {
    return app_.get_formatter()->make_help(&app_, program_, CLI::AppFormatMode::All);
}

const CLI::App* CommandLine::Chosen() const {
    const std::vector<CLI::App*> chosen = app_.get_subcommands();
    return chosen.empty() ? nullptr : chosen.front();
}

// CLI11's own words, told in the programs' way.
std::string CommandLine::Describe(const CLI::ParseError& error) const {
    const std::string what = error.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        const std::vector<std::string> extras = app_.remaining(true);
        if (!extras.empty()) {
            const std::string& word = extras.front();
            if (word.size() > 1 && word[0] == '-') return "unknown option " + word;
            if (Chosen() == nullptr) return "unknown command " + word;
            return "unexpected argument " + word;
        }
    }
    // Options are read as text, so the mismatches left are a flag given a value and a value
    // that is missing.
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        const std::size_t flagGivenValue = what.find(" was given a disallowed flag override");
        if (flagGivenValue != std::string::npos) {
            return "--" + what.substr(0, flagGivenValue) + " takes no value";
        }
        return what.substr(0, what.find(':')) + " needs a value";
    }
    return what;
}

std::string CommandLine::OptionGivenTwice() const {
    std::vector<const CLI::Option*> given = GivenOptions(app_);
    if (const CLI::App* command = Chosen()) {
        const std::vector<const CLI::Option*> own = GivenOptions(*command);
        given.insert(given.end(), own.begin(), own.end());
    }
    for (const CLI::Option* option : given) {
        if (option->count() > 1) return option->get_name();
    }
    return {};
}

CLI::Option* AddValueOption(CLI::App& app, const std::string& names, const std::string& value,
                            const std::string& help) {
    return app.add_option(names)->description(help)->option_text(value);
}

CLI::Option* AddFlag(CLI::App& app, const std::string& names, const std::string& help) {
    return app.add_flag(names)->description(help);
}

std::map<std::string, std::string> GivenValues(const CLI::App& app) {
    std::map<std::string, std::string> values;
    for (const CLI::Option* option : GivenOptions(app)) {
        if (!IsFlag(*option)) values[NameOf(*option)] = option->as<std::string>();
    }
    return values;
}

std::set<std::string> GivenFlags(const CLI::App& app) {
    std::set<std::string> flags;
    for (const CLI::Option* option : GivenOptions(app)) {
        if (IsFlag(*option) && option->as<bool>()) flags.insert(NameOf(*option));
    }
    return flags;
}

std::string RefusalLine(std::string_view program, std::string_view what) {
    std::string line = std::string(program) + ": " + std::string(what);
    if (line.back() != '.') line += '.';
    return line + " Run '" + std::string(program) + " --help' for more.";
}

int Answer(std::string_view program, const CommandLineReading& reading, std::ostream& out,
           std::ostream& err) {
    if (reading.kind == Kind::Wrong) {
        err << RefusalLine(program, reading.text) << "\n";
        return kExitWrongCommandLine;
    }
    out << reading.text;
    return 0;
}

}  // namespace halvex::tool
