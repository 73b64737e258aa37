#include "transfers/TraceFormat.h"

#include <algorithm>
#include <charconv>

#include "port/CommIndexMapping.h"

namespace halvex {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
// The hex of a full line, so that the text columns of all lines stand one below the other.
constexpr std::size_t kHexWidth = kTraceBytesPerLine * 3 - 1;
// The seconds are right-aligned to this width (up to 9999.999 s).
constexpr std::size_t kTimeWidth = 8;

void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
}

std::string TwoDigits(unsigned value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::string SecondsText(std::chrono::milliseconds at) {
    const std::int64_t ms = std::max<std::int64_t>(0, at.count());
    std::string fraction = std::to_string(ms % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(ms / 1000) + "." + fraction;
}

char ParityLetter(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return 'O';
        case Parity::Even:
            return 'E';
        case Parity::None:
            break;
    }
    return 'N';
}

std::string PortText(const std::optional<TracePort>& port) {
    if (!port) return "none";
    if (port->name.empty()) return port->device;
    return port->device.empty() ? port->name : port->name + " " + port->device;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// The next word of `text` (up to a blank), removed from it.
std::string_view TakeWord(std::string_view& text) {
    text = Trimmed(text);
    const std::size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

// "12.345" as milliseconds.
std::optional<std::chrono::milliseconds> ParseSeconds(std::string_view word) {
    const std::size_t point = word.find('.');
    if (point == std::string_view::npos || word.size() != point + 4 || point == 0) {
        return std::nullopt;
    }
    std::int64_t seconds = 0;
    int fraction = 0;
    const char* begin = word.data();
    const auto [end1, ec1] = std::from_chars(begin, begin + point, seconds);
    const auto [end2, ec2] = std::from_chars(begin + point + 1, begin + word.size(), fraction);
    if (ec1 != std::errc() || end1 != begin + point || ec2 != std::errc() ||
        end2 != begin + word.size()) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(seconds * 1000 + fraction);
}

int HexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

// Reads one data line into `data`; the reason when it is not one.
std::string ParseDataLine(std::string_view line, TraceData& data) {
    const std::optional<std::chrono::milliseconds> at = ParseSeconds(TakeWord(line));
    if (!at) return "the time is not seconds with three decimals";
    const std::string_view direction = TakeWord(line);
    if (direction != ">" && direction != "<") return "the direction is neither > nor <";
    data.at = *at;
    data.direction = direction == ">" ? TraceDirection::Sent : TraceDirection::Received;
    // The text between the bars only shows the bytes again; the hex is what counts.
    std::string_view hex = line.substr(0, std::min(line.find('|'), line.size()));
    for (std::string_view word = TakeWord(hex); !word.empty(); word = TakeWord(hex)) {
        const int high = HexValue(word[0]);
        const int low = word.size() == 2 ? HexValue(word[1]) : -1;
        if (high < 0 || low < 0)
            return std::string(1, '\'').append(word) + "' is not a byte in hex";
        data.bytes += static_cast<char>(high * 16 + low);
    }
    if (data.bytes.empty()) return "no bytes";
    if (data.bytes.size() > kTraceBytesPerLine) return "more than 16 bytes";
    return {};
}

}  // namespace

std::string TraceHex(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (!hex.empty()) hex += ' ';
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 0x0F];
    }
    return hex;
}

std::string TraceText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        text += byte >= 0x20 && byte < 0x7F ? c : '.';
    }
    return text;
}

std::string IsoUtcTime(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(time);
    const auto day = floor<days>(seconds);
    const year_month_day date(day);
    const hh_mm_ss clock(seconds - day);
    return std::to_string(static_cast<int>(date.year())) + "-" +
           TwoDigits(static_cast<unsigned>(date.month())) + "-" +
           TwoDigits(static_cast<unsigned>(date.day())) + "T" +
           TwoDigits(static_cast<unsigned>(clock.hours().count())) + ":" +
           TwoDigits(static_cast<unsigned>(clock.minutes().count())) + ":" +
           TwoDigits(static_cast<unsigned>(clock.seconds().count())) + "Z";
}

std::string FormatTraceHeader(const TraceHeader& header) {
    const CommSettingsValues& values = header.settings;
    const LineSettings line = LineSettingsFor(values);
    std::string out(kTraceFirstLine);
    out += "\n# program: " + header.program;
    out += "\n# command: " + header.command;
    out += "\n# port: " + PortText(header.port);
    out += "\n# line: " + std::to_string(line.baudRate) + " " + std::to_string(line.dataBits) +
           ParityLetter(line.parity) + std::to_string(line.stopBits);
    out += "\n# protocol: ";
    out += HandshakeOf(values.Protocol) == Handshake::AckNak ? "Ack/Nak" : "None";
    out += "\n# time-out: " + std::to_string(values.TimeoutSeconds) + " s";
    out += "\n# delay: " + std::to_string(values.LineDelayMs) + " ms";
    out += "\n# start: " + IsoUtcTime(header.start) + "\n";
    return out;
}

void AppendTraceData(std::string& out, std::chrono::milliseconds at, TraceDirection direction,
                     std::span<const std::uint8_t> bytes) {
    const std::string time = SecondsText(at);
    while (!bytes.empty()) {
        const std::span<const std::uint8_t> piece =
            bytes.first(std::min(bytes.size(), kTraceBytesPerLine));
        bytes = bytes.subspan(piece.size());
        AppendPadded(out, time, kTimeWidth);
        out += ' ';
        out += static_cast<char>(direction);
        // Written in place: a long download's trace has a great many of these lines.
        for (const std::uint8_t byte : piece) {
            out += ' ';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0x0F];
        }
        out.append(kHexWidth - (piece.size() * 3 - 1), ' ');
        out += " |";
        for (const std::uint8_t byte : piece) {
            out += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
        }
        out += "|\n";
    }
}

void AppendTraceEvent(std::string& out, std::string_view event) {
    out += "# ";
    for (const char c : event) out += c == '\n' || c == '\r' ? ' ' : c;
    out += '\n';
}

ParsedTrace ParseTrace(std::string_view text) {
    ParsedTrace parsed;
    std::size_t lineNumber = 0;
    while (!text.empty() && parsed.error.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (lineNumber == 1 && line != kTraceFirstLine) {
            parsed.error = "line 1: not a halvex line trace of version 1";
            break;
        }
        if (line.empty() || line.front() == '#') continue;
        TraceData data;
        data.lineNumber = lineNumber;
        const std::string reason = ParseDataLine(line, data);
        if (!reason.empty()) {
            parsed.error = "line " + std::to_string(lineNumber) + ": " + reason;
        } else {
            parsed.data.push_back(std::move(data));
        }
    }
    if (lineNumber == 0) parsed.error = "line 1: not a halvex line trace of version 1";
    return parsed;
}

}  // namespace halvex
