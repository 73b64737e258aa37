#include "transfers/TransferProgress.h"

#include <algorithm>

namespace halvex {

void TransferProgress::Reset() {
    finished_.store(false);
    Begin(TransferKind::None);
}

void TransferProgress::Begin(TransferKind kind, std::uint64_t recordsTotal) {
    startedAt_.store(0);
    lines_.store(0);
    bytes_.store(0);
    recordsSent_.store(0);
    recordsTotal_.store(recordsTotal);
    kind_.store(kind);
}

void TransferProgress::Finish(TransferOutcome outcome) {
    outcome_.store(outcome);
    finished_.store(true);
}

void TransferProgress::StartClock() {
    startedAt_.store(std::max<Clock::rep>(1, Clock::now().time_since_epoch().count()));
}

ProgressSnapshot TransferProgress::Snapshot(Clock::time_point now) const {
    ProgressSnapshot snapshot;
    snapshot.kind = kind_.load();
    snapshot.lines = lines_.load(std::memory_order_relaxed);
    snapshot.bytes = bytes_.load(std::memory_order_relaxed);
    snapshot.recordsSent = recordsSent_.load(std::memory_order_relaxed);
    snapshot.recordsTotal = recordsTotal_.load(std::memory_order_relaxed);
    if (finished_.load()) snapshot.outcome = outcome_.load();
    if (const Clock::rep started = startedAt_.load(); started != 0) {
        const Clock::time_point from{Clock::duration(started)};
        snapshot.elapsed =
            std::max(std::chrono::milliseconds(0),
                     std::chrono::duration_cast<std::chrono::milliseconds>(now - from));
    }
    return snapshot;
}

}  // namespace halvex
