#include "transfers/TracedTransfer.h"

#include <memory>
#include <mutex>

#include "transfers/LineTrace.h"
#include "transfers/TracedPort.h"

namespace halvex {
namespace {

const char* EndWords(TransferOutcome outcome) {
    switch (outcome) {
        case TransferOutcome::Completed:
            return "completed";
        case TransferOutcome::Stopped:
            return "stopped";
        case TransferOutcome::Failed:
            break;
    }
    return "failed";
}

// One traced transfer: the record, the traced port opener and messages the worker uses, and
// the writing of the record. Lives until the worker has ended.
class TraceSession : public UserDialogs {
public:
    TraceSession(const TransferEnvironment& env, TracePlace place, const std::string& command,
                 std::chrono::system_clock::time_point start)
        : env_(env),
          sink_(*env.traces),
          place_(std::move(place)),
          trace_(TraceHeader{place_.program, command, std::nullopt, env.settings.Load(), start}),
          ports_(env.ports, env.settings, trace_, place_.portByName) {}

    TransferEnvironment Environment() {
        TransferEnvironment traced{env_.editor, *this, env_.settings, ports_, env_.workers};
        traced.trace = &trace_;
        return traced;
    }

    // The worker has ended; a failure has already written the trace.
    void End(TransferOutcome outcome) {
        if (trace_.End(EndWords(outcome))) Write();
    }

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                     const std::string& details) override {
        trace_.Event("message: " + text);
        env_.dialogs.ShowMessage(text, caption, icon, details);
    }

    void ShowFailure(const std::string& text, const std::string& caption, MessageIcon icon,
                     const std::string& details) override {
        if (trace_.End("failed: " + text)) Write();
        std::string shown = details;
        if (!shown.empty()) shown += "\n";
        shown += Note();
        env_.dialogs.ShowFailure(text, caption, icon, shown);
    }

    bool AskYesNo(const std::string& text, const std::string& caption) override {
        return env_.dialogs.AskYesNo(text, caption);
    }

private:
    void Write() {
        const std::string error = sink_.WriteTrace(place_, trace_.Text());
        std::lock_guard lock(mutex_);
        note_ = TraceWrittenNote(place_.path, error);
    }

    std::string Note() const {
        std::lock_guard lock(mutex_);
        return note_;
    }

    const TransferEnvironment env_;
    TraceSink& sink_;
    const TracePlace place_;
    LineTrace trace_;
    TracedPortOpener ports_;
    mutable std::mutex mutex_;
    std::string note_;
};

}  // namespace

std::string TraceWrittenNote(const std::string& path, const std::string& error) {
    if (error.empty()) return "The line trace of this transfer is in " + path + ".";
    return "The line trace of this transfer could not be written to " + path + ": " + error + ".";
}

bool StartTraced(const TransferEnvironment& env, const std::string& command,
                 const TransferStarter& start, TransferDone done) {
    const auto now = std::chrono::system_clock::now();
    std::optional<TracePlace> place;
    if (env.traces) place = env.traces->PlaceTrace(command, now);
    if (!place) return start(env, std::move(done));
    auto session = std::make_shared<TraceSession>(env, std::move(*place), command, now);
    // The report of the end keeps the session alive as long as the worker runs.
    return start(session->Environment(),
                 [session, done = std::move(done)](TransferOutcome outcome) {
                     session->End(outcome);
                     if (done) done(outcome);
                 });
}

}  // namespace halvex
