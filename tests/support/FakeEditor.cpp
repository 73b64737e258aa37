#include "support/FakeEditor.h"

#include <algorithm>

namespace halvex::testing {

std::string FakeEditor::GetEditorText() {
    std::lock_guard lock(mutex_);
    return text_;
}

void FakeEditor::SetEditorText(const std::string& text) {
    std::lock_guard lock(mutex_);
    calls_.push_back("Set:" + text);
    text_ = text;
    caret_ = 0;
    textModified_ = false;
}

void FakeEditor::ClearEditor() {
    std::lock_guard lock(mutex_);
    calls_.push_back("Clear");
    if (readOnly_ || text_.empty()) return;
    text_.clear();
    caret_ = 0;
    textModified_ = documentModified_ = true;
}

bool FakeEditor::AppendEditorText(const std::string& text) {
    std::lock_guard lock(mutex_);
    calls_.push_back("Append:" + text);
    if (text_.size() + text.size() > kEditorCapacity) return false;
    text_.insert(caret_, text);
    caret_ += text.size();
    textModified_ = documentModified_ = true;
    return true;
}

void FakeEditor::MoveCaretTo(std::size_t index) {
    std::lock_guard lock(mutex_);
    calls_.push_back("Caret:" + std::to_string(index));
    caret_ = std::min(index, text_.size());
}

void FakeEditor::SetEditorReadOnly(bool readOnly) {
    std::lock_guard lock(mutex_);
    calls_.push_back(readOnly ? "ReadOnly:1" : "ReadOnly:0");
    readOnly_ = readOnly;
}

bool FakeEditor::ConfirmUnsaved() {
    std::lock_guard lock(mutex_);
    calls_.push_back("Confirm");
    if (!textModified_) return true;
    ++confirmQuestions_;
    return confirmAnswer_;
}

void FakeEditor::SetText(const std::string& text) {
    std::lock_guard lock(mutex_);
    text_ = text;
    caret_ = 0;
}

std::string FakeEditor::Text() const {
    std::lock_guard lock(mutex_);
    return text_;
}
bool FakeEditor::TextModified() const {
    std::lock_guard lock(mutex_);
    return textModified_;
}
bool FakeEditor::DocumentModified() const {
    std::lock_guard lock(mutex_);
    return documentModified_;
}
bool FakeEditor::ReadOnly() const {
    std::lock_guard lock(mutex_);
    return readOnly_;
}
std::size_t FakeEditor::Caret() const {
    std::lock_guard lock(mutex_);
    return caret_;
}
void FakeEditor::SetTextModified(bool modified) {
    std::lock_guard lock(mutex_);
    textModified_ = modified;
}
void FakeEditor::SetDocumentModified(bool modified) {
    std::lock_guard lock(mutex_);
    documentModified_ = modified;
}
void FakeEditor::SetConfirmAnswer(bool answer) {
    std::lock_guard lock(mutex_);
    confirmAnswer_ = answer;
}
int FakeEditor::ConfirmQuestions() const {
    std::lock_guard lock(mutex_);
    return confirmQuestions_;
}
std::vector<std::string> FakeEditor::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

}  // namespace halvex::testing
