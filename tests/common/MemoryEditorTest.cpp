// The in-memory editor's rules that a command-line download relies on: text goes in at the
// caret, and an append that would pass the capacity inserts nothing. (The other rules show in
// the worker and command tests, whose fake editor is built on it.)

#include <gtest/gtest.h>

#include "common/MemoryEditor.h"

namespace halvex {
namespace {

TEST(MemoryEditor, AppendsAtTheCaretWithinTheCapacity) {
    MemoryEditor editor;
    EXPECT_TRUE(editor.AppendEditorText("ad"));
    editor.MoveCaretTo(1);
    EXPECT_TRUE(editor.AppendEditorText("bc"));
    EXPECT_EQ(editor.Text(), "abcd");
    editor.MoveCaretTo(99);
    EXPECT_EQ(editor.Caret(), 4u);
    EXPECT_FALSE(editor.AppendEditorText(std::string(kEditorCapacity - 3, 'x')));
    EXPECT_EQ(editor.Text(), "abcd");
    EXPECT_TRUE(editor.AppendEditorText(std::string(kEditorCapacity - 4, 'x')));
}
}  // namespace
}  // namespace halvex
