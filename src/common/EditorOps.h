#pragma once
// The operations through which every command and worker reads and changes the editor's text.
// The core sees the editor only through this interface; the Qt view implements it, and tests use
// a fake.
//
// Text is single-byte: a std::string holds raw bytes (0x01..0xFF), never UTF-8 conversions.
// ClearEditor, AppendEditorText, MoveCaretTo, SetEditorReadOnly and DetachFromFile may be called
// from worker threads; the implementation carries them out on the user-interface thread while
// the caller waits, in the order made. GetEditorText, SetEditorText and ConfirmUnsaved are called
// on the user-interface thread only.

#include <cstddef>
#include <string>
#include <string_view>

namespace halvex {

// The most characters the editor holds (1 MiB less one).
inline constexpr std::size_t kEditorCapacity = 1'048'575;

// The editor holds no byte of value 0: text that comes into it (an opened file, a paste) ends
// before the first one. The bytes of `text` up to that NUL byte.
constexpr std::string_view UpToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

class EditorOps {
public:
    virtual ~EditorOps() = default;

    // A copy of the whole text, exactly as held.
    virtual std::string GetEditorText() = 0;
    // Replaces the whole text, caret to the start, undo history emptied, text-modified flag
    // cleared. Works while read-only.
    virtual void SetEditorText(const std::string& text) = 0;
    // Selects all and deletes it as the user's Delete would; deletes nothing while read-only.
    virtual void ClearEditor() = 0;
    // Replaces the selection (or inserts at the caret) with the text; caret ends after it.
    // Works while read-only. Returns false, inserting nothing, when the text would grow past
    // kEditorCapacity.
    virtual bool AppendEditorText(const std::string& text) = 0;
    // Removes the selection and puts the caret at the index (clamped to the end).
    virtual void MoveCaretTo(std::size_t index) = 0;
    virtual void SetEditorReadOnly(bool readOnly) = 0;
    // True at once when the text-modified flag is clear; otherwise asks
    // "The file has not been saved,continue?" (caption "Veltra", Yes/No) and returns the answer.
    virtual bool ConfirmUnsaved() = 0;
    // A transfer is about to replace the text (a download's lines, an upload's echo): the
    // document lets go of the file it was opened from or saved to and becomes untitled, so that
    // a Save asks for a name instead of writing the transfer over that file. The file itself and
    // the recent-file list stay as they were. Text that belongs to no file has nothing to do.
    virtual void DetachFromFile() = 0;
};

}  // namespace halvex
