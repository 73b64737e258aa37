// Transfer control in the window: Stop Transfer (menu, Escape, automation), the progress pane,
// and New, Open and the recent files refused while a transfer writes into the editor.
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "app/ProgramTest.h"
#include "editor/AppSettings.h"
#include "editor/ByteEditor.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"
#include "port/PosixSerialPort.h"
#include "station/lib/StationLine.h"
#include "transfers/TransferGuard.h"

using namespace halvex;
using namespace halvex::testing;

class TransferControlTest : public ProgramTest {
    Q_OBJECT

private:
    std::unique_ptr<station::StationLine> line_;

    bool StopEnabled() {
        frame_->UpdateCommandUi();
        return frame_->ActionFor(32790)->isEnabled();
    }

private slots:
    void init() {
        QVERIFY(StartProgram());
        std::string error;
        line_ = station::StationLine::CreatePseudoTerminal(error);
        QVERIFY2(line_, error.c_str());
        const std::string device = line_->DevicePath();
        view_->SetPortOpener(std::make_unique<PosixPortOpener>(
            [device](const std::string&) { return std::optional<std::string>(device); }));
        view_->CommSettings.BaudIndex = 7;
        view_->CommSettings.TimeoutSeconds = 60;
    }
    void cleanup() {
        StopProgram();
        line_.reset();
    }

    void escapeStopsADownloadThatShowedItsProgress() {
        BoxRecorder boxes;
        QVERIFY(!StopEnabled());
        QVERIFY(!frame_->ProgressPane()->isVisible());
        frame_->RouteCommand(32784);  // Download Brenno Data
        QVERIFY(line_->Send("P1,1,2,3\r\nP2,4,", std::chrono::seconds(5)));
        QTRY_COMPARE(view_->GetEditorText(), std::string("P1,1,2,3\r\n"));
        QVERIFY(StopEnabled());
        QTRY_VERIFY(frame_->ProgressPane()->isVisible());
        QTRY_VERIFY2(frame_->ProgressPane()->Text()->text().startsWith(
                         QStringLiteral("Received 1 line, 15 bytes")),
                     qPrintable(frame_->ProgressPane()->Text()->text()));
        QVERIFY(!frame_->ProgressPane()->Bar()->isVisible());  // a bar only for uploads

        QTest::keyClick(view_->Editor(), Qt::Key_Escape);
        QTRY_COMPARE_WITH_TIMEOUT(view_->Workers.RunningCount(), 0u, 5000);
        QCOMPARE(boxes.Texts().last(), QStringLiteral("Transfer stopped. 1 line was received."));
        QCOMPARE(view_->GetEditorText(), std::string("P1,1,2,3\r\n"));
        QTRY_VERIFY(!frame_->ProgressPane()->isVisible());
        QVERIFY(!StopEnabled());
    }

    void aCompletedDownloadLeavesItsSummaryInTheStatusBar() {
        BoxRecorder boxes;
        frame_->RouteCommand(32784);
        QVERIFY(line_->Send("A\r\nB\r\n\x03", std::chrono::seconds(5)));
        QTRY_COMPARE_WITH_TIMEOUT(frame_->statusBar()->currentMessage(),
                                  QStringLiteral("Download finished: 2 lines, 7 bytes"), 5000);
        QCOMPARE(boxes.Texts().size(), 1);  // the prompt: no box for the end
    }

    void anUploadShowsTheRecordUnderWayAndStopsByCommand() {
        BoxRecorder boxes;
        view_->SetEditorText("LINE 1\r\nLINE 2\r\nLINE 3\r\n");
        view_->CommSettings.LineDelayMs = 1000;
        frame_->RouteCommand(32787);  // Upload Other Data: one record a second
        QTRY_VERIFY(frame_->ProgressPane()->isVisible());
        QTRY_VERIFY2(
            frame_->ProgressPane()->Text()->text().startsWith(QStringLiteral("Record 2 of 3")),
            qPrintable(frame_->ProgressPane()->Text()->text()));
        QVERIFY(frame_->ProgressPane()->Bar()->isVisible());
        QCOMPARE(frame_->ProgressPane()->Bar()->value(),
                 frame_->ProgressPane()->Bar()->maximum() / 3);
        frame_->RouteCommand(32790);  // as -command 32790 does
        QTRY_COMPARE_WITH_TIMEOUT(view_->Workers.RunningCount(), 0u, 5000);
        // The second record was on its way (or in the pause after it) when the pane showed it.
        QCOMPARE(boxes.Texts().last(), QStringLiteral("Transfer stopped after 2 of 3 records."));
        QCOMPARE(line_->TakePending(std::chrono::milliseconds(50)),
                 std::string("LINE 1\r\nLINE 2\r\n"));
    }

    void newOpenAndRecentFilesAreRefusedWhileADownloadWritesIntoTheEditor() {
        BoxRecorder boxes;
        ScriptedFileChooser chooser;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.txt"));
        WriteBytes(path, "OTHER FILE\r\n");
        QVERIFY(app_->OpenDocumentFile(path));  // now in the recent-file list
        frame_->RouteCommand(32784);
        QTRY_COMPARE(view_->Workers.RunningCount(), 1u);
        QVERIFY(line_->Send("A\r\n", std::chrono::seconds(5)));
        QTRY_COMPARE(view_->GetEditorText(), std::string("A\r\n"));
        chooser.paths = {path};
        for (int id : {57600, 57601, 57616}) frame_->RouteCommand(id);
        QCOMPARE(boxes.Texts().count(QString::fromLatin1(kTransferRunningMessage)), 3);
        QVERIFY(chooser.asked.empty());
        QVERIFY(line_->Send("B\r\n\x03", std::chrono::seconds(5)));
        QTRY_COMPARE_WITH_TIMEOUT(view_->Workers.RunningCount(), 0u, 5000);
        QCOMPARE(view_->GetEditorText(), std::string("A\r\nB\r\n"));
        // The download is not other.txt: a Save must not write it there.
        QCOMPARE(view_->GetDocument()->GetTitle(), QStringLiteral("Untitled"));
    }

    void anUploadFromAnOpenedFileLeavesTheFileAloneAndSaveAsksForAName() {
        BoxRecorder boxes;
        ScriptedFileChooser chooser;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("day-points.txt"));
        const std::string points = "P1,,100.000,200.000,10.000\r\nP2,,110.000,210.000,11.000\r\n";
        WriteBytes(path, points);
        QVERIFY(app_->OpenDocumentFile(path));
        view_->CommSettings.LineDelayMs = 1;
        frame_->RouteCommand(32776);  // Upload Tamsel Coordinate, no handshake
        QTRY_COMPARE_WITH_TIMEOUT(view_->Workers.RunningCount(), 0u, 10000);
        QCOMPARE(boxes.Texts().last(), QStringLiteral("Communication finished"));
        QCOMPARE(frame_->windowTitle(), QStringLiteral("Untitled - Veltra"));
        QVERIFY(view_->GetDocument()->IsModified());  // it holds the echo of the records sent
        QCOMPARE(app_->RecentFiles().Paths().first(), path);
        const QString echoPath = dir.filePath(QStringLiteral("echo.txt"));
        chooser.paths = {echoPath};
        frame_->RouteCommand(57603);  // Save
        QCOMPARE(chooser.asked.size(), std::size_t{1});
        QCOMPARE(ReadBytes(path), points);
        QCOMPARE(ReadBytes(echoPath), view_->GetEditorText());
    }
};

QTEST_MAIN(TransferControlTest)
#include "TransferControlTest.moc"
