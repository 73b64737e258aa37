// The main window: menus, toolbar, status bar, accelerators and command routing.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <atomic>
#include <map>
#include <memory>
#include <set>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "app/ProgramTest.h"
#include "editor/AppSettings.h"
#include "editor/ByteEditor.h"
#include "editor/CommandTable.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"

using namespace halvex;
using namespace halvex::testing;

namespace {

struct Item {
    const char* text;  // nullptr: separator
    int id;
};

struct Menu {
    const char* title;
    std::vector<Item> items;
};

const std::vector<Menu> kExpectedMenus = {
    {"&File",
     {{"&New\tCtrl+N", 57600}, {"&Open...\tCtrl+O", 57601}, {"&Save\tCtrl+S", 57603},
      {"Save &As...", 57604}, {nullptr, 0}, {"&Print...\tCtrl+P", 57607},
      {"Print Pre&view", 57609}, {"P&rint Setup...", 57606}, {nullptr, 0},
      {"Recent File", 57616}, {nullptr, 0}, {"e&Xit", 57665}}},
    {"&Edit",
     {{"&Undo\tCtrl+Z", 57643}, {nullptr, 0}, {"Cu&t\tCtrl+X", 57635}, {"&Copy\tCtrl+C", 57634},
      {"&Paste\tCtrl+V", 57637}, {nullptr, 0}, {"Line Ends to CR LF", 32793}}},
    {"&Comm",
     {{"ParameTer\tCtrl+T", 32772}, {nullptr, 0}, {"Download Tamsel Data\tCtrl+M", 32773},
      {"Download Brenno Data\tCtrl+N", 32784}, {nullptr, 0},
      {"Upload Tamsel Coordinate\tCtrl+Z", 32776}, {"Upload Brenno Coordinate\tCtrl+Y", 32780},
      {nullptr, 0}, {"Upload Tamsel Pcode\tCtrl+O", 32777}, {"Upload Brenno Pcode\tCtrl+P", 32786},
      {"Upload Other Data\tCtrl+Q", 32787}, {nullptr, 0}, {"Stop Transfer", 32790},
      {"Serial Ports...", 32791}, {"Line &Trace", 32794}, {"Open Trace &Folder", 32795}}},
    {"&Transform",
     {{"CASS Coordinate(Tamsel)\tCtrl+C", 32771}, {"CASS Coordinate(Brenno)\tCtrl+K", 32782},
      {"NEZ Coordinate(Brenno)\tCtrl+L", 32789}, {nullptr, 0},
      {"PCODE transform(Tamsel)\tCtrl+P", 32779}, {nullptr, 0},
      {"CASS Coordinate->DXF\tCtrl+D", 32788}}},
    {"&Window",
     {{"&Toolbar", 59392}, {"&Status Bar", 59393}, {nullptr, 0}, {"&Point Plot", 32792}}},
    {"&Help", {{"&About Veltra Totalstation...", 57664}}},
};

// Closes whatever modal dialog a command opens, so that commands can be run unattended.
class ModalCloser {
public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        timer_.start(20);
    }

private:
    QTimer timer_;
};

}  // namespace

class MainFrameTest : public ProgramTest {
    Q_OBJECT

private:
    ByteEditor* editor_ = nullptr;

private slots:
    void init() {
        QVERIFY(StartProgram());
        editor_ = view_->Editor();
        QVERIFY(QTest::qWaitForWindowActive(frame_));
        editor_->setFocus();
    }
    void cleanup() { StopProgram(); }

    void startsEmptyUntitledAndReady() {
        QCOMPARE(frame_->windowTitle(), QStringLiteral("Untitled - Veltra"));
        QCOMPARE(frame_->MessagePane()->text(), QStringLiteral("Ready"));
        QCOMPARE(view_->GetEditorText(), std::string());
        QVERIFY(frame_->isVisible());
        QCOMPARE(frame_->centralWidget(), static_cast<QWidget*>(view_));
    }

    void menuBarHoldsEveryItemInOrder() {
        const QList<QAction*> menus = frame_->menuBar()->actions();
        QCOMPARE(menus.size(), qsizetype(kExpectedMenus.size()));
        for (std::size_t m = 0; m < kExpectedMenus.size(); ++m) {
            QCOMPARE(menus[m]->text(), QString::fromLatin1(kExpectedMenus[m].title));
            const QList<QAction*> items = menus[m]->menu()->actions();
            QCOMPARE(items.size(), qsizetype(kExpectedMenus[m].items.size()));
            for (qsizetype i = 0; i < items.size(); ++i) {
                const Item& expected = kExpectedMenus[m].items[i];
                if (!expected.text) {
                    QVERIFY(items[i]->isSeparator());
                    continue;
                }
                QCOMPARE(items[i]->text(), QString::fromLatin1(expected.text));
                QCOMPARE(items[i], frame_->ActionFor(expected.id));
            }
        }
    }

    void noMenuItemCarriesAShortcutOfItsOwn() {
        for (QAction* action : frame_->findChildren<QAction*>()) {
            QVERIFY2(action->shortcuts().isEmpty(), qPrintable(action->text()));
        }
    }

    void statusPromptsAndTooltips_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tooltip");
        const auto row = [](int id, const char* prompt, const char* tooltip) {
            QTest::addRow("%d", id) << id << QString::fromLatin1(prompt)
                                    << QString::fromLatin1(tooltip);
        };
        row(32772, "Set communication parameters", "Set communication parameters");
        row(32773, "Receive data from Pelmar totalstation", "Download Data");
        row(32784, "Read data from Brenno", "Download");
        row(32776, "Send CASS format coordinate data to Pelmar Total Station", "Upload Coordinate");
        row(32780, "Send CASS format coordinate data to Brenno Total Station", "Upload Coordinate");
        row(32777, "Send Pcode of text format to instrument", "Upload PCODE");
        row(32786, "Send feature code of text format to instrument", "Upload Pcode");
        row(32787, "Send alignment section data to instrument", "Upload alignment data");
        row(32771, "Transform Pelmar data format to CASS data format", "");
        row(32782, "Transform Brenno data format to CASS data format", "");
        row(32789, "", "");
        row(32779, "Transform the data to Pcode format in separate lines", "");
        row(32788, "", "");
        row(57600, "Create a new document", "New");
        row(57601, "Open an existing document", "Open");
        row(57603, "Save the active document", "Save");
        row(57604, "Save the active document with a new name", "Save As");
        row(57607, "Print the active document", "Print");
        row(57609, "Display full pages", "Print Preview");
        row(57606, "Change the printer and printing options", "Print Setup");
        row(57616, "Open this document", "");
        row(57665, "Quit the application; prompts to save documents", "Exit");
        row(57643, "Undo the last action", "Undo");
        row(57635, "Cut the selection and put it on the Clipboard", "Cut");
        row(57634, "Copy the selection and put it on the Clipboard", "Copy");
        row(57637, "Insert Clipboard contents", "Paste");
        row(59392, "Show or hide the toolbar", "Toggle ToolBar");
        row(59393, "Show or hide the status bar", "Toggle StatusBar");
        row(57664, "Display program information, version number and copyright", "About");
        row(32792, "Show the points of the editor in a plot", "Point Plot");
        row(32790, "Stop the running download or upload", "Stop Transfer");
        row(32791, "Choose the serial device each port name COM1 to COM6 opens", "Serial Ports");
    }
    void statusPromptsAndTooltips() {
        QFETCH(int, id);
        QFETCH(QString, prompt);
        QFETCH(QString, tooltip);
        QAction* action = frame_->ActionFor(id);
        QVERIFY(action);
        action->hover();
        QCOMPARE(frame_->MessagePane()->text(), prompt);
        if (!tooltip.isEmpty()) QCOMPARE(action->toolTip(), tooltip);
        frame_->menuBar()->actions()[0]->menu()->popup(QPoint(0, 0));
        frame_->menuBar()->actions()[0]->menu()->hide();
        QCOMPARE(frame_->MessagePane()->text(), QStringLiteral("Ready"));
    }

    void toolbarButtonsInOrderWithTooltips() {
        QToolBar* bar = frame_->ToolBar();
        const int expected[] = {57600, 57601, 57603, 0,     57635, 57634, 57637,
                                0,     57607, 0,     57664, 0,     32790, 0, 32792};
        const QList<QAction*> actions = bar->actions();
        QCOMPARE(actions.size(), qsizetype(std::size(expected)));
        for (qsizetype i = 0; i < actions.size(); ++i) {
            if (expected[i] == 0) {
                QVERIFY(actions[i]->isSeparator());
            } else {
                QCOMPARE(actions[i], frame_->ActionFor(expected[i]));
                QVERIFY(!actions[i]->icon().isNull());
            }
        }
        QCOMPARE(bar->iconSize(), QSize(16, 15));
        QCOMPARE(frame_->toolBarArea(bar), Qt::TopToolBarArea);
        QVERIFY(bar->isMovable());
        QCOMPARE(bar->allowedAreas(), Qt::AllToolBarAreas);
        QCOMPARE(frame_->ActionFor(57664)->toolTip(), QStringLiteral("About"));
    }

    void lockKeyIndicatorsShowWhileTheKeyIsOn() {
        LockKeyState state;
        frame_->SetLockKeyReader([&] { return state; });
        const auto texts = [this] {
            return QStringList{frame_->IndicatorPane(0)->text(), frame_->IndicatorPane(1)->text(),
                               frame_->IndicatorPane(2)->text()};
        };
        QCOMPARE(texts(), (QStringList{"", "", ""}));
        state.caps = true;
        frame_->RefreshIndicators();
        QCOMPARE(texts(), (QStringList{"CAP", "", ""}));
        state = {false, true, true};
        frame_->RefreshIndicators();
        QCOMPARE(texts(), (QStringList{"", "NUM", "SCRL"}));
    }

    void acceleratorsRunTheirCommands_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("id");  // 0: no command runs
        const int ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier;
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << ctrl << 57600;
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << 57601;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << 57603;
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << 57607;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << 57643;
        QTest::newRow("Ctrl+X") << int(Qt::Key_X) << ctrl << 57635;
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << 57634;
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << ctrl << 57637;
        QTest::newRow("Alt+Backspace") << int(Qt::Key_Backspace) << alt << 57643;
        QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << 57635;
        QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << ctrl << 57634;
        QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << shift << 57637;
        QTest::newRow("F6") << int(Qt::Key_F6) << 0 << 0;
        QTest::newRow("Shift+F6") << int(Qt::Key_F6) << shift << 0;
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << ctrl << 0;
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << ctrl << 0;
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << ctrl << 0;
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl << 0;
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << ctrl << 0;
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << ctrl << 0;
        QTest::newRow("Ctrl+D") << int(Qt::Key_D) << ctrl << 0;
    }
    void acceleratorsRunTheirCommands() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, id);
        ScriptedFileChooser chooser;  // Open and Save are cancelled
        ModalCloser closer;           // Print's dialog is closed
        // Every standard command is enabled: something to undo, a selection, clipboard text.
        QTest::keyClicks(editor_, QStringLiteral("abc"));
        view_->GetDocument()->SetModifiedFlag(false);
        editor_->SelectAllBytes();
        QApplication::clipboard()->setText(QStringLiteral("clip"));
        frame_->UpdateCommandUi();
        const std::string before = view_->GetEditorText();

        QSignalSpy executed(frame_, &CMainFrame::CommandExecuted);
        QTest::keyClick(editor_, static_cast<Qt::Key>(key),
                        static_cast<Qt::KeyboardModifiers>(modifiers));
        if (id == 0) {
            QCOMPARE(executed.count(), 0);
            QCOMPARE(view_->GetEditorText(), before);
        } else {
            QCOMPARE(executed.count(), 1);
            QCOMPARE(executed.at(0).at(0).toInt(), id);
        }
    }

    void ctrlCCopiesTheSelectionInsteadOfConverting() {
        view_->SetEditorText("1,,100.000,200.000,3.000\r\n");
        editor_->SelectAllBytes();
        QSignalSpy executed(frame_, &CMainFrame::CommandExecuted);
        QTest::keyClick(editor_, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1,,100.000,200.000,3.000\r\n"));
        QCOMPARE(executed.count(), 1);
        QCOMPARE(executed.at(0).at(0).toInt(), 57634);
        QCOMPARE(view_->GetEditorText(), std::string("1,,100.000,200.000,3.000\r\n"));
    }

    void windowMenuTogglesTheBarsAndTheirCheckMarks() {
        for (const int id : {59392, 59393}) {
            QWidget* bar = id == 59392 ? static_cast<QWidget*>(frame_->ToolBar())
                                       : static_cast<QWidget*>(frame_->statusBar());
            QAction* item = frame_->ActionFor(id);
            QVERIFY(item->isCheckable());
            QVERIFY(item->isChecked());
            item->trigger();
            QVERIFY(!bar->isVisible());
            QVERIFY(!item->isChecked());
            item->trigger();
            QVERIFY(bar->isVisible());
            QVERIFY(item->isChecked());
        }
    }

    void theProgramsCommandsReachTheViewsHandlers() {
        // The handlers may ask, show messages or open dialogs: answer and close them all.
        BoxRecorder boxes;
        ScriptedFileChooser chooser;
        ModalCloser closer;
        const std::pair<int, CHalvexView::Handler> expected[] = {
            {32771, &CHalvexView::OnTransformTamselCass},
            {32782, &CHalvexView::OnTransformBrennoCass},
            {32789, &CHalvexView::OnTransformBrennoNez},
            {32783, &CHalvexView::OnTransformDulmarCass},
            {32779, &CHalvexView::OnTransformTamselPcode},
            {32788, &CHalvexView::OnTransformCassDxf},
            {32772, &CHalvexView::OnParameter},
            {32773, &CHalvexView::OnDownloadTamsel},
            {32784, &CHalvexView::OnDownloadBrenno},
            {32785, &CHalvexView::OnDownloadCorvane},
            {32776, &CHalvexView::OnUploadTamselCoordinate},
            {32780, &CHalvexView::OnUploadBrennoCoordinate},
            {32781, &CHalvexView::OnUploadCorvaneCoordinate},
            {32777, &CHalvexView::OnUploadTamselPcode},
            {32786, &CHalvexView::OnUploadBrennoPcode},
            {32787, &CHalvexView::OnUploadOtherData},
        };
        for (const auto& [id, handler] : expected) {
            QVERIFY2(CHalvexView::ProgramCommandHandler(id) == handler, qPrintable(QString::number(id)));
            QCOMPARE(frame_->FindHandler(id), view_->FindCommandHandler(id));
            QVERIFY(frame_->FindHandler(id)->IsEnabled());
            QSignalSpy executed(frame_, &CMainFrame::CommandExecuted);
            QVERIFY(frame_->RouteCommand(id));
            QCOMPARE(executed.count(), 1);
        }
        // Commands without a menu item exist only in the table.
        for (const int id : {32781, 32783, 32785}) QVERIFY(!frame_->ActionFor(id));
        for (const int id : {32774, 32775, 32778, 1, 0}) QVERIFY(!frame_->RouteCommand(id));
    }

    void theCommandTableAndTheMenusAgree() {
        std::vector<const CommandRow*> rows;
        ForEachCommandRow([&](const CommandRow& row) { rows.push_back(&row); });
        std::map<QAction*, const CommandRow*> rowOfAction;
        for (const CommandRow* row : rows) {
            if (QAction* action = frame_->ActionFor(row->id)) rowOfAction[action] = row;
        }
        // Every menu item is the item of a row, with the row's text.
        std::set<int> inMenus;
        for (QAction* menu : frame_->menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->isSeparator()) continue;
                QVERIFY2(rowOfAction.count(item), qPrintable(item->text()));
                QCOMPARE(item->text(), QString::fromLatin1(rowOfAction[item]->text));
                inMenus.insert(rowOfAction[item]->id);
            }
        }
        // Every row is in its menu, or has no item and is reached by its id (or its keys) alone;
        // either way the receiver its row names carries it out.
        CHalvexDoc* document = view_->GetDocument();
        for (const CommandRow* row : rows) {
            const QString id = QString::number(row->id);
            QVERIFY2(inMenus.count(row->id) == (row->text ? 1u : 0u), qPrintable(id));
            QVERIFY2(row->text || !frame_->ActionFor(row->id), qPrintable(id));
            const CommandTarget* receivers[] = {view_, document, frame_, app_.get()};
            const CommandTarget* receiver = receivers[static_cast<int>(row->Receiver())];
            QVERIFY2(receiver->FindCommandHandler(row->id), qPrintable(id));
            QCOMPARE(frame_->FindHandler(row->id), receiver->FindCommandHandler(row->id));
        }
    }

    void standardCommandsAreEnabledByTheirConditions() {
        const auto enabled = [this](int id) {
            frame_->UpdateCommandUi();
            return frame_->ActionFor(id)->isEnabled();
        };
        QApplication::clipboard()->clear();
        QVERIFY(!enabled(57643));
        QVERIFY(!enabled(57635));
        QVERIFY(!enabled(57634));
        QVERIFY(!enabled(57637));
        QVERIFY(enabled(57603));
        QVERIFY(!enabled(57616));  // "Recent File" greyed while the list is empty
        QTest::keyClicks(editor_, QStringLiteral("ab"));
        editor_->SelectAllBytes();
        QApplication::clipboard()->setText(QStringLiteral("x"));
        QVERIFY(enabled(57643));
        QVERIFY(enabled(57635));
        QVERIFY(enabled(57634));
        QVERIFY(enabled(57637));
        QVERIFY(enabled(32776));
    }

    void theTitleFollowsTheDocument() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("points.cas"));
        WriteBytes(path, "1,,1,2,3\r\n");
        QVERIFY(app_->OpenDocumentFile(path));
        QCOMPARE(frame_->windowTitle(), QStringLiteral("points.cas - Veltra"));
        frame_->RouteCommand(57600);
        QCOMPARE(frame_->windowTitle(), QStringLiteral("Untitled - Veltra"));
    }

    void newAndExitAskToSaveAndCancelStops() {
        BoxRecorder boxes;
        QTest::keyClicks(editor_, QStringLiteral("typed"));
        boxes.answers = {BoxAnswer::Cancel};
        frame_->RouteCommand(57600);
        QCOMPARE(view_->GetEditorText(), std::string("typed"));
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Save changes to Untitled?")});
        boxes.answers = {BoxAnswer::Cancel};
        frame_->RouteCommand(57665);
        QVERIFY(frame_->isVisible());
        boxes.answers = {BoxAnswer::No};
        frame_->RouteCommand(57600);
        QCOMPARE(view_->GetEditorText(), std::string());
        QTest::keyClicks(editor_, QStringLiteral("again"));
        boxes.answers = {BoxAnswer::No};
        frame_->RouteCommand(57665);
        QVERIFY(!frame_->isVisible());
    }

    void closingWhileAWorkerRunsNeitherCrashesNorHangs() {
        std::atomic<bool> ended{false};
        std::atomic<int> appended{0};
        QVERIFY(view_->Workers.Start([&] {
            while (view_->AppendEditorText("received line\r\n")) ++appended;
            view_->Dialogs().ShowMessage("Communication finished", kProgramCaption);
            ended = true;
        }));
        QTRY_VERIFY(appended.load() > 5);
        view_->GetDocument()->SetModifiedFlag(false);
        BoxRecorder boxes;
        boxes.answers = {BoxAnswer::No};  // keep the program and the transfer
        QVERIFY(!frame_->close());
        QVERIFY(view_->TransferRunning());
        QVERIFY(frame_->close());  // Yes: stop it and quit
        QCOMPARE(boxes.Texts(),
                 QStringList(2, QStringLiteral("A transfer is still running. Stop it and quit?")));
        QVERIFY(ended.load());
        QCOMPARE(view_->Workers.RunningCount(), std::size_t{0});
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
