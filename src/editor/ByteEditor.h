#pragma once
// The editor control: a Scintilla editor held in single-byte mode, so every byte 0x01..0xFF the
// text holds is kept and shown as it is (control bytes visibly), with the behaviour of a plain
// text box:
// - Enter inserts CR LF, line ends are never translated, no word wrap, tab stops every eight
//   characters, fixed-pitch font;
// - the user cannot grow the text past its capacity (typing is refused, a paste is cut short);
// - one level of undo: Undo reverts the last change, a second Undo reverts the first;
// - Cut, Copy and Paste use the clipboard's plain text, byte for byte as Latin-1; a copy also
//   carries its exact bytes, so that pasting it back into Halvex changes no line end;
// - only the plain editing and moving keys are bound; everything else (Undo, clipboard keys,
//   Scintilla's line and case commands) is left to the window's accelerators or does nothing.

#include <Qsci/qsciscintilla.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "common/EditorOps.h"

namespace halvex {

class ByteEditor : public QsciScintilla {
    Q_OBJECT

public:
    explicit ByteEditor(QWidget* parent = nullptr);

    std::size_t Length() const;
    std::string Bytes() const;
    // The text without a copy; valid until the next change.
    std::string_view BytesView() const;
    std::string SelectedBytes() const;
    std::size_t SelectionLength() const;
    bool HasSelection() const;
    std::size_t Caret() const;
    std::size_t Capacity() const { return capacity_; }

    // Replaces the whole text (even while read-only, and beyond the capacity); caret to the
    // start, undo history emptied.
    void SetBytes(std::string_view text);
    // The program's insertion: replaces the selection (or inserts at the caret) even while
    // read-only; the caret ends after the text and is scrolled into view. Not undoable. The text
    // is taken up to its first NUL byte. The caller checks the capacity.
    void InsertBytes(std::string_view text);
    // Selects everything and scrolls the caret into view.
    void SelectAllBytes();
    // Deletes the selection as the user's Delete key would (nothing while read-only).
    void DeleteSelection();
    // Removes the selection and puts the caret at `index` (clamped to the end), scrolled into view.
    void MoveCaret(std::size_t index);

    // The user's editing commands; each is refused while read-only, except Copy.
    bool CanUndoOnce() const;
    void UndoOnce();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    // Replaces the whole text as one change that Undo reverts, caret to `caret`; refused while
    // read-only. The caller checks the capacity.
    void ReplaceAllAsUser(std::string_view text, std::size_t caret);

signals:
    // Text was inserted or deleted, by the user or by the program.
    void BytesChanged();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ConfigurePresentation();
    void ConfigureKeys();
    void OnModified(int type, int length);
    // User-level replacement of the selection (undoable, limited by the capacity).
    void ReplaceSelectionAsUser(std::string_view text);
    // Holds back repainting for a short interval while the program streams insertions in.
    void DeferRepaint();

    std::size_t capacity_ = kEditorCapacity;
    bool limitInsertions_ = true;  // off while the program sets the whole text
    bool lastChangeWasUndo_ = false;
    bool undoing_ = false;
    bool repaintDeferred_ = false;
};

// Clipboard text as editor bytes: Latin-1, cut at a NUL, LF not preceded by CR becomes CR LF.
std::string ClipboardTextToBytes(const QString& text);
// How many bytes of `inserted` fit into `room` without splitting a CR LF pair.
std::size_t FittingInsertLength(std::string_view inserted, std::size_t room);

}  // namespace halvex
