// The editor view: flags, the editor operations, capacity, undo, clipboard and keys.
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <functional>
#include <memory>

#include "editor/ByteEditor.h"
#include "editor/CommandIds.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"
#include "port/PosixSerialPort.h"

using namespace halvex;
using namespace halvex::testing;

namespace {

constexpr std::size_t kCapacity = kEditorCapacity;

struct FlagEvent {
    const char* name;
    std::function<void(CHalvexView&)> act;
    // 1 set, 0 cleared, -1 unchanged
    int text;
    int document;
};

}  // namespace

class EditorViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CHalvexDoc> doc_;
    std::unique_ptr<CHalvexView> view_;
    ByteEditor* editor_ = nullptr;

    void Type(const QString& text) { QTest::keyClicks(editor_, text); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(editor_, key, modifiers);
    }
    void Run(int id) {
        const CommandHandler* handler = view_->FindCommandHandler(id);
        QVERIFY(handler);
        if (handler->IsEnabled()) handler->run();
    }
    std::string Text() { return view_->GetEditorText(); }

private slots:
    void init() {
        doc_ = std::make_unique<CHalvexDoc>();
        view_ = std::make_unique<CHalvexView>(doc_.get());
        editor_ = view_->Editor();
        view_->resize(400, 300);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
        editor_->setFocus();
        doc_->OnNewDocument();
    }
    void cleanup() {
        view_.reset();
        doc_.reset();
    }

    void constructorSetsTheDefaults() {
        QCOMPARE(view_->CommSettings.Load(), CommSettingsValues{});
        QVERIFY(dynamic_cast<PosixPortOpener*>(view_->PortOpener()) != nullptr);
        view_->SetPortOpener(nullptr);
        TransferEnvironment environment = view_->MakeTransferEnvironment();
        QCOMPARE(static_cast<EditorOps*>(&environment.editor), static_cast<EditorOps*>(view_.get()));
        QCOMPARE(&environment.workers, &view_->Workers);
        QVERIFY(environment.ports.Open("COM1").port == nullptr);  // no opener: every open fails
    }

    void flagsFollowTheTable() {
        BoxRecorder boxes;
        const QString saved = QDir::tempPath() + QStringLiteral("/halvex-flags-test.txt");
        WriteBytes(saved, "file");
        const std::vector<FlagEvent> events = {
            {"typing", [this](CHalvexView&) { Type(QStringLiteral("x")); }, 1, 1},
            {"Delete key",
             [this](CHalvexView& v) {
                 v.MoveCaretTo(0);
                 Key(Qt::Key_Delete);
             },
             1, 1},
            {"Cut",
             [this](CHalvexView&) {
                 editor_->SelectAllBytes();
                 Run(ids::kEditCut);
             },
             1, 1},
            {"Paste",
             [this](CHalvexView&) {
                 QApplication::clipboard()->setText(QStringLiteral("p"));
                 Run(ids::kEditPaste);
             },
             1, 1},
            {"ClearEditor with text", [](CHalvexView& v) { v.ClearEditor(); }, 1, 1},
            {"AppendEditorText", [](CHalvexView& v) { v.AppendEditorText("a"); }, 1, 1},
            {"SetEditorText", [](CHalvexView& v) { v.SetEditorText("new"); }, 0, -1},
            {"GetEditorText", [](CHalvexView& v) { v.GetEditorText(); }, -1, -1},
            {"MoveCaretTo", [](CHalvexView& v) { v.MoveCaretTo(2); }, -1, -1},
            {"SetEditorReadOnly", [](CHalvexView& v) { v.SetEditorReadOnly(false); }, -1, -1},
            {"ConfirmUnsaved", [](CHalvexView& v) { v.ConfirmUnsaved(); }, -1, -1},
            {"new document", [this](CHalvexView&) { doc_->OnNewDocument(); }, 0, 0},
            {"open", [this, saved](CHalvexView&) { doc_->OnOpenDocument(saved); }, 0, 0},
            {"save", [this, saved](CHalvexView&) { doc_->OnSaveDocument(saved); }, 0, 0},
        };
        for (const FlagEvent& event : events) {
            for (const bool startSet : {false, true}) {
                view_->ResetText("base text");
                if (startSet) view_->AppendEditorText("");  // sets both flags, text unchanged
                QCOMPARE(view_->TextModified(), startSet);
                QCOMPARE(doc_->IsModified(), startSet);
                event.act(*view_);
                const bool text = event.text < 0 ? startSet : event.text == 1;
                const bool document = event.document < 0 ? startSet : event.document == 1;
                if (view_->TextModified() != text || doc_->IsModified() != document) {
                    QFAIL(qPrintable(QStringLiteral("%1 (flags %2 before)")
                                         .arg(QLatin1String(event.name))
                                         .arg(startSet ? "set" : "clear")));
                }
            }
        }
        QFile::remove(saved);
    }

    void undoSetsBothFlags() {
        view_->ResetText("abc");
        editor_->MoveCaret(3);
        Type(QStringLiteral("d"));
        view_->ClearTextModified();
        doc_->SetModifiedFlag(false);
        Run(ids::kEditUndo);
        QCOMPARE(Text(), std::string("abc"));
        QVERIFY(view_->TextModified());
        QVERIFY(doc_->IsModified());
    }

    void clearingAnEmptyTextChangesNoFlag() {
        view_->ResetText("");
        view_->ClearEditor();
        QVERIFY(!view_->TextModified());
        QVERIFY(!doc_->IsModified());
    }

    void everyNonNulByteSurvivesSetAndGet() {
        const std::string bytes = AllNonNulBytes() + "\r\n\n\r" + AllNonNulBytes();
        view_->SetEditorText(bytes);
        QCOMPARE(Text(), bytes);
        QCOMPARE(editor_->Caret(), std::size_t{0});
    }

    void setEditorTextEmptiesUndoAndWorksWhileReadOnly() {
        Type(QStringLiteral("abc"));
        view_->SetEditorReadOnly(true);
        view_->SetEditorText("replaced");
        QCOMPARE(Text(), std::string("replaced"));
        QVERIFY(!editor_->CanUndoOnce());
        QVERIFY(editor_->isReadOnly());
    }

    void appendReplacesTheSelectionAndLeavesTheCaretAfterIt() {
        view_->SetEditorText("0123456789");
        editor_->SendScintilla(QsciScintillaBase::SCI_SETSEL, 2UL, 5L);
        QVERIFY(view_->AppendEditorText("ab"));
        QCOMPARE(Text(), std::string("01ab56789"));
        QCOMPARE(editor_->Caret(), std::size_t{4});
        QVERIFY(!editor_->HasSelection());
    }

    void moveCaretBeyondTheEndThenAppendAddsAtTheEnd() {
        view_->SetEditorText("line\r\n");
        editor_->SendScintilla(QsciScintillaBase::SCI_SETSEL, 0UL, 3L);
        view_->MoveCaretTo(1'000'000);
        QVERIFY(!editor_->HasSelection());
        QCOMPARE(editor_->Caret(), std::size_t{6});
        view_->AppendEditorText("next");
        QCOMPARE(Text(), std::string("line\r\nnext"));
    }

    void whileReadOnlyAppendAddsAndClearRemovesNothing() {
        view_->SetEditorText("kept");
        view_->SetEditorReadOnly(true);
        view_->ClearEditor();
        QCOMPARE(Text(), std::string("kept"));
        QCOMPARE(editor_->SelectionLength(), std::size_t{4});  // Clear still selects everything
        view_->MoveCaretTo(4);
        QVERIFY(view_->AppendEditorText(" more"));
        QCOMPARE(Text(), std::string("kept more"));
        QVERIFY(editor_->isReadOnly());
    }

    void appendIsRefusedWhenTheTextWouldPassTheCapacity() {
        view_->SetEditorText(std::string(kCapacity - 2, 'x'));
        view_->MoveCaretTo(kCapacity);
        QVERIFY(!view_->AppendEditorText("abc"));
        QCOMPARE(editor_->Length(), kCapacity - 2);
        QVERIFY(view_->AppendEditorText("ab"));
        QCOMPARE(editor_->Length(), kCapacity);
        QVERIFY(!view_->AppendEditorText("c"));
        // Replacing a selection frees its room.
        editor_->SendScintilla(QsciScintillaBase::SCI_SETSEL, 0UL, 3L);
        QVERIFY(view_->AppendEditorText("yyy"));
        QCOMPARE(editor_->Length(), kCapacity);
    }

    void appendedTextEndsAtANul() {
        view_->SetEditorText("");
        QVERIFY(view_->AppendEditorText(std::string("ab\0cd", 5)));
        QCOMPARE(Text(), std::string("ab"));
    }

    void typingAndPastingStopAtTheCapacity() {
        view_->SetEditorText(std::string(kCapacity - 1, 'x'));
        editor_->MoveCaret(kCapacity);
        Type(QStringLiteral("ab"));
        QCOMPARE(editor_->Length(), kCapacity);
        QCOMPARE(Text().substr(kCapacity - 2), std::string("xa"));
        Key(Qt::Key_Return);
        QCOMPARE(editor_->Length(), kCapacity);

        view_->SetEditorText(std::string(kCapacity - 3, 'x'));
        editor_->MoveCaret(kCapacity);
        QApplication::clipboard()->setText(QStringLiteral("12345"));
        Run(ids::kEditPaste);
        QCOMPARE(Text().substr(kCapacity - 4), std::string("x123"));

        // A line break is not split: with room for two bytes, "x" CR LF pastes only "x".
        view_->SetEditorText(std::string(kCapacity - 2, 'x'));
        editor_->MoveCaret(kCapacity);
        QApplication::clipboard()->setText(QStringLiteral("y\r\n"));
        Run(ids::kEditPaste);
        QCOMPARE(Text().substr(kCapacity - 3), std::string("xy"));
    }

    void enterInsertsCrLfAndTabATab() {
        view_->SetEditorText("ab");
        editor_->MoveCaret(1);
        Key(Qt::Key_Return);
        QCOMPARE(Text(), std::string("a\r\nb"));
        editor_->SendScintilla(QsciScintillaBase::SCI_SETSEL, 0UL, 4L);
        Key(Qt::Key_Tab);  // replaces the selection, as in a plain text box
        QCOMPARE(Text(), std::string("\t"));
    }

    void undoHasOneLevelAndToggles() {
        view_->SetEditorText("one");
        editor_->MoveCaret(3);
        Type(QStringLiteral("A"));
        editor_->MoveCaret(0);
        Type(QStringLiteral("B"));
        QCOMPARE(Text(), std::string("BoneA"));
        const std::string expected[] = {"oneA", "BoneA", "oneA", "BoneA"};
        for (const std::string& text : expected) {
            QVERIFY(view_->FindCommandHandler(ids::kEditUndo)->IsEnabled());
            Run(ids::kEditUndo);
            QCOMPARE(Text(), text);
        }
        // A new change starts over: Undo reverts it, not the older one.
        editor_->MoveCaret(Text().size());
        Type(QStringLiteral("C"));
        Run(ids::kEditUndo);
        QCOMPARE(Text(), std::string("BoneA"));
    }

    void undoIsDisabledWithNothingToUndo() {
        view_->SetEditorText("text");
        QVERIFY(!view_->FindCommandHandler(ids::kEditUndo)->IsEnabled());
        Run(ids::kEditUndo);
        QCOMPARE(Text(), std::string("text"));
    }

    void cutAndCopyNeedASelectionPasteNeedsClipboardText() {
        view_->SetEditorText("text");
        QVERIFY(!view_->FindCommandHandler(ids::kEditCut)->IsEnabled());
        QVERIFY(!view_->FindCommandHandler(ids::kEditCopy)->IsEnabled());
        editor_->SelectAllBytes();
        QVERIFY(view_->FindCommandHandler(ids::kEditCut)->IsEnabled());
        QVERIFY(view_->FindCommandHandler(ids::kEditCopy)->IsEnabled());
        QApplication::clipboard()->clear();
        QVERIFY(!view_->FindCommandHandler(ids::kEditPaste)->IsEnabled());
        QApplication::clipboard()->setText(QStringLiteral("x"));
        QVERIFY(view_->FindCommandHandler(ids::kEditPaste)->IsEnabled());
    }

    void clipboardCarriesEveryByteAsLatin1() {
        const std::string bytes = "\x02" "A\xB0\xFF\x80\r\n\t";
        view_->SetEditorText(bytes);
        editor_->SelectAllBytes();
        Run(ids::kEditCopy);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(bytes.data(), 8));
        Run(ids::kEditCut);
        QCOMPARE(Text(), std::string());
        Run(ids::kEditPaste);
        Run(ids::kEditPaste);
        QCOMPARE(Text(), bytes + bytes);
    }

    void clipboardTextBecomesEditorBytes_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QStringLiteral("abc") << QByteArray("abc");
        QTest::newRow("LF lines get CR LF") << QStringLiteral("a\nb\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("CR LF kept") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb");
        QTest::newRow("lone CR kept") << QStringLiteral("a\rb") << QByteArray("a\rb");
        QTest::newRow("leading LF") << QStringLiteral("\nx") << QByteArray("\r\nx");
        QTest::newRow("cut at NUL") << QString::fromLatin1("ab\0cd", 5) << QByteArray("ab");
        QTest::newRow("Latin-1") << QString::fromLatin1("\xE9\xFF") << QByteArray("\xE9\xFF");
        QTest::newRow("beyond Latin-1") << QString(QChar(0x20AC)) << QByteArray("?");
    }
    void clipboardTextBecomesEditorBytes() {
        QFETCH(QString, clipboard);
        QFETCH(QByteArray, bytes);
        QCOMPARE(ClipboardTextToBytes(clipboard), bytes.toStdString());
    }

    void halvexsOwnCopyPastesBackByteForByte() {
        const std::string bytes = "LF only\nCR LF\r\nlone CR\rend\n";
        view_->SetEditorText(bytes);
        editor_->SelectAllBytes();
        Run(ids::kEditCopy);
        Run(ids::kEditPaste);
        QCOMPARE(Text(), bytes);
        // Text another program puts on the clipboard still follows the line-end rule.
        QApplication::clipboard()->setText(QStringLiteral("x\ny"));
        Run(ids::kEditPaste);
        QCOMPARE(Text(), bytes + "x\r\ny");
    }

    void lineEndsToCrLfIsOneUndoableChange() {
        const CommandHandler* command = view_->FindCommandHandler(ids::kEditLineEndsToCrLf);
        view_->SetEditorText("a\nb\r\nc\n");
        editor_->MoveCaret(2);  // before "b"
        QVERIFY(command->IsEnabled());
        Run(ids::kEditLineEndsToCrLf);
        QCOMPARE(Text(), std::string("a\r\nb\r\nc\r\n"));
        QCOMPARE(editor_->Caret(), std::size_t{3});
        QVERIFY(view_->TextModified());
        QVERIFY(doc_->IsModified());
        QVERIFY(!command->IsEnabled());  // nothing left to change
        Run(ids::kEditUndo);
        QCOMPARE(Text(), std::string("a\nb\r\nc\n"));
        Run(ids::kEditUndo);
        QCOMPARE(Text(), std::string("a\r\nb\r\nc\r\n"));
        // Past the capacity nothing is changed, and the user is told.
        BoxRecorder boxes;
        const std::string full = std::string(kCapacity - 1, 'x') + "\n";
        view_->SetEditorText(full);
        Run(ids::kEditLineEndsToCrLf);
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QCOMPARE(Text(), full);
        view_->SetEditorReadOnly(true);
        QVERIFY(!command->IsEnabled());
    }

    void fittingInsertLength_data() {
        QTest::addColumn<QByteArray>("inserted");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("fits");
        QTest::newRow("all fits") << QByteArray("abc") << 3 << 3;
        QTest::newRow("cut") << QByteArray("abc") << 2 << 2;
        QTest::newRow("no room") << QByteArray("abc") << 0 << 0;
        QTest::newRow("CR LF not split") << QByteArray("a\r\nb") << 2 << 1;
        QTest::newRow("CR LF whole") << QByteArray("a\r\nb") << 3 << 3;
        QTest::newRow("lone CR may end it") << QByteArray("a\rb") << 2 << 2;
    }
    void fittingInsertLength() {
        QFETCH(QByteArray, inserted);
        QFETCH(int, room);
        QFETCH(int, fits);
        QCOMPARE(FittingInsertLength(inserted.toStdString(), static_cast<std::size_t>(room)),
                 static_cast<std::size_t>(fits));
    }

    void readOnlyRefusesEditsButAllowsCopyAndMoving() {
        view_->SetEditorText("fixed");
        view_->SetEditorReadOnly(true);
        QApplication::clipboard()->setText(QStringLiteral("p"));
        editor_->MoveCaret(5);
        Type(QStringLiteral("typed"));
        Key(Qt::Key_Backspace);
        Key(Qt::Key_Return);
        editor_->SelectAllBytes();
        Key(Qt::Key_Delete);
        Run(ids::kEditCut);
        Run(ids::kEditPaste);
        Run(ids::kEditUndo);
        QCOMPARE(Text(), std::string("fixed"));
        Run(ids::kEditCopy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("fixed"));
        editor_->MoveCaret(0);
        Key(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(editor_->SelectedBytes(), std::string("f"));
        view_->SetEditorReadOnly(false);
        Type(QStringLiteral("F"));
        QCOMPARE(Text(), std::string("Fixed"));
    }

    void scintillaExtraKeysDoNothing_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Ctrl+D duplicate") << int(Qt::Key_D) << ctrl;
        QTest::newRow("Ctrl+T transpose") << int(Qt::Key_T) << ctrl;
        QTest::newRow("Ctrl+L cut line") << int(Qt::Key_L) << ctrl;
        QTest::newRow("Ctrl+Shift+L") << int(Qt::Key_L) << (ctrl | shift);
        QTest::newRow("Ctrl+U lower case") << int(Qt::Key_U) << ctrl;
        QTest::newRow("Ctrl+Shift+U upper case") << int(Qt::Key_U) << (ctrl | shift);
        QTest::newRow("Ctrl+Y redo") << int(Qt::Key_Y) << ctrl;
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << ctrl;
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << ctrl;
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << shift;
        QTest::newRow("Insert overtype") << int(Qt::Key_Insert) << 0;
    }
    void scintillaExtraKeysDoNothing() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const std::string original = "AbC\r\nline two";
        view_->SetEditorText(original);
        // Leave something to redo, so that a redo key would show.
        editor_->MoveCaret(original.size());
        Type(QStringLiteral("q"));
        Run(ids::kEditUndo);
        QCOMPARE(Text(), original);
        editor_->SendScintilla(QsciScintillaBase::SCI_SETSEL, 0UL, 3L);
        QTest::keyClick(editor_, static_cast<Qt::Key>(key),
                        static_cast<Qt::KeyboardModifiers>(modifiers));
        QCOMPARE(Text(), original);
        // Typing still inserts rather than overwrites.
        editor_->MoveCaret(0);
        Type(QStringLiteral("z"));
        QCOMPARE(Text(), "z" + original);
    }

    void unsavedTextIsConfirmed() {
        BoxRecorder boxes;
        view_->SetEditorText("converted");
        QVERIFY(view_->ConfirmUnsaved());
        QVERIFY(boxes.shown.empty());

        Type(QStringLiteral("x"));
        boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
        QVERIFY(!view_->ConfirmUnsaved());
        QVERIFY(view_->TextModified());  // asking changes no flag
        QVERIFY(view_->ConfirmUnsaved());
        QCOMPARE(boxes.shown.size(), std::size_t{2});
        const BoxRequest& box = boxes.shown[0];
        QCOMPARE(box.text, QStringLiteral("The file has not been saved,continue?"));
        QCOMPARE(box.caption, QStringLiteral("Veltra"));
        QCOMPARE(int(box.buttons), int(BoxButtons::YesNo));
        QCOMPARE(int(box.icon), int(MessageIcon::None));
    }
};

QTEST_MAIN(EditorViewTest)
#include "EditorViewTest.moc"
