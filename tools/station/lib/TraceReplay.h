#pragma once
// The instrument's side of a recorded line trace, played back: the bytes the instrument sent
// ("<" in the trace) go out in order, each chunk once the bytes the computer sent before it in
// the trace (">") have arrived, after the gap recorded between the two (no gaps with `fast`);
// every byte the computer sends is compared with the trace. So a trace from the field becomes a
// test on any machine.

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "station/lib/StationLine.h"
#include "transfers/TraceFormat.h"

namespace halvex::station {

struct ReplayOptions {
    bool fast = false;  // send without the recorded gaps
    // Longest wait for each byte the trace expects of the computer.
    std::chrono::milliseconds timeout{60000};
    // After the trace's last byte, the computer must send nothing more for this long.
    std::chrono::milliseconds idle{1000};
};

struct ReplayOutcome {
    bool same = false;  // the computer sent exactly what the trace holds
    // Where it did not, in words: the position, what was expected and what came (hex and text).
    std::string difference;
    std::size_t bytesSent = 0;      // to the computer
    std::size_t bytesReceived = 0;  // from the computer, as the trace expected
};

ReplayOutcome ReplayTrace(StationLine& line, const std::vector<TraceData>& trace,
                          const ReplayOptions& options);

}  // namespace halvex::station
