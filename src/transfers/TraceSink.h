#pragma once
// Where the line traces of transfers go: the window's trace folder, or the file given to
// halvex-transfer's --trace. A transfer asks for a place when its command starts it and hands
// over the finished text when it ends.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace halvex {

struct TracePlace {
    std::string path;     // the file the trace is written to
    std::string program;  // the program that records it and its version: "halvex 1.0.0"
    // False where the device was named directly (halvex-transfer --device), so the port name
    // the transfer asks for means nothing and the trace names the device alone.
    bool portByName = true;
};

class TraceSink {
public:
    virtual ~TraceSink() = default;

    // Where the trace of the transfer that `command` ("Download Tamsel Data") starts at `start`
    // goes; nothing when none is to be recorded. Called on the thread that starts the transfer.
    virtual std::optional<TracePlace> PlaceTrace(const std::string& command,
                                                 std::chrono::system_clock::time_point start) = 0;
    // Writes a finished trace, once per transfer, on the worker's thread. Empty when it was
    // written; otherwise why not, in the system's words.
    virtual std::string WriteTrace(const TracePlace& place, std::string_view text) = 0;
};

}  // namespace halvex
