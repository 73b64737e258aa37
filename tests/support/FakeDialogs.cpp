#include "support/FakeDialogs.h"

namespace halvex::testing {

void FakeDialogs::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              const std::string& details) {
    std::function<void(const ShownMessage&)> hook;
    ShownMessage message{text, caption, icon, details};
    {
        std::lock_guard lock(mutex_);
        hook = hook_;
    }
    if (hook) hook(message);
    std::lock_guard lock(mutex_);
    messages_.push_back(message);
    shown_.notify_all();
}

bool FakeDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    std::lock_guard lock(mutex_);
    questions_.push_back(caption + ": " + text);
    if (answers_.empty()) return true;
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void FakeDialogs::QueueAnswers(std::vector<bool> answers) {
    std::lock_guard lock(mutex_);
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void FakeDialogs::OnMessage(std::function<void(const ShownMessage&)> hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

std::vector<ShownMessage> FakeDialogs::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::string> FakeDialogs::Texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& message : messages_) texts.push_back(message.text);
    return texts;
}

std::vector<std::string> FakeDialogs::Questions() const {
    std::lock_guard lock(mutex_);
    return questions_;
}

bool FakeDialogs::WaitForMessages(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return shown_.wait_for(lock, timeout, [&] { return messages_.size() >= count; });
}

}  // namespace halvex::testing
