#pragma once
// The "Serial Ports" dialog: which device each of the port names COM1 to COM6 opens. For each
// name the user picks one of the serial devices found on this machine (shown with description,
// maker and serial number; the stable /dev/serial/by-id link where there is one), types a path,
// or leaves the field empty for the default /dev/ttyS<n-1>. A port whose HALVEX_COMn environment
// variable is set opens that device whatever is chosen here, and the dialog says so. OK keeps
// the choice for this run and the next ones; Cancel changes nothing.

#include <QDialog>
#include <array>

#include "app/SerialDeviceList.h"
#include "port/PortChoices.h"
#include "port/PortNames.h"

class QComboBox;
class QGridLayout;
class QLabel;

namespace halvex {

class CSerialPortsDlg : public QDialog {
    Q_OBJECT

public:
    CSerialPortsDlg(PortChoices& choices, SerialDeviceList& devices, EnvironmentLookup environment,
                    QWidget* parent = nullptr);

    // The field of COM1 (0) .. COM6 (5): its text is the chosen path, empty for the default.
    QComboBox* DeviceField(int index) const { return fields_[static_cast<std::size_t>(index)]; }
    // What the port name opens, as the dialog shows it under the field.
    QLabel* OpensLabel(int index) const { return opens_[static_cast<std::size_t>(index)]; }

public slots:
    // Lists the devices found on this machine again (an adapter plugged in meanwhile).
    void Refresh();
    void accept() override;

private:
    void AddPortRow(QGridLayout* grid, int index);
    void ShowWhatOpens(int index);

    PortChoices& choices_;
    SerialDeviceList& devices_;
    EnvironmentLookup environment_;
    std::array<QComboBox*, kPortCount> fields_{};
    std::array<QLabel*, kPortCount> opens_{};
};

}  // namespace halvex
