#pragma once
// Tracks the transfer worker threads so that a transfer can be stopped and the program closed
// safely: every worker registers the port it holds; StopAll() and ShutdownAll() abort those ports
// (which ends a waiting read, a write held by flow control and a drain at once) and tell the
// workers to end; ShutdownAll() also waits for the threads. Commands never wait for a worker
// otherwise. The running transfer publishes its progress here.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "port/SerialPort.h"
#include "transfers/TransferProgress.h"

namespace halvex {

// Whether stopped workers say how far they got (the user's stop) or end without a word.
enum class StopNotice { Report, Silent };

class WorkerRegistry {
public:
    WorkerRegistry() = default;
    WorkerRegistry(const WorkerRegistry&) = delete;
    WorkerRegistry& operator=(const WorkerRegistry&) = delete;
    ~WorkerRegistry();

    // Runs `work` on a new thread. Returns false (and runs nothing) once shutdown has begun or
    // when the thread cannot be created. A stop asked of earlier workers does not carry over, nor
    // does the progress of an earlier transfer.
    bool Start(std::function<void()> work);

    // A worker announces the port it holds, so that shutdown can abort it; Detach before Close.
    void AttachPort(SerialPort* port);
    void DetachPort(SerialPort* port);

    // Stops the running workers: aborts their ports and has them end, reporting how far they
    // got or silently. Returns at once; the workers end on their own threads.
    void StopAll(StopNotice notice);
    // Aborts every attached port, refuses new workers and waits until all workers have ended.
    void ShutdownAll();
    // A stop or shutdown has been asked of the running workers: they end without their failure
    // messages ("Communication failed", ...).
    bool StopRequested() const;
    // ... and without any message at all.
    bool StopSilently() const;
    // A worker runs and its port is open: from then on the transfer can be stopped and shows
    // its progress. Not while its port is being opened or after it failed to open.
    bool TransferUnderWay() const;

    TransferProgress& Progress() { return progress_; }
    const TransferProgress& Progress() const { return progress_; }
    std::size_t RunningCount() const;
    // Waits until no worker runs (for tests and benchmarks).
    void WaitIdle() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable idle_;
    std::set<SerialPort*> ports_;
    std::size_t running_ = 0;
    bool shuttingDown_ = false;
    std::optional<StopNotice> stop_;
    TransferProgress progress_;
};

// Keeps a port attached to the registry for the lifetime of a scope.
class AttachedPort {
public:
    AttachedPort(WorkerRegistry& registry, SerialPort& port) : registry_(registry), port_(port) {
        registry_.AttachPort(&port_);
    }
    ~AttachedPort() { registry_.DetachPort(&port_); }
    AttachedPort(const AttachedPort&) = delete;
    AttachedPort& operator=(const AttachedPort&) = delete;

private:
    WorkerRegistry& registry_;
    SerialPort& port_;
};

}  // namespace halvex
