// The in-memory editor's rules: text goes in at the caret, an append that would pass the
// capacity inserts nothing, a read-only editor is not cleared, and only modified text asks.

#include <gtest/gtest.h>

#include "common/MemoryEditor.h"

namespace halvex {
namespace {

class AnsweringEditor : public MemoryEditor {
public:
    int questions = 0;

protected:
    bool AnswerUnsavedQuestion() override {
        ++questions;
        return false;
    }
};

TEST(MemoryEditor, AppendsAtTheCaretWithinTheCapacity) {
    MemoryEditor editor;
    EXPECT_TRUE(editor.AppendEditorText("ad"));
    editor.MoveCaretTo(1);
    EXPECT_TRUE(editor.AppendEditorText("bc"));
    EXPECT_EQ(editor.Text(), "abcd");
    EXPECT_EQ(editor.Caret(), 3u);
    editor.MoveCaretTo(static_cast<std::size_t>(-1));
    EXPECT_EQ(editor.Caret(), 4u);

    EXPECT_FALSE(editor.AppendEditorText(std::string(kEditorCapacity - 3, 'x')));
    EXPECT_EQ(editor.Text(), "abcd");
    EXPECT_TRUE(editor.AppendEditorText(std::string(kEditorCapacity - 4, 'x')));
    EXPECT_EQ(editor.Text().size(), kEditorCapacity);
}

TEST(MemoryEditor, ReadOnlyKeepsTheTextFromClearingButNotFromAppends) {
    MemoryEditor editor;
    editor.SetEditorText("kept\n");
    editor.SetEditorReadOnly(true);
    editor.ClearEditor();
    EXPECT_EQ(editor.Text(), "kept\n");
    EXPECT_TRUE(editor.AppendEditorText("more\n"));  // a download appends while read-only
    editor.SetEditorReadOnly(false);
    editor.ClearEditor();
    EXPECT_EQ(editor.Text(), "");
}

TEST(MemoryEditor, OnlyModifiedTextAsksBeforeItIsReplaced) {
    AnsweringEditor editor;
    editor.SetEditorText("loaded");
    EXPECT_TRUE(editor.ConfirmUnsaved());
    EXPECT_TRUE(editor.AppendEditorText("!"));
    EXPECT_FALSE(editor.ConfirmUnsaved());
    EXPECT_EQ(editor.questions, 1);
    // Text held only in memory has no file to lose: the plain editor goes on.
    MemoryEditor plain;
    EXPECT_TRUE(plain.AppendEditorText("!"));
    EXPECT_TRUE(plain.ConfirmUnsaved());
}

}  // namespace
}  // namespace halvex
