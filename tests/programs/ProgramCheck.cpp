// Checks what a command-line program says about itself against the facts, run by ctest once per
// program that has a manual page (man/CMakeLists.txt registers the runs):
//
//   program_check version PROGRAM NAME VERSION
//       "PROGRAM --version" prints "NAME VERSION" on one line and exits with 0.
//   program_check manpage PROGRAM PAGE
//       The options and commands that "PROGRAM --help" lists are exactly those of the built
//       manual page PAGE: an option in one and not the other, or a command listed in one and
//       not the other, fails, so the page cannot drift from the program unnoticed.
//
// An option is a word that starts with "-" or "--" and a letter. The commands of --help are the
// first words of the lines below its "Commands:" line, up to the next empty line; those of the
// page are the first words of the headings in its COMMANDS section.

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Words = std::set<std::string>;

struct ProgramRun {
    int status = -1;
    std::string output;
};

std::optional<ProgramRun> Run(const std::string& program, const std::string& argument) {
    const std::string command = "'" + program + "' " + argument + " </dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    ProgramRun run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.output.append(buffer, n);
    }
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string FirstWord(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    return word;
}

void AddOptions(const std::string& text, Words& options) {
    static const std::regex option(R"((?:^|[\s\[(|,"'])(--?[A-Za-z][A-Za-z0-9-]*))");
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it) {
        options.insert((*it)[1]);
    }
}

// The text of a roff line with the escapes that scdoc writes resolved.
std::string RoffText(const std::string& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\' || i + 1 == line.size()) {
            text += line[i];
            continue;
        }
        const char escape = line[++i];
        if (escape == 'f' && i + 1 < line.size()) {
            i += line[i + 1] == '(' ? 3 : 1;  // font change: \fB, \fR, \f(CW
        } else if (escape == '(') {
            i += 2;  // special character: \(aq, \(bu
        } else if (escape == '*' && i + 1 < line.size()) {
            i += line[i + 1] == '(' ? 3 : 1;  // string: \*(Aq
        } else if (escape == 'e') {
            text += '\\';
        } else if (escape != '&' && escape != 'c') {
            text += escape;  // \- and \\ stand for the character itself
        }
    }
    return text;
}

struct Described {
    Words options;
    Words commands;
};

Described FromHelp(const std::string& help) {
    Described described;
    AddOptions(help, described.options);
    bool inCommands = false;
    for (const std::string& line : Lines(help)) {
        if (line == "Commands:" || line == "commands:") {
            inCommands = true;
        } else if (line.empty()) {
            inCommands = false;
        } else if (inCommands) {
            described.commands.insert(FirstWord(line));
        }
    }
    return described;
}

// A heading is a text line followed by an indented block (.RS), as scdoc writes a definition.
Described FromManPage(const std::string& roff) {
    Described described;
    const std::vector<std::string> lines = Lines(roff);
    std::string section;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.rfind(".SH ", 0) == 0) {
            section = line.substr(4);
            section.erase(std::remove(section.begin(), section.end(), '"'), section.end());
            continue;
        }
        if (line.empty() || line[0] == '.' || line[0] == '\'') continue;
        const std::string text = RoffText(line);
        AddOptions(text, described.options);
        const bool heading = i + 1 < lines.size() && lines[i + 1].rfind(".RS", 0) == 0;
        if (section == "COMMANDS" && heading) described.commands.insert(FirstWord(text));
    }
    return described;
}

// Reports the words of `expected` that `actual` lacks; true when there are none.
bool Covers(const Words& actual, const Words& expected, const std::string& what) {
    bool complete = true;
    for (const std::string& word : expected) {
        if (actual.count(word)) continue;
        std::cerr << what << ": " << word << "\n";
        complete = false;
    }
    return complete;
}

int CheckVersion(const std::string& program, const std::string& name, const std::string& version) {
    const auto run = Run(program, "--version");
    const std::string expected = name + " " + version + "\n";
    if (run && run->status == 0 && run->output == expected) return 0;
    std::cerr << program << " --version: expected \"" << expected << "\" and status 0, got \""
              << (run ? run->output : "") << "\" and status " << (run ? run->status : -1) << "\n";
    return 1;
}

int CheckManPage(const std::string& program, const std::string& pagePath) {
    const auto help = Run(program, "--help");
    std::ifstream pageFile(pagePath, std::ios::binary);
    if (!help || help->status != 0) {
        std::cerr << program << " --help did not end with status 0\n";
        return 1;
    }
    if (!pageFile) {
        std::cerr << "cannot read " << pagePath << "\n";
        return 1;
    }
    const Described fromHelp = FromHelp(help->output);
    const Described fromPage =
        FromManPage(std::string(std::istreambuf_iterator<char>(pageFile), {}));
    if (fromHelp.options.empty()) {
        std::cerr << program << " --help lists no option at all\n";
        return 1;
    }
    bool same = Covers(fromPage.options, fromHelp.options, "option of --help missing in the page");
    same &= Covers(fromHelp.options, fromPage.options, "option of the page missing in --help");
    same &= Covers(fromPage.commands, fromHelp.commands, "command of --help missing in the page");
    same &= Covers(fromHelp.commands, fromPage.commands, "command of the page missing in --help");
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "version") return CheckVersion(args[1], args[2], args[3]);
    if (args.size() == 3 && args[0] == "manpage") return CheckManPage(args[1], args[2]);
    std::cerr << "usage: program_check version PROGRAM NAME VERSION\n"
                 "       program_check manpage PROGRAM PAGE\n";
    return 2;
}
