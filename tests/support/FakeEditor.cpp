#include "support/FakeEditor.h"

namespace halvex::testing {

void FakeEditor::SetEditorText(const std::string& text) {
    Record("Set:" + text);
    MemoryEditor::SetEditorText(text);
}

void FakeEditor::ClearEditor() {
    Record("Clear");
    MemoryEditor::ClearEditor();
}

bool FakeEditor::AppendEditorText(const std::string& text) {
    Record("Append:" + text);
    return MemoryEditor::AppendEditorText(text);
}

void FakeEditor::MoveCaretTo(std::size_t index) {
    Record("Caret:" + std::to_string(index));
    MemoryEditor::MoveCaretTo(index);
}

void FakeEditor::SetEditorReadOnly(bool readOnly) {
    Record(readOnly ? "ReadOnly:1" : "ReadOnly:0");
    MemoryEditor::SetEditorReadOnly(readOnly);
}

bool FakeEditor::ConfirmUnsaved() {
    Record("Confirm");
    return MemoryEditor::ConfirmUnsaved();
}

void FakeEditor::DetachFromFile() { Record("Detach"); }

void FakeEditor::SetText(const std::string& text) {
    const bool modified = TextModified();
    MemoryEditor::SetEditorText(text);
    SetTextModified(modified);
}

bool FakeEditor::DocumentModified() const {
    std::lock_guard lock(mutex_);
    return documentModified_;
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

void FakeEditor::TextChanged() {
    std::lock_guard lock(mutex_);
    documentModified_ = true;
}

bool FakeEditor::AnswerUnsavedQuestion() {
    std::lock_guard lock(mutex_);
    ++confirmQuestions_;
    return confirmAnswer_;
}

void FakeEditor::Record(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

}  // namespace halvex::testing
