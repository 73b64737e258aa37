#pragma once
// How far the running transfer has got, and how the last one ended. The worker publishes its
// counts here as it goes, from the moment its port is open; the shell reads them on a timer to
// show progress, and the summary once the worker has ended. Every field is an atomic, so neither
// side ever waits for the other.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>

#include "transfers/TransferOutcome.h"

namespace halvex {

// None until the worker's port is open: a transfer whose port does not open never gets under way.
enum class TransferKind : std::uint8_t { None, Download, Upload };

// A consistent-enough copy of the counts at one moment, for showing.
struct ProgressSnapshot {
    TransferKind kind = TransferKind::None;
    std::uint64_t lines = 0;         // download: lines shown in the editor
    std::uint64_t bytes = 0;         // download: bytes received
    std::uint64_t recordsSent = 0;   // upload: records sent (and acknowledged, with a handshake)
    std::uint64_t recordsTotal = 0;  // upload: records it would send
    // How long data has been moving (since the prompt was closed); zero before.
    std::chrono::milliseconds elapsed{0};
    // How the worker ended; nothing while it runs.
    std::optional<TransferOutcome> outcome{};
};

class TransferProgress {
public:
    using Clock = std::chrono::steady_clock;

    // A new worker is starting: no transfer under way yet, counts to zero, no outcome.
    void Reset();
    // The worker's port is open: the transfer is under way, nothing moving yet.
    void Begin(TransferKind kind, std::uint64_t recordsTotal = 0);
    // Data starts to move (the user has closed the prompt): elapsed time counts from now.
    void StartClock();
    void AddReceived(std::uint64_t bytes) { bytes_.fetch_add(bytes, std::memory_order_relaxed); }
    void LineShown() { lines_.fetch_add(1, std::memory_order_relaxed); }
    void RecordSent() { recordsSent_.fetch_add(1, std::memory_order_relaxed); }
    // The worker has ended so.
    void Finish(TransferOutcome outcome);

    TransferKind Kind() const { return kind_.load(); }

    ProgressSnapshot Snapshot(Clock::time_point now = Clock::now()) const;

private:
    std::atomic<TransferKind> kind_{TransferKind::None};
    std::atomic<std::uint64_t> lines_{0};
    std::atomic<std::uint64_t> bytes_{0};
    std::atomic<std::uint64_t> recordsSent_{0};
    std::atomic<std::uint64_t> recordsTotal_{0};
    std::atomic<Clock::rep> startedAt_{0};  // 0: not started
    std::atomic<bool> finished_{false};
    std::atomic<TransferOutcome> outcome_{TransferOutcome::Failed};
};

}  // namespace halvex
