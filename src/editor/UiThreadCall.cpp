#include "editor/UiThreadCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace halvex {

struct UiThreadCall::Pending {
    std::function<void()> call;
    bool started = false;
    bool done = false;
    bool dropped = false;
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
            changed_.notify_all();
            return;
        }
        pending->started = true;
        ++running_;
    }
    pending->call();
    std::lock_guard lock(mutex_);
    pending->done = true;
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
