#include "transfer/lib/TransferArguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "port/CommIndexMapping.h"
#include "port/ParameterValidation.h"
#include "port/PortNames.h"
#include "shared/HelpFormatter.h"
#include "transfer/lib/PortLookup.h"
#include "transfer/lib/StopSignals.h"

namespace halvex::transfer {

namespace {

struct NamedUpload {
    std::string_view name;  // "tamsel-coordinate"
    UploadKind kind;
    std::string_view menuItem;  // what the window calls the command
};

constexpr std::array kUploadKinds = {
    NamedUpload{"tamsel-coordinate", UploadKind::TamselCoordinate, "Upload Tamsel Coordinate"},
    NamedUpload{"brenno-coordinate", UploadKind::BrennoCoordinate, "Upload Brenno Coordinate"},
    NamedUpload{"corvane-coordinate", UploadKind::CorvaneCoordinate,
                "the Corvane coordinate upload"},
    NamedUpload{"tamsel-pcode", UploadKind::TamselCodeList, "Upload Tamsel Pcode"},
    NamedUpload{"brenno-pcode", UploadKind::BrennoCodeList, "Upload Brenno Pcode"},
    NamedUpload{"other-data", UploadKind::OtherData, "Upload Other Data"},
};

constexpr const char* kAbout =
    "Runs a download or upload of the Comm menu over a serial port, exchanging exactly the\n"
    "bytes the window would. Messages and prompts go to standard error; when standard input\n"
    "is a terminal, a prompt waits for Enter. A download writes the text the editor would hold\n"
    "afterwards, also after a time-out, a failure or a stop. An upload echoes each sent record\n"
    "to standard output. Options may stand before or after the command's words; \"--\" ends\n"
    "them.\n";

const std::vector<tool::ExitStatus> kExitStatuses = {
    {"0", "completed"},
    {"1", "failed"},
    {"2", "wrong command line"},
    {kStopExitStatuses, kStopExitMeaning},
};

struct OptionText {
    const char* names;
    const char* value;  // empty for a flag
    const char* help;
};

// The options, shared by both commands (a download's are refused by an upload after reading).
const OptionText kOptions[] = {
    {"--family", "NAME", "download: tamsel, brenno or corvane"},
    {"-o,--output", "FILE", "download: write the text to FILE"},
    {"--port", "COMn", kPortOptionHelp},
    {"--device", kDeviceOptionValue, kDeviceOptionHelp},
    {"--protocol", "NAME", "none or acknak (none)"},
    {"--baud", "RATE", "1200, 2400, 4800, 9600, 19200, 38400, 57600 or\n115200 (1200)"},
    {"--data", "BITS", "7 or 8 (8)"},
    {"--parity", "NAME", "none, odd or even (none)"},
    {"--stop", "BITS", "1 or 2 (1)"},
    {"--timeout", "SECONDS", "longest wait for a byte, 1 to 1000 (10)"},
    {"--delay", "MS", "pause after each record sent without a handshake,\n1 to 1000 (800)"},
    {"--trace", "FILE", "write the line trace of the transfer to FILE"},
    {"-q,--quiet", "", "no progress line on the terminal"},
};

struct Words {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> positional;  // the command, then its words
};

// What the program does, and the upload kinds with the window's commands they stand for.
std::string About() {
    std::vector<std::pair<std::string, std::string>> kinds;
    for (const NamedUpload& kind : kUploadKinds) {
        kinds.emplace_back(kind.name, "as " + std::string(kind.menuItem));
    }
    std::string about = kAbout + std::string("\nUpload kinds:\n") + tool::TwoColumns(kinds);
    about.pop_back();  // the help adds the last line end
    return about;
}

// The command line as CLI11 reads it, before the values are checked.
class TransferCommandLineWords {
public:
    TransferCommandLineWords()
        : line_(kTransferProgram, About(),
                {std::string(kTransferProgram) + " download --family NAME [options] [-o FILE]",
                 std::string(kTransferProgram) + " upload KIND FILE [options]"},
                kExitStatuses) {
        for (const OptionText& option : kOptions) {
            if (*option.value == '\0') {
                tool::AddFlag(line_.Program(), option.names, option.help);
            } else {
                tool::AddValueOption(line_.Program(), option.names, option.value, option.help);
            }
        }
        CLI::App& download = line_.AddCommand(
            "download", "receive the instrument's data into FILE or standard output",
            {std::string(kTransferProgram) + " download --family NAME [options] [-o FILE]"});
        download.add_option("WORDS", downloadWords_)->group("");  // refused below, with a hint
        CLI::App& upload =
            line_.AddCommand("upload", "send FILE (\"-\": standard input) as the upload KIND would",
                             {std::string(kTransferProgram) + " upload KIND FILE [options]"});
        upload.add_option("KIND")->description(
            "tamsel-coordinate, brenno-coordinate, corvane-coordinate,\n"
            "tamsel-pcode, brenno-pcode or other-data");
        upload.add_option("FILE")->description("the file to send; \"-\": standard input");
    }

    tool::CommandLineReading Read(const std::vector<std::string>& args) { return line_.Read(args); }

    Words Given() const {
        Words words{tool::GivenValues(line_.Program()), tool::GivenFlags(line_.Program()), {}};
        const CLI::App& command = *line_.Chosen();
        words.positional.push_back(command.get_name());
        words.positional.insert(words.positional.end(), downloadWords_.begin(),
                                downloadWords_.end());
        for (const char* name : {"KIND", "FILE"}) {
            const CLI::Option* word = command.get_option_no_throw(name);
            if (word != nullptr && word->count() > 0) {
                words.positional.push_back(word->as<std::string>());
            }
        }
        return words;
    }

private:
    tool::CommandLine line_;
    std::vector<std::string> downloadWords_;
};

// The index of `value` among `names`, or nothing.
std::optional<std::int32_t> IndexOf(const std::string& value,
                                    std::initializer_list<std::string_view> names) {
    std::int32_t index = 0;
    for (std::string_view name : names) {
        if (value == name) return index;
        ++index;
    }
    return std::nullopt;
}

std::optional<std::int32_t> BaudIndexOf(const std::string& value) {
    for (std::int32_t index = 0; index < 8; ++index) {
        if (value == std::to_string(BaudRateForIndex(index))) return index;
    }
    return std::nullopt;
}

std::optional<std::int32_t> PortIndexOf(const std::string& value) {
    std::string name = value;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (std::int32_t index = 0; index < kPortCount; ++index) {
        if (name == PortNameForIndex(index)) return index;
    }
    return std::nullopt;
}

// Sets `field` from the option `name` when given; false with the rule in `error` when the value
// is not one of those `rule` lists.
bool ReadChoice(const Words& words, const std::string& name, std::int32_t& field,
                std::optional<std::int32_t> (*parse)(const std::string&), const char* rule,
                std::string& error) {
    const auto found = words.values.find(name);
    if (found == words.values.end()) return true;
    const std::optional<std::int32_t> index = parse(found->second);
    if (!index) {
        error = "--" + name + " must be " + rule;
        return false;
    }
    field = *index;
    return true;
}

std::optional<std::int32_t> ProtocolOf(const std::string& v) {
    return IndexOf(v, {"none", "acknak"});
}
std::optional<std::int32_t> DataBitsOf(const std::string& v) { return IndexOf(v, {"7", "8"}); }
std::optional<std::int32_t> StopBitsOf(const std::string& v) { return IndexOf(v, {"1", "2"}); }
std::optional<std::int32_t> ParityOf(const std::string& v) {
    return IndexOf(v, {"none", "odd", "even"});
}
std::optional<std::int32_t> FamilyOf(const std::string& v) {
    const std::optional<std::int32_t> index = IndexOf(v, {"tamsel", "brenno", "corvane"});
    return index ? std::optional<std::int32_t>(*index + 1) : std::nullopt;
}

bool ReadLineOptions(const Words& words, CommSettingsValues& settings, std::string& error) {
    return ReadChoice(words, "port", settings.PortIndex, PortIndexOf, "COM1 to COM6", error) &&
           ReadChoice(words, "protocol", settings.Protocol, ProtocolOf, "none or acknak", error) &&
           ReadChoice(words, "baud", settings.BaudIndex, BaudIndexOf,
                      "1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200", error) &&
           ReadChoice(words, "data", settings.DataBitsIndex, DataBitsOf, "7 or 8", error) &&
           ReadChoice(words, "parity", settings.ParityIndex, ParityOf, "none, odd or even",
                      error) &&
           ReadChoice(words, "stop", settings.StopBitsIndex, StopBitsOf, "1 or 2", error);
}

// The time-out and the delay pass the parameter dialog's exchange, in its order.
bool ReadTimings(const Words& words, CommSettingsValues& settings, std::string& error) {
    const auto text = [&](const char* name, std::string fallback) {
        const auto found = words.values.find(name);
        return found == words.values.end() ? fallback : found->second;
    };
    const ParameterValidation checked =
        ValidateParameterFields(text("timeout", TimeoutFieldText(settings.TimeoutSeconds)),
                                text("delay", DelayFieldText(settings.LineDelayMs)));
    if (!checked.ok) {
        error = std::string(checked.failedField == ParameterField::Timeout ? "--timeout: "
                                                                           : "--delay: ") +
                checked.message;
        return false;
    }
    settings.TimeoutSeconds = checked.timeout;
    settings.LineDelayMs = static_cast<std::int32_t>(checked.delay);
    return true;
}

bool ReadDownload(const Words& words, TransferArguments& parsed, std::string& error) {
    if (words.positional.size() > 1) {
        error = "download takes no FILE; use -o FILE for the received text";
        return false;
    }
    if (words.values.count("family") == 0) {
        error = "download needs --family tamsel, brenno or corvane";
        return false;
    }
    std::int32_t mode = 0;
    if (!ReadChoice(words, "family", mode, FamilyOf, "tamsel, brenno or corvane", error)) {
        return false;
    }
    parsed.family = static_cast<InstrumentFamily>(mode);
    if (const auto output = words.values.find("output"); output != words.values.end()) {
        parsed.output = output->second;
    }
    return true;
}

bool ReadUpload(const Words& words, TransferArguments& parsed, std::string& error) {
    if (words.values.count("family") > 0) {
        error = "--family is for download; an upload's KIND names the family";
        return false;
    }
    if (words.values.count("output") > 0) {
        error = "-o is for download; an upload's echo goes to standard output";
        return false;
    }
    if (words.positional.size() != 3) {
        error = "upload needs KIND and FILE";
        return false;
    }
    const std::string& kind = words.positional[1];
    const auto named = std::find_if(kUploadKinds.begin(), kUploadKinds.end(),
                                    [&](const NamedUpload& u) { return u.name == kind; });
    if (named == kUploadKinds.end()) {
        error = "unknown upload KIND " + kind;
        return false;
    }
    parsed.uploadKind = named->kind;
    parsed.input = words.positional[2];
    return true;
}

bool ReadCommand(const Words& words, TransferArguments& parsed, std::string& error) {
    if (words.positional.empty()) {
        error = "no command given: download or upload";
        return false;
    }
    const std::string& command = words.positional[0];
    if (command == "download") {
        parsed.direction = Direction::Download;
        return ReadDownload(words, parsed, error);
    }
    if (command == "upload") {
        parsed.direction = Direction::Upload;
        return ReadUpload(words, parsed, error);
    }
    error = "unknown command " + command;
    return false;
}

bool ReadPort(const Words& words, TransferArguments& parsed, std::string& error) {
    const auto device = words.values.find("device");
    if (device == words.values.end()) return true;
    if (words.values.count("port") > 0) {
        error = "--port and --device cannot both be given";
        return false;
    }
    if (device->second.empty()) {
        error = "--device needs a path";
        return false;
    }
    parsed.device = device->second;
    return true;
}

bool ReadTrace(const Words& words, TransferArguments& parsed, std::string& error) {
    const auto trace = words.values.find("trace");
    if (trace == words.values.end()) return true;
    if (trace->second.empty() || trace->second == "-") {
        error = "--trace needs a file";
        return false;
    }
    parsed.trace = trace->second;
    return true;
}

}  // namespace

TransferCommandLine ReadTransferCommandLine(const std::vector<std::string>& args) {
    TransferCommandLineWords line;
    TransferCommandLine read{line.Read(args), {}};
    if (read.reading.kind != tool::CommandLineReading::Kind::Run) return read;
    const Words words = line.Given();
    TransferArguments& parsed = read.arguments;
    parsed.quiet = words.flags.count("quiet") > 0;
    std::string error;
    if (!ReadCommand(words, parsed, error) || !ReadPort(words, parsed, error) ||
        !ReadTrace(words, parsed, error) || !ReadLineOptions(words, parsed.settings, error) ||
        !ReadTimings(words, parsed.settings, error)) {
        read.reading = tool::CommandLineReading::Wrong(error);
    }
    return read;
}

}  // namespace halvex::transfer
