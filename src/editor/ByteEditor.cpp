#include "editor/ByteEditor.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <algorithm>

#include "convert/LineEnds.h"
#include "editor/EditorFont.h"

namespace halvex {
namespace {

using Base = QsciScintillaBase;

// The keys a plain text box has. Every other key binding of the control is removed.
struct KeyBinding {
    QsciCommand::Command command;
    int key;
    int alternateKey;
};

// The exact bytes of a copy, put on the clipboard beside the plain text for Halvex itself.
const QString kBytesMimeType = QStringLiteral("application/x-halvex-bytes");

constexpr int kShift = Qt::SHIFT;
constexpr int kCtrl = Qt::CTRL;

const KeyBinding kPlainTextKeys[] = {
    {QsciCommand::LineDown, Qt::Key_Down, 0},
    {QsciCommand::LineDownExtend, Qt::Key_Down | kShift, 0},
    {QsciCommand::LineUp, Qt::Key_Up, 0},
    {QsciCommand::LineUpExtend, Qt::Key_Up | kShift, 0},
    {QsciCommand::CharLeft, Qt::Key_Left, 0},
    {QsciCommand::CharLeftExtend, Qt::Key_Left | kShift, 0},
    {QsciCommand::CharRight, Qt::Key_Right, 0},
    {QsciCommand::CharRightExtend, Qt::Key_Right | kShift, 0},
    {QsciCommand::WordLeft, Qt::Key_Left | kCtrl, 0},
    {QsciCommand::WordLeftExtend, Qt::Key_Left | kCtrl | kShift, 0},
    {QsciCommand::WordRight, Qt::Key_Right | kCtrl, 0},
    {QsciCommand::WordRightExtend, Qt::Key_Right | kCtrl | kShift, 0},
    {QsciCommand::Home, Qt::Key_Home, 0},
    {QsciCommand::HomeExtend, Qt::Key_Home | kShift, 0},
    {QsciCommand::LineEnd, Qt::Key_End, 0},
    {QsciCommand::LineEndExtend, Qt::Key_End | kShift, 0},
    {QsciCommand::DocumentStart, Qt::Key_Home | kCtrl, 0},
    {QsciCommand::DocumentStartExtend, Qt::Key_Home | kCtrl | kShift, 0},
    {QsciCommand::DocumentEnd, Qt::Key_End | kCtrl, 0},
    {QsciCommand::DocumentEndExtend, Qt::Key_End | kCtrl | kShift, 0},
    {QsciCommand::PageUp, Qt::Key_PageUp, 0},
    {QsciCommand::PageUpExtend, Qt::Key_PageUp | kShift, 0},
    {QsciCommand::PageDown, Qt::Key_PageDown, 0},
    {QsciCommand::PageDownExtend, Qt::Key_PageDown | kShift, 0},
    {QsciCommand::Delete, Qt::Key_Delete, 0},
    {QsciCommand::DeleteBack, Qt::Key_Backspace, Qt::Key_Backspace | kShift},
    {QsciCommand::DeleteWordLeft, Qt::Key_Backspace | kCtrl, 0},
    {QsciCommand::DeleteWordRight, Qt::Key_Delete | kCtrl, 0},
    {QsciCommand::SelectAll, Qt::Key_A | kCtrl, 0},
    {QsciCommand::Newline, Qt::Key_Return, Qt::Key_Enter},
    {QsciCommand::Cancel, Qt::Key_Escape, 0},
};

}  // namespace

std::string ClipboardTextToBytes(const QString& text) {
    const QByteArray latin1 = text.toLatin1();
    return LfToCrLf(UpToNul(std::string_view(latin1.constData(), latin1.size())));
}

std::size_t FittingInsertLength(std::string_view inserted, std::size_t room) {
    if (inserted.size() <= room) return inserted.size();
    std::size_t length = room;
    if (length > 0 && inserted[length - 1] == '\r' && inserted[length] == '\n') --length;
    return length;
}

ByteEditor::ByteEditor(QWidget* parent) : QsciScintilla(parent) {
    ConfigurePresentation();
    ConfigureKeys();
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int, int type, const char*, int length, int, int, int, int, int, int) {
                OnModified(type, length);
            });
}

void ByteEditor::ConfigurePresentation() {
    setUtf8(false);
    SendScintilla(Base::SCI_SETCODEPAGE, 0);
    setEolMode(EolWindows);
    setEolVisibility(false);
    SendScintilla(Base::SCI_SETPASTECONVERTENDINGS, 0);
    setWrapMode(WrapNone);
    setTabWidth(8);
    setIndentationsUseTabs(true);
    setAutoIndent(false);
    for (int margin = 0; margin < 5; ++margin) setMarginWidth(margin, 0);
    SendScintilla(Base::SCI_SETHSCROLLBAR, 1);
    SendScintilla(Base::SCI_SETVSCROLLBAR, 1);
    SendScintilla(Base::SCI_SETSCROLLWIDTH, 1);
    SendScintilla(Base::SCI_SETSCROLLWIDTHTRACKING, 1);
    // Insertions are followed through their check notification only: the control's own
    // handling of insert notifications counts characters from the start of the text, which
    // would make every append cost as much as the whole text. Deletions, undo and redo are
    // notified in full; they come one at a time from the user.
    SendScintilla(Base::SCI_SETMODEVENTMASK, Base::SC_MOD_INSERTCHECK | Base::SC_MOD_DELETETEXT |
                                                 Base::SC_PERFORMED_UNDO |
                                                 Base::SC_PERFORMED_REDO);
    setFont(EditorFont());
}

void ByteEditor::ConfigureKeys() {
    SendScintilla(Base::SCI_CLEARALLCMDKEYS);
    QsciCommandSet* commands = standardCommands();
    for (QsciCommand* command : commands->commands()) {
        command->setKey(0);
        command->setAlternateKey(0);
    }
    for (const KeyBinding& binding : kPlainTextKeys) {
        if (QsciCommand* command = commands->find(binding.command)) {
            command->setKey(binding.key);
            command->setAlternateKey(binding.alternateKey);
        }
    }
}

std::size_t ByteEditor::Length() const {
    return static_cast<std::size_t>(SendScintilla(Base::SCI_GETLENGTH));
}

std::string ByteEditor::Bytes() const { return std::string(BytesView()); }

std::string_view ByteEditor::BytesView() const {
    const std::size_t length = Length();
    const char* text =
        reinterpret_cast<const char*>(SendScintilla(Base::SCI_GETCHARACTERPOINTER));
    return text ? std::string_view(text, length) : std::string_view();
}

std::string ByteEditor::SelectedBytes() const {
    const long start = SendScintilla(Base::SCI_GETSELECTIONSTART);
    const long end = SendScintilla(Base::SCI_GETSELECTIONEND);
    if (end <= start) return {};
    const char* text =
        reinterpret_cast<const char*>(SendScintilla(Base::SCI_GETCHARACTERPOINTER));
    return std::string(text + start, static_cast<std::size_t>(end - start));
}

std::size_t ByteEditor::SelectionLength() const {
    return static_cast<std::size_t>(SendScintilla(Base::SCI_GETSELECTIONEND) -
                                    SendScintilla(Base::SCI_GETSELECTIONSTART));
}

bool ByteEditor::HasSelection() const {
    return SendScintilla(Base::SCI_GETSELECTIONEND) > SendScintilla(Base::SCI_GETSELECTIONSTART);
}

std::size_t ByteEditor::Caret() const {
    return static_cast<std::size_t>(SendScintilla(Base::SCI_GETCURRENTPOS));
}

void ByteEditor::SetBytes(std::string_view text) {
    text = UpToNul(text);
    const bool wasReadOnly = isReadOnly();
    setReadOnly(false);
    limitInsertions_ = false;
    SendScintilla(Base::SCI_SETUNDOCOLLECTION, 0);
    SendScintilla(Base::SCI_CLEARALL);
    SendScintilla(Base::SCI_APPENDTEXT, static_cast<unsigned long>(text.size()), text.data());
    SendScintilla(Base::SCI_SETUNDOCOLLECTION, 1);
    SendScintilla(Base::SCI_EMPTYUNDOBUFFER);
    limitInsertions_ = true;
    lastChangeWasUndo_ = false;
    SendScintilla(Base::SCI_GOTOPOS, 0);
    setReadOnly(wasReadOnly);
}

void ByteEditor::InsertBytes(std::string_view text) {
    DeferRepaint();
    text = UpToNul(text);
    const bool wasReadOnly = isReadOnly();
    setReadOnly(false);
    limitInsertions_ = false;
    SendScintilla(Base::SCI_SETUNDOCOLLECTION, 0);
    SendScintilla(Base::SCI_TARGETFROMSELECTION);
    SendScintilla(Base::SCI_REPLACETARGET, static_cast<unsigned long>(text.size()), text.data());
    const long end = SendScintilla(Base::SCI_GETTARGETEND);
    SendScintilla(Base::SCI_SETUNDOCOLLECTION, 1);
    // Earlier undo steps no longer match the text once a change was made outside the history.
    SendScintilla(Base::SCI_EMPTYUNDOBUFFER);
    limitInsertions_ = true;
    lastChangeWasUndo_ = false;
    SendScintilla(Base::SCI_GOTOPOS, end);
    setReadOnly(wasReadOnly);
}

// A download hands over every line as it arrives, tens of thousands of them a second at full
// line speed. Repainting the editor after each one would cost far more than the insertion
// itself, so the first insertion of a burst stops repainting and a timer shows the whole burst
// a moment later: the text still appears as it arrives, many times a second.
void ByteEditor::DeferRepaint() {
    constexpr int kStreamRepaintMs = 40;
    if (repaintDeferred_) return;
    repaintDeferred_ = true;
    setUpdatesEnabled(false);  // the text area and the scroll bars
    QTimer::singleShot(kStreamRepaintMs, this, [this] {
        repaintDeferred_ = false;
        setUpdatesEnabled(true);
        viewport()->update();
    });
}

void ByteEditor::SelectAllBytes() {
    SendScintilla(Base::SCI_SETSEL, 0L, static_cast<long>(Length()));
    SendScintilla(Base::SCI_SCROLLCARET);
}

void ByteEditor::DeleteSelection() {
    if (isReadOnly()) return;
    SendScintilla(Base::SCI_CLEAR);
}

void ByteEditor::MoveCaret(std::size_t index) {
    const std::size_t position = std::min(index, Length());
    SendScintilla(Base::SCI_GOTOPOS, static_cast<unsigned long>(position));
}

bool ByteEditor::CanUndoOnce() const {
    if (lastChangeWasUndo_ && SendScintilla(Base::SCI_CANREDO)) return true;
    return SendScintilla(Base::SCI_CANUNDO) != 0;
}

void ByteEditor::UndoOnce() {
    if (isReadOnly()) return;
    undoing_ = true;
    if (lastChangeWasUndo_ && SendScintilla(Base::SCI_CANREDO)) {
        SendScintilla(Base::SCI_REDO);
        lastChangeWasUndo_ = false;
    } else if (SendScintilla(Base::SCI_CANUNDO)) {
        SendScintilla(Base::SCI_UNDO);
        lastChangeWasUndo_ = true;
    }
    undoing_ = false;
}

void ByteEditor::CopyToClipboard() {
    if (!HasSelection()) return;
    const std::string bytes = SelectedBytes();
    const QByteArray exact(bytes.data(), static_cast<qsizetype>(bytes.size()));
    auto* data = new QMimeData;
    data->setText(QString::fromLatin1(exact));
    data->setData(kBytesMimeType, exact);
    QApplication::clipboard()->setMimeData(data);
}

void ByteEditor::CutToClipboard() {
    if (isReadOnly() || !HasSelection()) return;
    CopyToClipboard();
    DeleteSelection();
}

void ByteEditor::PasteFromClipboard() {
    if (isReadOnly()) return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data) return;
    const QString text = data->text();
    if (text.isEmpty()) return;
    // Halvex's own copy pastes back byte for byte, as long as the plain text beside it is still
    // the one Halvex put there; text from other programs follows the line-end rule.
    const QByteArray exact = data->data(kBytesMimeType);
    if (!exact.isEmpty() && QString::fromLatin1(exact) == text) {
        ReplaceSelectionAsUser(UpToNul(std::string_view(exact.constData(), exact.size())));
        return;
    }
    ReplaceSelectionAsUser(ClipboardTextToBytes(text));
}

void ByteEditor::ReplaceSelectionAsUser(std::string_view text) {
    if (isReadOnly()) return;
    const std::size_t kept = Length() - SelectionLength();
    const std::size_t room = kept < capacity_ ? capacity_ - kept : 0;
    text = text.substr(0, FittingInsertLength(text, room));
    SendScintilla(Base::SCI_BEGINUNDOACTION);
    SendScintilla(Base::SCI_TARGETFROMSELECTION);
    SendScintilla(Base::SCI_REPLACETARGET, static_cast<unsigned long>(text.size()), text.data());
    const long end = SendScintilla(Base::SCI_GETTARGETEND);
    SendScintilla(Base::SCI_ENDUNDOACTION);
    SendScintilla(Base::SCI_GOTOPOS, end);
}

void ByteEditor::ReplaceAllAsUser(std::string_view text, std::size_t caret) {
    if (isReadOnly()) return;
    SendScintilla(Base::SCI_BEGINUNDOACTION);
    SendScintilla(Base::SCI_SETTARGETRANGE, 0UL, static_cast<long>(Length()));
    SendScintilla(Base::SCI_REPLACETARGET, static_cast<unsigned long>(text.size()), text.data());
    SendScintilla(Base::SCI_ENDUNDOACTION);
    SendScintilla(Base::SCI_GOTOPOS, static_cast<unsigned long>(std::min(caret, text.size())));
}

void ByteEditor::OnModified(int type, int length) {
    if (type & Base::SC_MOD_INSERTCHECK) {
        // The last guard for insertions the editor makes itself (typing, drag and drop): one
        // that would pass the capacity is refused whole. Pastes are cut to fit before this.
        const std::size_t current = Length();
        const std::size_t room = current < capacity_ ? capacity_ - current : 0;
        if (limitInsertions_ && static_cast<std::size_t>(length) > room) {
            SendScintilla(Base::SCI_CHANGEINSERTION, 0UL, "");
            return;
        }
        if (length <= 0) return;
    } else if (!(type & (Base::SC_MOD_INSERTTEXT | Base::SC_MOD_DELETETEXT))) {
        return;
    }
    if (!undoing_) lastChangeWasUndo_ = false;
    emit BytesChanged();
}

bool ByteEditor::event(QEvent* event) {
    // Escape belongs to the window, where it stops a running transfer; the editor would only
    // cancel things it never shows (autocompletion lists, call tips).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) return false;
    }
    return QsciScintilla::event(event);
}

void ByteEditor::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    // A Ctrl or Meta key that is not one of the editor's own keys types nothing: it is left to
    // the window (its accelerators) or has no effect.
    if ((modifiers & (Qt::ControlModifier | Qt::MetaModifier)) &&
        !standardCommands()->boundTo(key | static_cast<int>(modifiers))) {
        event->ignore();
        return;
    }
    const bool editingKey = key == Qt::Key_Delete || key == Qt::Key_Backspace ||
                            key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab;
    if (isReadOnly() && editingKey) {
        event->accept();  // refused; the selection stays as it was
        return;
    }
    // A tab replaces the selection, as in a plain text box (no indenting of selected lines).
    if (key == Qt::Key_Tab && modifiers == Qt::NoModifier) {
        ReplaceSelectionAsUser("\t");
        return;
    }
    QsciScintilla::keyPressEvent(event);
}

void ByteEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const bool writable = !isReadOnly();
    const bool selected = HasSelection();
    menu.addAction(tr("&Undo"), this, &ByteEditor::UndoOnce)->setEnabled(writable && CanUndoOnce());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &ByteEditor::CutToClipboard)->setEnabled(writable && selected);
    menu.addAction(tr("&Copy"), this, &ByteEditor::CopyToClipboard)->setEnabled(selected);
    menu.addAction(tr("&Paste"), this, &ByteEditor::PasteFromClipboard)
        ->setEnabled(writable && !QApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("&Delete"), this, &ByteEditor::DeleteSelection)
        ->setEnabled(writable && selected);
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &ByteEditor::SelectAllBytes)->setEnabled(Length() > 0);
    menu.exec(event->globalPos());
}

}  // namespace halvex
