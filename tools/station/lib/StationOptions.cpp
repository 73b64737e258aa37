#include "station/lib/StationOptions.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <system_error>

namespace halvex::station {

std::optional<DeviceFormat> FormatFromText(const std::string& text) {
    DeviceFormat format;
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos || text.size() != comma + 4) return std::nullopt;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + comma, format.baud);
    if (ec != std::errc() || end != text.data() + comma) return std::nullopt;
    format.dataBits = text[comma + 1] - '0';
    format.parity = text[comma + 2];
    format.stopBits = text[comma + 3] - '0';
    const bool valid = (format.dataBits == 7 || format.dataBits == 8) &&
                       (format.parity == 'N' || format.parity == 'O' || format.parity == 'E') &&
                       (format.stopBits == 1 || format.stopBits == 2);
    return valid ? std::optional<DeviceFormat>(format) : std::nullopt;
}

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

void DeclareOptions(CLI::App& command, const std::vector<OptionDef>& definitions) {
    for (const OptionDef& definition : definitions) {
        const std::string name = "--" + definition.name;
        if (definition.valueName.empty()) {
            tool::AddFlag(command, name, definition.help);
        } else {
            tool::AddValueOption(command, name, definition.valueName, definition.help);
        }
    }
}

ParsedOptions CollectOptions(const CLI::App& command, std::vector<std::string> words) {
    ParsedOptions parsed;
    parsed.values = tool::GivenValues(command);
    parsed.flags = tool::GivenFlags(command);
    parsed.positional = std::move(words);
    return parsed;
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
        const std::optional<DeviceFormat> format =
            FormatFromText(options.Value("format", "9600,8N1"));
        if (!format) {
            info << "halvex-station: --format must look like 9600,8N1\n";
            return nullptr;
        }
        opened->line_ = StationLine::OpenDevice(options.Value("device"), *format, error);
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
            info << "halvex-station: cannot create the link " << link << ": "
                 << std::generic_category().message(errno) << "\n";
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
