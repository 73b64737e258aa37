#include "station/lib/StationOptions.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <iomanip>

namespace halvex::station {

namespace {

const OptionDef* FindOption(const std::vector<OptionDef>& definitions, const std::string& name) {
    for (const OptionDef& definition : definitions) {
        if (definition.name == name) return &definition;
    }
    return nullptr;
}

// "9600,8N1" → format; false when malformed.
bool ParseFormat(const std::string& text, DeviceFormat& format) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos || text.size() != comma + 4) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + comma, format.baud);
    if (ec != std::errc() || end != text.data() + comma) return false;
    format.dataBits = text[comma + 1] - '0';
    format.parity = text[comma + 2];
    format.stopBits = text[comma + 3] - '0';
    return (format.dataBits == 7 || format.dataBits == 8) &&
           (format.parity == 'N' || format.parity == 'O' || format.parity == 'E') &&
           (format.stopBits == 1 || format.stopBits == 2);
}

}  // namespace

std::string ParsedOptions::Value(const std::string& name, const std::string& fallback) const {
    auto found = values.find(name);
    return found == values.end() ? fallback : found->second;
}

std::optional<std::uint64_t> ParsedOptions::Number(const std::string& name) {
    auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    const std::string& text = found->second;
    std::uint64_t number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        if (error.empty()) error = "--" + name + " needs a whole number, not '" + text + "'";
        return std::nullopt;
    }
    return number;
}

ParsedOptions ParseOptions(const std::vector<std::string>& args,
                           const std::vector<OptionDef>& definitions) {
    ParsedOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            parsed.positional.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? arg.npos : equals - 2);
        const OptionDef* definition = FindOption(definitions, name);
        if (definition == nullptr) {
            parsed.error = "unknown option --" + name;
            return parsed;
        }
        if (definition->valueName.empty()) {
            if (equals != std::string::npos) {
                parsed.error = "--" + name + " takes no value";
                return parsed;
            }
            parsed.flags.insert(name);
        } else if (equals != std::string::npos) {
            parsed.values[name] = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.values[name] = args[++i];
        } else {
            parsed.error = "--" + name + " needs " + definition->valueName;
            return parsed;
        }
    }
    return parsed;
}

void PrintOptions(std::ostream& out, const std::vector<OptionDef>& definitions) {
    for (const OptionDef& definition : definitions) {
        std::string left = "  --" + definition.name;
        if (!definition.valueName.empty()) left += " " + definition.valueName;
        out << std::left << std::setw(28) << left << " " << definition.help << "\n";
    }
}

const std::vector<OptionDef>& LineOptionSpecs() {
    static const std::vector<OptionDef> definitions = {
        {"device", "PATH", "use this serial device instead of a new pseudo-terminal"},
        {"format", "BAUD,8N1", "line format on --device (default 9600,8N1)"},
        {"link", "PATH", "also make PATH a symbolic link to the pseudo-terminal"},
    };
    return definitions;
}

OpenedLine::~OpenedLine() {
    if (!link_.empty()) ::unlink(link_.c_str());
}

std::unique_ptr<OpenedLine> OpenLine(ParsedOptions& options, std::ostream& out,
                                     std::ostream& info) {
    auto opened = std::unique_ptr<OpenedLine>(new OpenedLine);
    std::string error;
    if (options.Has("device")) {
        DeviceFormat format;
        if (options.Has("format") && !ParseFormat(options.Value("format"), format)) {
            info << "halvex-station: --format must look like 9600,8N1\n";
            return nullptr;
        }
        opened->line_ = StationLine::OpenDevice(options.Value("device"), format, error);
    } else {
        opened->line_ = StationLine::CreatePseudoTerminal(error);
    }
    if (!opened->line_) {
        info << "halvex-station: " << error << "\n";
        return nullptr;
    }
    const std::string& path = opened->line_->DevicePath();
    if (options.Has("link") && !options.Has("device")) {
        const std::string link = options.Value("link");
        ::unlink(link.c_str());
        if (::symlink(path.c_str(), link.c_str()) != 0) {
            info << "halvex-station: cannot create the link " << link << "\n";
            return nullptr;
        }
        opened->link_ = link;
    }
    out << path << std::endl;
    info << "halvex-station: instrument on " << path << " (for example HALVEX_COM1=" << path << ")"
         << std::endl;
    return opened;
}

}  // namespace halvex::station
