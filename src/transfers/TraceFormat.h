#pragma once
// The text of a line trace: what one transfer put on the serial line and what came back, for
// support to read in any editor and for halvex-station to play back. The layout is kept stable
// (its first line carries its version), since traces are read for years:
//
//   # halvex line trace 1
//   # program: halvex 1.0.0
//   # command: Upload Tamsel Coordinate
//   # port: COM1 /dev/ttyUSB0
//   # line: 1200 8N1
//   # protocol: Ack/Nak
//   # time-out: 10 s
//   # delay: 800 ms
//   # start: 2026-12-07T18:30:05Z
//      0.000 > 02 46 30 30 46 30 30 30 03 0d 0a                    |.F00F000...|
//   # drained
//      0.153 < 06 0d 0a                                            |...|
//   # end: completed
//
// A data line holds at most 16 bytes: the seconds since the port opened (three decimals), ">"
// for bytes sent to the instrument or "<" for bytes received from it, the bytes in hex, and
// their printable ASCII between bars ("." for every other byte). Every other line starts with
// "#": the header, events where they help, and the end.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "port/CommSettings.h"

namespace halvex {

inline constexpr std::string_view kTraceFirstLine = "# halvex line trace 1";
inline constexpr std::size_t kTraceBytesPerLine = 16;

enum class TraceDirection : char { Sent = '>', Received = '<' };

// The port a transfer asked for.
struct TracePort {
    std::string name;    // "COM1"; empty when the device was named directly
    std::string device;  // the device it stands for; empty when it names none
};

struct TraceHeader {
    std::string program;            // "halvex 1.0.0"
    std::string command;            // "Download Tamsel Data"
    std::optional<TracePort> port;  // nothing when no device was asked for
    CommSettingsValues settings;    // as the transfer read them when it opened the port
    std::chrono::system_clock::time_point start;
};

// "02 46 0d": bytes in two-digit hex, separated by blanks.
std::string TraceHex(std::string_view bytes);
// ".F.": the printable ASCII of bytes, "." for every other byte.
std::string TraceText(std::string_view bytes);

// "2026-12-07T18:30:05Z" (UTC, whole seconds).
std::string IsoUtcTime(std::chrono::system_clock::time_point time);

// The header lines, the first line included.
std::string FormatTraceHeader(const TraceHeader& header);
// Appends the data lines of one chunk, split at 16 bytes, each with the time `at`.
void AppendTraceData(std::string& out, std::chrono::milliseconds at, TraceDirection direction,
                     std::span<const std::uint8_t> bytes);
// Appends "# <event>"; line breaks in it become blanks, so it stays one line.
void AppendTraceEvent(std::string& out, std::string_view event);

// One data line read back.
struct TraceData {
    std::size_t lineNumber = 0;  // 1-based, in the file
    std::chrono::milliseconds at{0};
    TraceDirection direction = TraceDirection::Sent;
    std::string bytes;
};

struct ParsedTrace {
    std::vector<TraceData> data;  // in file order
    std::string error;            // "line 12: ..." for the first line that is not a trace's
};

// Reads the data lines of a trace; the header, events and end are passed over.
ParsedTrace ParseTrace(std::string_view text);

}  // namespace halvex
