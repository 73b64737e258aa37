#include "transfer/lib/TransferArguments.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <set>

#include "port/CommIndexMapping.h"
#include "port/ParameterValidation.h"
#include "port/PortNames.h"

namespace halvex::transfer {

namespace {

constexpr std::array kUploadKinds = {
    NamedUpload{"tamsel-coordinate", UploadKind::TamselCoordinate, "Upload Tamsel Coordinate"},
    NamedUpload{"brenno-coordinate", UploadKind::BrennoCoordinate, "Upload Brenno Coordinate"},
    NamedUpload{"corvane-coordinate", UploadKind::CorvaneCoordinate,
                "the Corvane coordinate upload"},
    NamedUpload{"tamsel-pcode", UploadKind::TamselCodeList, "Upload Tamsel Pcode"},
    NamedUpload{"brenno-pcode", UploadKind::BrennoCodeList, "Upload Brenno Pcode"},
    NamedUpload{"other-data", UploadKind::OtherData, "Upload Other Data"},
};

// Options that take a value, by their long name; -o is --output.
const std::set<std::string> kValueOptions = {"family",  "port",  "device", "protocol",
                                             "baud",    "data",  "parity", "stop",
                                             "timeout", "delay", "output"};
const std::set<std::string> kFlagOptions = {"quiet", "help", "version"};

struct Words {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> positional;
};

// "-o" and "-q" and "-h" stand for their long names.
std::string LongName(const std::string& arg) {
    if (arg == "-o") return "output";
    if (arg == "-q") return "quiet";
    if (arg == "-h") return "help";
    return arg.rfind("--", 0) == 0 ? arg.substr(2) : "";
}

bool TakeOption(const std::vector<std::string>& args, std::size_t& i, Words& words,
                std::string& error) {
    std::string name = LongName(args[i]);
    std::optional<std::string> value;
    if (const std::size_t equals = name.find('='); equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
    }
    const bool takesValue = kValueOptions.count(name) > 0;
    if (!takesValue && kFlagOptions.count(name) == 0) {
        error = "unknown option " + args[i];
        return false;
    }
    if (!takesValue && value) {
        error = "--" + name + " takes no value";
        return false;
    }
    if (takesValue && !value) {
        if (i + 1 == args.size()) {
            error = "--" + name + " needs a value";
            return false;
        }
        value = args[++i];
    }
    if (words.values.count(name) > 0 || words.flags.count(name) > 0) {
        error = "--" + name + " given twice";
        return false;
    }
    if (takesValue) {
        words.values[name] = *value;
    } else {
        words.flags.insert(name);
    }
    return true;
}

std::optional<Words> SplitWords(const std::vector<std::string>& args, std::string& error) {
    Words words;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            words.positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (!TakeOption(args, i, words, error)) {
            return std::nullopt;
        }
    }
    return words;
}

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

}  // namespace

std::span<const NamedUpload> UploadKinds() { return kUploadKinds; }

std::optional<TransferArguments> ParseTransferArguments(const std::vector<std::string>& args,
                                                        std::string& error) {
    TransferArguments parsed;
    // --help (which wins) and --version answer whatever else the command line holds.
    const auto optionsEnd = std::find(args.begin(), args.end(), "--");
    const auto given = [&](std::string_view option) {
        return std::find(args.begin(), optionsEnd, option) != optionsEnd;
    };
    parsed.help = given("--help") || given("-h");
    parsed.version = !parsed.help && given("--version");
    if (parsed.help || parsed.version) return parsed;

    const std::optional<Words> words = SplitWords(args, error);
    if (!words) return std::nullopt;
    parsed.quiet = words->flags.count("quiet") > 0;
    if (!ReadCommand(*words, parsed, error) || !ReadPort(*words, parsed, error) ||
        !ReadLineOptions(*words, parsed.settings, error) ||
        !ReadTimings(*words, parsed.settings, error)) {
        return std::nullopt;
    }
    return parsed;
}

}  // namespace halvex::transfer
