// The line trace in the window: the Comm menu's switch and folder, where the traces go, and what
// the status bar and a failure's message say of them.
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/ProgramTest.h"
#include "editor/ShellTestKit.h"
#include "port/PosixSerialPort.h"
#include "station/lib/StationLine.h"
#include "transfers/TraceFormat.h"

using namespace halvex;
using namespace halvex::testing;

class LineTraceWindowTest : public ProgramTest {
    Q_OBJECT

private:
    QTemporaryDir state_;

    std::filesystem::path Folder() const {
        return std::filesystem::path(state_.path().toStdString()) / "halvex" / "traces";
    }

private slots:
    void init() {
        qputenv("XDG_STATE_HOME", state_.path().toLocal8Bit());
        QVERIFY(StartProgram());
    }
    void cleanup() { StopProgram(); }

    void theSwitchIsKeptAndTheFolderIsShown() {
        QAction* item = frame_->ActionFor(32794);
        QVERIFY(item->isCheckable());
        QVERIFY(!item->isChecked());
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(ReadTraceEnabled());
        QCOMPARE(view_->Traces().Folder(), Folder());

        QList<QUrl> asked;
        bool opens = true;
        view_->SetUrlOpener([&](const QUrl& url) {
            asked.push_back(url);
            return opens;
        });
        BoxRecorder boxes;
        frame_->RouteCommand(32795);
        QCOMPARE(asked, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(Folder()))});
        QVERIFY(std::filesystem::is_directory(Folder()));
        QVERIFY(boxes.shown.empty());
        opens = false;
        frame_->RouteCommand(32795);
        QCOMPARE(boxes.shown.size(), 1u);
        QVERIFY(boxes.shown[0].text.contains(QString::fromStdString(Folder())));
    }

    void aTracedDownloadNamesItsFileAndAFailureItsTrace() {
        frame_->RouteCommand(32794);
        std::string error;
        auto line = station::StationLine::CreatePseudoTerminal(error);
        QVERIFY2(line, error.c_str());
        const std::string device = line->DevicePath();
        view_->SetPortOpener(std::make_unique<PosixPortOpener>(
            [device](const std::string&) { return std::optional<std::string>(device); }));
        BoxRecorder boxes;
        frame_->RouteCommand(32784);  // Download Brenno Data
        QVERIFY(line->Send("A\r\n\x03", std::chrono::seconds(5)));
        QTRY_VERIFY_WITH_TIMEOUT(frame_->statusBar()->currentMessage().contains("Line trace: "),
                                 5000);
        const std::vector<std::filesystem::directory_entry> traces(
            std::filesystem::directory_iterator(Folder()), {});
        QCOMPARE(traces.size(), 1u);
        const std::string path = traces[0].path().string();
        QVERIFY2(path.ends_with("Z-download-brenno-data.trace"), path.c_str());
        QCOMPARE(frame_->statusBar()->currentMessage(),
                 QString::fromStdString("Download finished: 1 line, 4 bytes. Line trace: " + path));
        std::ifstream file(path, std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(file), {});
        QVERIFY(text.starts_with("# halvex line trace 1\n# program: halvex "));
        QVERIFY(text.ends_with("|\n# end: completed\n"));
        std::string received;
        for (const TraceData& data : ParseTrace(text).data) received += data.bytes;
        QCOMPARE(received, std::string("A\r\n\x03"));

        // A port that does not open: its reason, then where its trace is.
        view_->SetPortOpener(std::make_unique<PosixPortOpener>(
            [](const std::string&) { return std::optional<std::string>("/nonexistent/com"); }));
        frame_->RouteCommand(32773);  // Download Tamsel Data
        QTRY_COMPARE_WITH_TIMEOUT(view_->Workers.RunningCount(), 0u, 5000);
        const BoxRequest& failure = boxes.shown.back();
        QCOMPARE(failure.text, QStringLiteral("Cannot found COMM port!"));
        const QStringList details = failure.details.split('\n');
        QVERIFY2(details.last().startsWith("The line trace of this transfer is in " +
                                           QString::fromStdString(Folder().string())) &&
                     details.last().endsWith("-download-tamsel-data.trace."),
                 qPrintable(failure.details));
        QVERIFY(details.size() > 1);  // the reason stays above it
    }

    void onlyTheNewestTracesAreKept() {
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        for (int i = 0; i <= 100; ++i) {
            std::ofstream(folder / ("2026-01-01T00-00-" + std::to_string(100 + i) + "Z.trace"));
        }
        std::ofstream(folder / "notes.txt");
        RemoveOldTraces(folder);
        QVERIFY(!std::filesystem::exists(folder / "2026-01-01T00-00-100Z.trace"));
        QVERIFY(std::filesystem::exists(folder / "2026-01-01T00-00-101Z.trace"));
        QVERIFY(std::filesystem::exists(folder / "notes.txt"));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(folder), {}), 101);
    }
};

QTEST_MAIN(LineTraceWindowTest)
#include "LineTraceWindowTest.moc"
