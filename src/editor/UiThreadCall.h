#pragma once
// Carries a call out on the user-interface thread and waits for it, from any thread.
//
// From the user-interface thread the call runs at once. From a worker it is queued to the
// user-interface thread and the worker waits until it has run, so calls from one thread keep
// their order. Unlike a plain blocking queued invocation, a waiting worker can be released:
// once Shutdown() has been called, calls not yet started are dropped and later calls return at
// once without running. That lets the user-interface thread close the window and wait for the
// workers without both sides waiting for each other.

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

namespace halvex {

class UiThreadCall {
public:
    // `context` lives on the user-interface thread and outlives every call.
    explicit UiThreadCall(QObject* context);
    UiThreadCall(const UiThreadCall&) = delete;
    UiThreadCall& operator=(const UiThreadCall&) = delete;

    // Runs `call` on the user-interface thread and returns true once it has run; returns false
    // without running it when shutdown has begun (from a worker only).
    bool Run(const std::function<void()>& call);

    // User-interface thread: releases every waiting worker and refuses later worker calls.
    void Shutdown();
    bool IsShutDown() const;
    // True while a call from a worker is being carried out (it may be showing a modal box).
    bool Busy() const;

private:
    struct Pending;
    void Execute(const std::shared_ptr<Pending>& pending);

    QObject* context_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool shutDown_ = false;
    int running_ = 0;
};

}  // namespace halvex
