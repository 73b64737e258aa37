#pragma once
// --trace FILE: the line trace of the one transfer goes to FILE, recorded as halvex-transfer.

#include <mutex>
#include <string>

#include "transfers/TraceSink.h"

namespace halvex::transfer {

class TraceFile : public TraceSink {
public:
    // `portByName`: the transfer opens a port name (--port); false for --device.
    TraceFile(std::string path, bool portByName);

    std::optional<TracePlace> PlaceTrace(const std::string& command,
                                         std::chrono::system_clock::time_point start) override;
    std::string WriteTrace(const TracePlace& place, std::string_view text) override;

    // Why the trace could not be written; empty when it was, or was not due.
    std::string Error() const;

private:
    const std::string path_;
    const bool portByName_;
    mutable std::mutex mutex_;
    std::string error_;
};

}  // namespace halvex::transfer
