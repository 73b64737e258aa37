#pragma once
// The in-memory editor with what core tests need to see and steer: every operation in call
// order, the document's modified flag, and the answer to the unsaved-text question.
// Thread-safe, so workers can use it from their own threads.

#include <mutex>
#include <string>
#include <vector>

#include "common/MemoryEditor.h"

namespace halvex::testing {

class FakeEditor : public MemoryEditor {
public:
    void SetEditorText(const std::string& text) override;
    void ClearEditor() override;
    bool AppendEditorText(const std::string& text) override;
    void MoveCaretTo(std::size_t index) override;
    void SetEditorReadOnly(bool readOnly) override;
    bool ConfirmUnsaved() override;
    void DetachFromFile() override;

    // Test controls and observations.
    void SetText(const std::string& text);  // as the user would leave it: flags untouched
    bool DocumentModified() const;
    void SetDocumentModified(bool modified);
    // The answer ConfirmUnsaved gives when it asks; counts the questions.
    void SetConfirmAnswer(bool answer);
    int ConfirmQuestions() const;
    // Every operation in call order ("Detach", "Clear", "Append:<text>", "ReadOnly:1", ...).
    std::vector<std::string> Calls() const;

protected:
    void TextChanged() override;
    bool AnswerUnsavedQuestion() override;

private:
    void Record(std::string call);

    mutable std::mutex mutex_;
    bool documentModified_ = false;
    bool confirmAnswer_ = true;
    int confirmQuestions_ = 0;
    std::vector<std::string> calls_;
};

}  // namespace halvex::testing
