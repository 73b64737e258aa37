#include "transfers/WorkerRegistry.h"

#include <system_error>

namespace halvex {

WorkerRegistry::~WorkerRegistry() { ShutdownAll(); }

bool WorkerRegistry::Start(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        if (shuttingDown_) return false;
        if (running_ == 0) {
            stop_.reset();
            progress_.Reset();
        }
        ++running_;
    }
    try {
        std::thread([this, work = std::move(work)] {
            work();
            std::lock_guard lock(mutex_);
            --running_;
            idle_.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        std::lock_guard lock(mutex_);
        --running_;
        idle_.notify_all();
        return false;
    }
    return true;
}

void WorkerRegistry::AttachPort(SerialPort* port) {
    std::lock_guard lock(mutex_);
    ports_.insert(port);
    if (shuttingDown_ || stop_) port->Abort();
}

void WorkerRegistry::DetachPort(SerialPort* port) {
    std::lock_guard lock(mutex_);
    ports_.erase(port);
}

void WorkerRegistry::StopAll(StopNotice notice) {
    std::lock_guard lock(mutex_);
    // A silent stop stays silent even when the user's stop comes after it.
    if (!stop_ || *stop_ == StopNotice::Report) stop_ = notice;
    for (SerialPort* port : ports_) port->Abort();
}

bool WorkerRegistry::StopRequested() const {
    std::lock_guard lock(mutex_);
    return shuttingDown_ || stop_.has_value();
}

bool WorkerRegistry::StopSilently() const {
    std::lock_guard lock(mutex_);
    return shuttingDown_ || stop_ == StopNotice::Silent;
}

void WorkerRegistry::ShutdownAll() {
    std::unique_lock lock(mutex_);
    shuttingDown_ = true;
    for (SerialPort* port : ports_) port->Abort();
    idle_.wait(lock, [this] { return running_ == 0; });
}

bool WorkerRegistry::TransferUnderWay() const {
    std::lock_guard lock(mutex_);
    return running_ > 0 && progress_.Kind() != TransferKind::None;
}

std::size_t WorkerRegistry::RunningCount() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void WorkerRegistry::WaitIdle() const {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return running_ == 0; });
}

}  // namespace halvex
