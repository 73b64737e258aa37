#pragma once
// Records every message and answers Yes/No questions from a script, for core tests.
// Thread-safe; WaitForMessages lets a test block until a worker has shown its messages.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "common/UserDialogs.h"

namespace halvex::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    std::string details;
};

class FakeDialogs : public UserDialogs {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon = MessageIcon::None,
                     const std::string& details = {}) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;

    // Answers for the next questions, in order; true (Yes) once they run out.
    void QueueAnswers(std::vector<bool> answers);
    // Called (on the showing thread) each time a message is shown, before it "closes".
    void OnMessage(std::function<void(const ShownMessage&)> hook);

    std::vector<ShownMessage> Messages() const;
    std::vector<std::string> Texts() const;
    std::vector<std::string> Questions() const;
    // Waits until at least `count` messages were shown; false on time-out.
    bool WaitForMessages(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable shown_;
    std::vector<ShownMessage> messages_;
    std::vector<std::string> questions_;
    std::deque<bool> answers_;
    std::function<void(const ShownMessage&)> hook_;
};

}  // namespace halvex::testing
