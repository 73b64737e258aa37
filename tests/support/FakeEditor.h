#pragma once
// An in-memory editor that follows the editor operations' rules (flags, read-only, caret,
// capacity), for core tests. Thread-safe, so workers can use it from their own threads.

#include <mutex>
#include <string>
#include <vector>

#include "common/EditorOps.h"

namespace halvex::testing {

class FakeEditor : public EditorOps {
public:
    std::string GetEditorText() override;
    void SetEditorText(const std::string& text) override;
    void ClearEditor() override;
    bool AppendEditorText(const std::string& text) override;
    void MoveCaretTo(std::size_t index) override;
    void SetEditorReadOnly(bool readOnly) override;
    bool ConfirmUnsaved() override;

    // Test controls and observations.
    void SetText(const std::string& text);  // as the user would leave it: flags untouched
    std::string Text() const;
    bool TextModified() const;
    bool DocumentModified() const;
    bool ReadOnly() const;
    std::size_t Caret() const;
    void SetTextModified(bool modified);
    void SetDocumentModified(bool modified);
    // The answer ConfirmUnsaved gives when it asks; counts the questions.
    void SetConfirmAnswer(bool answer);
    int ConfirmQuestions() const;
    // Every operation in call order ("Clear", "Append:<text>", "ReadOnly:1", ...).
    std::vector<std::string> Calls() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
    std::size_t caret_ = 0;
    bool textModified_ = false;
    bool documentModified_ = false;
    bool readOnly_ = false;
    bool confirmAnswer_ = true;
    int confirmQuestions_ = 0;
    std::vector<std::string> calls_;
};

}  // namespace halvex::testing
