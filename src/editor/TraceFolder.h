#pragma once
// The window's line traces: while Comm > Line Trace is on, every transfer writes its trace into
// one folder, $XDG_STATE_HOME/halvex/traces (~/.local/state/halvex/traces by default), as
// "2026-12-07T18-30-05Z-upload-tamsel-coordinate.trace": its start time (UTC, without ':', so
// the names work on every system) and its command. Only the newest 100 traces are kept. The
// window reads where the last one went for its status bar.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <string>

#include "transfers/TraceSink.h"

namespace halvex {

inline constexpr std::size_t kTracesKept = 100;

// $XDG_STATE_HOME/halvex/traces when XDG_STATE_HOME holds an absolute path, otherwise
// ~/.local/state/halvex/traces.
std::filesystem::path DefaultTraceFolder();

// "2026-12-07T18-30-05Z-download-tamsel-data.trace".
std::string TraceFileName(const std::string& command, std::chrono::system_clock::time_point start);

// Removes the oldest traces (by name, which begins with the start time) of `folder` beyond the
// newest `kept`; other files stay.
void RemoveOldTraces(const std::filesystem::path& folder, std::size_t kept = kTracesKept);

class TraceFolder : public TraceSink {
public:
    TraceFolder(std::filesystem::path folder, std::string program);

    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }
    const std::filesystem::path& Folder() const { return folder_; }

    std::optional<TracePlace> PlaceTrace(const std::string& command,
                                         std::chrono::system_clock::time_point start) override;
    std::string WriteTrace(const TracePlace& place, std::string_view text) override;

    // "Line trace: PATH", or why the last trace was not written; empty when no transfer has
    // been traced since the last call.
    std::string TakeLastNote();

private:
    const std::filesystem::path folder_;
    const std::string program_;
    std::atomic<bool> enabled_{false};
    std::mutex mutex_;
    std::string lastNote_;
};

}  // namespace halvex
