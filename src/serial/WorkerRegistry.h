#pragma once
// Tracks the transfer worker threads so that closing the program can stop them safely: every
// worker registers the port it holds, ShutdownAll() aborts those ports (which unblocks reads
// and writes) and waits for the threads to end. Commands never wait for a worker otherwise.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "serial/SerialPort.h"

namespace halvex {

class WorkerRegistry {
public:
    WorkerRegistry() = default;
    WorkerRegistry(const WorkerRegistry&) = delete;
    WorkerRegistry& operator=(const WorkerRegistry&) = delete;
    ~WorkerRegistry();

    // Runs `work` on a new thread. Returns false (and runs nothing) once shutdown has begun or
    // when the thread cannot be created.
    bool Start(std::function<void()> work);

    // A worker announces the port it holds, so that shutdown can abort it; Detach before Close.
    void AttachPort(SerialPort* port);
    void DetachPort(SerialPort* port);

    // Aborts every attached port, refuses new workers and waits until all workers have ended.
    void ShutdownAll();
    bool ShuttingDown() const;
    std::size_t RunningCount() const;
    // Waits until no worker runs (for tests and benchmarks).
    void WaitIdle() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable idle_;
    std::set<SerialPort*> ports_;
    std::size_t running_ = 0;
    bool shuttingDown_ = false;
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
