#include "editor/UiThreadCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <atomic>
#include <chrono>

namespace halvex {

namespace {
constexpr auto kSpinBeforeSleeping = std::chrono::microseconds(200);
}  // namespace

struct UiThreadCall::Pending {
    std::function<void()> call;
    bool started = false;
    bool done = false;
    bool dropped = false;
    std::atomic<bool> finished{false};  // done or dropped; lets the caller spin without the lock
};

UiThreadCall::UiThreadCall(QObject* context) : context_(context) {}

bool UiThreadCall::Run(const std::function<void()>& call) {
    if (QThread::currentThread() == context_->thread()) {
        call();
        return true;
    }
    auto pending = std::make_shared<Pending>();
    pending->call = call;
    {
        std::lock_guard lock(mutex_);
        if (shutDown_) return false;
    }
    QMetaObject::invokeMethod(
        context_, [this, pending] { Execute(pending); }, Qt::QueuedConnection);

    // Most calls (one line of a download) take a few microseconds on the user-interface thread;
    // waiting for them briefly without sleeping saves the two thread wake-ups of a blocking wait.
    const auto spinUntil = std::chrono::steady_clock::now() + kSpinBeforeSleeping;
    while (!pending->finished.load(std::memory_order_acquire) &&
           std::chrono::steady_clock::now() < spinUntil) {
    }
    std::unique_lock lock(mutex_);
    // A call already started must finish: it refers to the caller's data.
    changed_.wait(lock, [&] { return pending->done || (shutDown_ && !pending->started); });
    if (!pending->done) pending->dropped = true;
    return pending->done;
}

void UiThreadCall::Execute(const std::shared_ptr<Pending>& pending) {
    {
        std::lock_guard lock(mutex_);
        if (pending->dropped || shutDown_) {
            pending->dropped = true;
            pending->finished = true;
            changed_.notify_all();
            return;
        }
        pending->started = true;
        ++running_;
    }
    pending->call();
    std::lock_guard lock(mutex_);
    pending->done = true;
    pending->finished.store(true, std::memory_order_release);
    --running_;
    changed_.notify_all();
}

void UiThreadCall::Shutdown() {
    std::lock_guard lock(mutex_);
    shutDown_ = true;
    changed_.notify_all();
}

bool UiThreadCall::IsShutDown() const {
    std::lock_guard lock(mutex_);
    return shutDown_;
}

bool UiThreadCall::Busy() const {
    std::lock_guard lock(mutex_);
    return running_ > 0;
}

}  // namespace halvex
