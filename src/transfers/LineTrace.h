#pragma once
// The record of one transfer's line: every chunk of bytes written or read with its time, the
// events between them, and how the transfer ended. Recording only appends to memory, so the
// byte loop never waits for a disk; the text (TraceFormat.h) is made once, when the record is
// finished. It belongs to the worker's thread, which does all the recording, so the byte loop
// takes no lock for it (TracedPort notes a stop given on another thread on the worker's thread).
//
// Chunks of one direction that follow each other within the same millisecond, with nothing
// between them, are kept as one: the download reads one byte per call, and its trace would
// otherwise hold one line per byte without showing anything more.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "transfers/TraceFormat.h"

namespace halvex {

class LineTrace {
public:
    using Clock = std::chrono::steady_clock;

    explicit LineTrace(TraceHeader header);

    // The port was asked for; `opened`: it opened, and times count from now.
    void PortRequested(const TracePort& port, const CommSettingsValues& settings, bool opened,
                       Clock::time_point at = Clock::now());
    void Bytes(TraceDirection direction, std::span<const std::uint8_t> bytes,
               Clock::time_point at = Clock::now());
    void Event(std::string_view event);
    // Records the last line, "# end: <how>"; false (and nothing recorded) when it has ended
    // already. Nothing is recorded after the end.
    bool End(std::string_view how);
    bool Ended() const;

    // The whole trace as text.
    std::string Text() const;

private:
    enum class Kind : std::uint8_t { Sent, Received, Event };
    struct Entry {
        std::int64_t ms;  // since the port opened
        std::size_t offset;
        std::uint32_t size;
        Kind kind;
    };

    void Add(Kind kind, std::int64_t ms, std::string_view bytes);

    TraceHeader header_;
    Clock::time_point origin_;
    bool ended_ = false;
    std::vector<Entry> entries_;
    std::string store_;  // the bytes of every chunk and the text of every event, one after another
};

}  // namespace halvex
