#include "common/MemoryEditor.h"

#include <algorithm>

namespace halvex {

std::string MemoryEditor::GetEditorText() { return Text(); }

void MemoryEditor::SetEditorText(const std::string& text) {
    std::lock_guard lock(mutex_);
    text_ = text;
    caret_ = 0;
    textModified_ = false;
}

void MemoryEditor::ClearEditor() {
    {
        std::lock_guard lock(mutex_);
        if (readOnly_ || text_.empty()) return;
        text_.clear();
        caret_ = 0;
        textModified_ = true;
    }
    TextChanged();
}

bool MemoryEditor::AppendEditorText(const std::string& text) {
    {
        std::lock_guard lock(mutex_);
        if (text_.size() + text.size() > kEditorCapacity) return false;
        text_.insert(caret_, text);
        caret_ += text.size();
        textModified_ = true;
    }
    TextChanged();
    return true;
}

void MemoryEditor::MoveCaretTo(std::size_t index) {
    std::lock_guard lock(mutex_);
    caret_ = std::min(index, text_.size());
}

void MemoryEditor::SetEditorReadOnly(bool readOnly) {
    std::lock_guard lock(mutex_);
    readOnly_ = readOnly;
}

bool MemoryEditor::ConfirmUnsaved() { return !TextModified() || AnswerUnsavedQuestion(); }

std::string MemoryEditor::Text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

std::size_t MemoryEditor::Caret() const {
    std::lock_guard lock(mutex_);
    return caret_;
}

bool MemoryEditor::ReadOnly() const {
    std::lock_guard lock(mutex_);
    return readOnly_;
}

bool MemoryEditor::TextModified() const {
    std::lock_guard lock(mutex_);
    return textModified_;
}

void MemoryEditor::SetTextModified(bool modified) {
    std::lock_guard lock(mutex_);
    textModified_ = modified;
}

}  // namespace halvex
