#pragma once
// The editor operations over text held in memory, with the window's rules that matter to
// commands and workers: insertion at the caret, the capacity that AppendEditorText refuses to
// pass, no deleting while read-only, and the text-modified flag. The command-line transfer keeps
// its download here; tests build their fake editor on it. Thread-safe, so a worker can use it
// from its own thread.

#include <mutex>
#include <string>

#include "common/EditorOps.h"

namespace halvex {

class MemoryEditor : public EditorOps {
public:
    std::string GetEditorText() override;
    void SetEditorText(const std::string& text) override;
    void ClearEditor() override;
    bool AppendEditorText(const std::string& text) override;
    void MoveCaretTo(std::size_t index) override;
    void SetEditorReadOnly(bool readOnly) override;
    // True at once when the text is unmodified; otherwise AnswerUnsavedQuestion() decides.
    bool ConfirmUnsaved() override;
    // Text held in memory belongs to no file: nothing to let go of.
    void DetachFromFile() override {}

    std::string Text() const;
    std::size_t Caret() const;
    bool ReadOnly() const;
    bool TextModified() const;
    void SetTextModified(bool modified);

protected:
    // Called, outside the lock, after ClearEditor or AppendEditorText changed the text.
    virtual void TextChanged() {}
    // The answer to "The file has not been saved,continue?". Text that lives only in memory
    // has no file to lose, so the default goes on.
    virtual bool AnswerUnsavedQuestion() { return true; }

private:
    mutable std::mutex mutex_;
    std::string text_;
    std::size_t caret_ = 0;
    bool readOnly_ = false;
    bool textModified_ = false;
};

}  // namespace halvex
