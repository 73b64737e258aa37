// The program's own commands as the menu runs them: conversions, the DXF export, the parameter
// dialog, downloads and uploads through a scripted serial port, and the one-transfer rule.
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "app/ParameterDlg.h"
#include "app/ProgramTest.h"
#include "convert/LineEnds.h"
#include "editor/AppSettings.h"
#include "editor/DxfSaveDialog.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"
#include "port/PosixSerialPort.h"
#include "station/lib/StationLine.h"
#include "support/FakeSerialPort.h"
#include "transfers/TransferGuard.h"

using namespace halvex;
using namespace halvex::testing;

namespace {

// Hands the shared fake ports to the view, which takes ownership of its opener.
class ForwardingOpener : public SerialPortOpener {
public:
    explicit ForwardingOpener(FakePortOpener& ports) : ports_(ports) {}
    PortOpenResult Open(const std::string& name) override { return ports_.Open(name); }

private:
    FakePortOpener& ports_;
};

// Runs `step` on the parameter dialog once it is open (the dialog is modal, so the test acts
// from a timer while exec() runs).
void WhenParameterDialogOpens(std::function<void(CParameterDlg*)> step) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        auto* dialog = qobject_cast<CParameterDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        step(dialog);
    });
    timer->start(10);
}

void ClickOk(CParameterDlg* dialog) {
    for (auto* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("OK")) button->click();
    }
}

const std::string kPointLine = "PT1,TREE,2345.678,1234.567,12.345\r\n";

}  // namespace

class ProgramCommandsTest : public ProgramTest {
    Q_OBJECT

private:
    FakePortOpener ports_;

    void SetUserText(const std::string& text) {
        view_->SetEditorText(text);
        view_->ClearTextModified();
    }
    void WaitForWorkers() { QTRY_COMPARE_WITH_TIMEOUT(view_->Workers.RunningCount(), 0u, 10000); }

private slots:
    void init() {
        QVERIFY(StartProgram());
        view_->SetPortOpener(std::make_unique<ForwardingOpener>(ports_));
    }
    void cleanup() { StopProgram(); }

    void conversionsRewriteTheEditor_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("Brenno CASS") << 32782 << QByteArray("08TP  PT12") << QByteArray();
        QTest::newRow("Dulmar") << 32783 << QByteArray("P1,100.5,200.25,3.1,TREE\r\n")
                                << QByteArray("P1,TREE,100.5,200.25,3.1\r\n");
        const QByteArray brenno = QByteArray("08TP  PT12          1234.567        2345.678") +
                                  QByteArray("          12.345        TREE\r\n");
        QTest::newRow("Brenno CASS record") << 32782 << brenno
                                            << QByteArray("PT12,TREE,2345.678,1234.567,12.345\r\n");
        QTest::newRow("Brenno NEZ record") << 32789 << brenno
                                           << QByteArray("PT12,TREE,1234.567,2345.678,12.345\r\n");
        QByteArray tamsel = "_+P1        _ x+000200250_ y+000100500_ z-000003100_";
        tamsel.append(QByteArray(128 - tamsel.size(), ' ')).append("\r\n");
        QTest::newRow("Tamsel CASS") << 32771 << tamsel
                                     << QByteArray("P1        ,P1        ,100.500,200.250,-3.100\r\n");
        QByteArray pcode = "_:001TREE      _";
        pcode.append(QByteArray(128 - pcode.size(), ' ')).append("\r\n");
        QTest::newRow("Tamsel PCODE") << 32779 << pcode << QByteArray("1,TREE      \r\n");
    }
    void conversionsRewriteTheEditor() {
        QFETCH(int, id);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        BoxRecorder boxes;
        SetUserText(input.toStdString());
        QVERIFY(frame_->RouteCommand(id));
        if (output.isEmpty()) {
            // The tag-only Brenno record has no CR after it, so nothing is converted.
            QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Transform failed")});
            QCOMPARE(view_->GetEditorText(), input.toStdString());
            return;
        }
        QCOMPARE(view_->GetEditorText(), output.toStdString());
        QVERIFY(boxes.shown.empty());
        QVERIFY(!view_->TextModified());
        QVERIFY(view_->GetDocument()->IsModified());
    }

    void lfLinesAreExplainedAndMendedByLineEndsToCrLf() {
        BoxRecorder boxes;
        SetUserText("P1,100.5,200.25,3.1,TREE\n");
        frame_->RouteCommand(32783);
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Transform failed")});
        QCOMPARE(boxes.shown[0].details, QString::fromLatin1(kLfLineEndsHint));
        frame_->RouteCommand(32793);
        frame_->RouteCommand(32783);
        QCOMPARE(view_->GetEditorText(), std::string("P1,TREE,100.5,200.25,3.1\r\n"));
    }

    void tamselConversionReportsWrongFormatAlone() {
        BoxRecorder boxes;
        SetUserText("no coordinates here\n");
        frame_->RouteCommand(32771);
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("The file has wrong format")});
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Veltra"));
    }

    void dxfExportWritesTheChosenFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("points.dxf"));
        SetDxfFileChooser([&] { return path; });
        BoxRecorder boxes;
        SetUserText(kPointLine);
        frame_->RouteCommand(32788);
        SetDxfFileChooser(nullptr);
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Successfully transformed 1 points")});
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Halvex"));
        const std::string bytes = ReadBytes(path);
        // Head and tail (1446 bytes) and one point block of 198 bytes.
        QCOMPARE(bytes.size(), std::size_t{1644});
        QVERIFY(bytes.find("\r\n10\r\n2345.678\r\n20\r\n1234.567\r\n30\r\n12.345\r\n") !=
                std::string::npos);
        QVERIFY(bytes.find(" 1\r\nPT1 TREE 12.345\r\n") != std::string::npos);
        QCOMPARE(view_->GetEditorText(), kPointLine);  // the export only reads the editor
    }

    void dxfExportCancelledOrUnwritable() {
        BoxRecorder boxes;
        SetUserText(kPointLine);
        SetDxfFileChooser([] { return QString(); });
        frame_->RouteCommand(32788);
        QVERIFY(boxes.shown.empty());

        SetDxfFileChooser([] { return QStringLiteral("/nonexistent-dir/points.dxf"); });
        frame_->RouteCommand(32788);
        SetDxfFileChooser(nullptr);
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QVERIFY(boxes.shown[0].text.contains(QStringLiteral("/nonexistent-dir/points.dxf")));
        QVERIFY(!boxes.shown[0].text.startsWith(QStringLiteral("Successfully")));
    }

    void parameterDialogShowsTheDefaults() {
        ParameterDialogMembers shown;
        QString timeoutText, delayText;
        WhenParameterDialogOpens([&](CParameterDlg* dialog) {
            shown.baudIndex = dialog->BaudGroup()->checkedId();
            shown.dataBitsIndex = dialog->DataBitsGroup()->checkedId();
            shown.parityIndex = dialog->ParityGroup()->checkedId();
            shown.portIndex = dialog->PortGroup()->checkedId();
            shown.protocol = dialog->ProtocolGroup()->checkedId();
            shown.stopBitsIndex = dialog->StopBitsGroup()->checkedId();
            timeoutText = dialog->TimeoutEdit()->text();
            delayText = dialog->DelayEdit()->text();
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Parameter"));
            dialog->reject();
        });
        frame_->RouteCommand(32772);
        // Button ids: COM1 1002, None 1000, 1200 baud 1008, 8 bits 1017, 1 stop 1018, no parity 1013.
        QCOMPARE(shown.portIndex, 1002);
        QCOMPARE(shown.protocol, 1000);
        QCOMPARE(shown.baudIndex, 1008);
        QCOMPARE(shown.dataBitsIndex, 1017);
        QCOMPARE(shown.stopBitsIndex, 1018);
        QCOMPARE(shown.parityIndex, 1013);
        QCOMPARE(timeoutText, QStringLiteral("10"));
        QCOMPARE(delayText, QStringLiteral("800"));
    }

    void parameterDialogValidatesInOrderThenStores() {
        BoxRecorder boxes;
        WhenParameterDialogOpens([&](CParameterDlg* dialog) {
            dialog->TimeoutEdit()->setText(QStringLiteral("0"));
            dialog->DelayEdit()->setText(QStringLiteral("-5"));
            ClickOk(dialog);  // timeout fails first; the delay is not looked at
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->TimeoutEdit()->selectedText(), QStringLiteral("0"));
            dialog->TimeoutEdit()->setText(QStringLiteral("\t25 "));
            ClickOk(dialog);
            QVERIFY(dialog->isVisible());
            dialog->DelayEdit()->setText(QStringLiteral("1001"));
            ClickOk(dialog);
            dialog->DelayEdit()->setText(QStringLiteral("1000"));
            dialog->BaudGroup()->button(1020)->click();  // 19200
            ClickOk(dialog);
        });
        frame_->RouteCommand(32772);
        QCOMPARE(boxes.Texts(),
                 (QStringList{QStringLiteral("Please enter an integer between 1 and 1000."),
                              QStringLiteral("Please enter a positive integer."),
                              QStringLiteral("Please enter an integer between 1 and 1000.")}));
        for (const BoxRequest& box : boxes.shown) QCOMPARE(box.caption, QStringLiteral("Halvex"));
        QCOMPARE(view_->CommSettings.TimeoutSeconds.load(), 25);
        QCOMPARE(view_->CommSettings.LineDelayMs.load(), 1000);
        QCOMPARE(view_->CommSettings.BaudIndex.load(), 4);
    }

    void parameterDialogCancelChangesNothing() {
        const CommSettingsValues before = view_->CommSettings.Load();
        WhenParameterDialogOpens([](CParameterDlg* dialog) {
            dialog->TimeoutEdit()->setText(QStringLiteral("77"));
            dialog->PortGroup()->button(1005)->click();
            dialog->reject();
        });
        frame_->RouteCommand(32772);
        QCOMPARE(view_->CommSettings.Load(), before);
    }

    void downloadFillsTheEditor() {
        BoxRecorder boxes;
        auto port = ports_.Add("COM1");
        port->QueueInput("L1\nL2\n\x04");
        QVERIFY(frame_->RouteCommand(32773));  // Tamsel, protocol None
        WaitForWorkers();
        // The Tamsel family shows every later line after an extra LF.
        QCOMPARE(view_->GetEditorText(), std::string("L1\n\nL2\n"));
        QCOMPARE(boxes.Texts(), QStringList{QStringLiteral(
                                    "Please press enter on total computer,then press enter on "
                                    "total station!")});
        QVERIFY(view_->TextModified());
        QVERIFY(port->Closed());
    }

    void hiddenCorvaneDownloadRunsByItsId() {
        BoxRecorder boxes;
        auto port = ports_.Add("COM1");
        port->QueueInput("A\x03\nB\n\x04");
        frame_->RouteCommand(32785);
        WaitForWorkers();
        // Corvane: ETX does not end it (as it ends Brenno), and no extra LF (as Tamsel adds).
        QCOMPARE(view_->GetEditorText(), std::string("A\x03\nB\n"));
    }

    void uploadSendsAndEchoesTheRecords() {
        BoxRecorder boxes;
        view_->CommSettings.LineDelayMs = 1;
        auto port = ports_.Add("COM1");
        SetUserText("abc\r\nd");
        frame_->RouteCommand(32787);  // other data, Corvane framing
        WaitForWorkers();
        QCOMPARE(port->Written(), std::string("abc\r\nd\r\n\x04\r\n"));
        QCOMPARE(view_->GetEditorText(), std::string("abc\r\nd\r\n"));
        QCOMPARE(boxes.Texts().last(), QStringLiteral("Communication finished"));
    }

    void uploadAnsweredNoChangesNothing() {
        BoxRecorder boxes;
        boxes.answers.push_back(BoxAnswer::No);
        auto port = ports_.Add("COM1");
        view_->SetEditorText("P1,,1,2,3");  // typed by the user: the text counts as modified
        view_->AppendEditorText("x");
        frame_->RouteCommand(32780);
        QCOMPARE(view_->Workers.RunningCount(), 0u);
        QCOMPARE(port->Written(), std::string());
        QCOMPARE(view_->GetEditorText(), std::string("xP1,,1,2,3"));
        QCOMPARE(boxes.Texts(),
                 QStringList{QStringLiteral("The file has not been saved,continue?")});
    }

    void secondTransferIsRefusedWhileOneRuns() {
        // A real pseudo-terminal, so that the download blocks in its read like on a cable.
        std::string error;
        auto line = station::StationLine::CreatePseudoTerminal(error);
        QVERIFY2(line, error.c_str());
        const std::string device = line->DevicePath();
        view_->SetPortOpener(std::make_unique<PosixPortOpener>(
            [device](const std::string&) { return std::optional<std::string>(device); }));
        BoxRecorder boxes;
        view_->CommSettings.TimeoutSeconds = 30;
        frame_->RouteCommand(32784);
        QTRY_COMPARE(view_->Workers.RunningCount(), 1u);
        frame_->RouteCommand(32776);  // an upload
        frame_->RouteCommand(32782);  // a conversion
        QCOMPARE(boxes.Texts().count(QString::fromLatin1(kTransferRunningMessage)), 2);
        QVERIFY(line->Send("A\r\n\x03", std::chrono::seconds(5)));
        WaitForWorkers();
        QCOMPARE(view_->GetEditorText(), std::string("A\r\n"));
        QCOMPARE(line->TakePending(), std::string());  // the refused upload sent nothing
    }
};

QTEST_MAIN(ProgramCommandsTest)
#include "ProgramCommandsTest.moc"
