// Comm > Serial Ports...: the devices offered, the choice kept in the settings file and read back
// at the next start, the environment override shown, and a transfer through a mapped port.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "app/SerialPortsDlg.h"
#include "editor/AppSettings.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"
#include "editor/ShellTestKit.h"
#include "station/lib/StationLine.h"

using namespace halvex;
using namespace halvex::testing;

namespace {

class ListedDevices : public SerialDeviceList {
public:
    QList<SerialDeviceInfo> Devices() override { return devices; }
    QList<SerialDeviceInfo> devices;
};

// Runs `step` on the dialog once it is open (it is modal, so the test acts from a timer).
void WhenSerialPortsOpens(std::function<void(CSerialPortsDlg*)> step) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        auto* dialog = qobject_cast<CSerialPortsDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        step(dialog);
    });
    timer->start(10);
}

}  // namespace

class SerialPortsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CHalvexApp> app_;
    ListedDevices* devices_ = nullptr;

    void Start() {
        app_ = std::make_unique<CHalvexApp>();
        QVERIFY(app_->InitInstance({}));
        auto devices = std::make_unique<ListedDevices>();
        devices_ = devices.get();
        app_->MainFrame()->SetSerialDeviceList(std::move(devices));
    }

private slots:
    void init() {
        OpenAppSettings()->clear();
        ::unsetenv("HALVEX_COM2");
        ::setenv("HALVEX_COM3", "/tmp/halvex-from-environment", 1);
        Start();
    }
    void cleanup() {
        app_.reset();
        ::unsetenv("HALVEX_COM3");
    }

    void listsTheDevicesAndShowsTheEnvironmentOverride() {
        devices_->devices = {{"/dev/ttyUSB0", "/dev/serial/by-id/usb-Maker_Cable_A1-if00-port0",
                              "USB Serial Converter", "Maker", "A1"}};
        QStringList items;
        QString com3Opens;
        WhenSerialPortsOpens([&](CSerialPortsDlg* dialog) {
            for (int i = 0; i < dialog->DeviceField(0)->count(); ++i) {
                items << dialog->DeviceField(0)->itemText(i);
            }
            com3Opens = dialog->OpensLabel(2)->text();
            dialog->reject();
        });
        app_->MainFrame()->RouteCommand(32791);
        QCOMPARE(items,
                 (QStringList{QStringLiteral("Default: /dev/ttyS0"),
                              QStringLiteral("/dev/serial/by-id/usb-Maker_Cable_A1-if00-port0 "
                                             "(USB Serial Converter, Maker, serial A1, "
                                             "/dev/ttyUSB0)")}));
        QVERIFY2(com3Opens.contains(QStringLiteral("/tmp/halvex-from-environment")) &&
                     com3Opens.contains(QStringLiteral("HALVEX_COM3")),
                 qPrintable(com3Opens));
    }

    void theChoiceIsKeptAndADownloadThroughItReachesTheDevice() {
        std::string error;
        auto line = station::StationLine::CreatePseudoTerminal(error);
        QVERIFY2(line, error.c_str());
        const QString pty = QString::fromStdString(line->DevicePath());
        devices_->devices = {{pty, QString(), QStringLiteral("Simulated instrument"), {}, {}}};
        WhenSerialPortsOpens([](CSerialPortsDlg* dialog) {
            QComboBox* com2 = dialog->DeviceField(1);
            com2->setCurrentIndex(1);
            emit com2->activated(1);  // as a click on the listed device does
            dialog->accept();
        });
        app_->MainFrame()->RouteCommand(32791);
        QCOMPARE(OpenAppSettings()->value(QStringLiteral("Ports/COM2")).toString(), pty);
        QVERIFY(!OpenAppSettings()->contains(QStringLiteral("Ports/COM1")));

        // The next start reads the choice back, and COM2 now opens the pseudo-terminal.
        app_.reset();
        Start();
        CHalvexView* view = app_->View();
        QCOMPARE(view->ChosenPorts().Chosen("COM2"), std::optional<std::string>(pty.toStdString()));
        BoxRecorder boxes;
        view->CommSettings.PortIndex = 1;
        view->CommSettings.BaudIndex = 7;
        app_->MainFrame()->RouteCommand(32784);  // Download Brenno Data
        QVERIFY(line->Send("P1,1,2,3\r\n\x03", std::chrono::seconds(5)));
        QTRY_COMPARE_WITH_TIMEOUT(view->Workers.RunningCount(), 0u, 10000);
        QCOMPARE(view->GetEditorText(), std::string("P1,1,2,3\r\n"));
        view->GetDocument()->SetModifiedFlag(false);
    }
};

QTEST_MAIN(SerialPortsTest)
#include "SerialPortsTest.moc"
