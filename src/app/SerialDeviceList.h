#pragma once
// The serial devices on this machine, as the Serial Ports dialog offers them. The system list
// comes from Qt Serial Port (which reads udev: built-in ports, USB adapters) and never opens a
// device; tests give the dialog a list of their own.

#include <QList>
#include <QString>

namespace halvex {

struct SerialDeviceInfo {
    QString path;        // /dev/ttyUSB0
    QString stablePath;  // /dev/serial/by-id/... leading to the same device; empty when none
    QString description;
    QString manufacturer;
    QString serialNumber;

    // What to keep as the choice: the stable link where there is one.
    QString PreferredPath() const { return stablePath.isEmpty() ? path : stablePath; }
};

class SerialDeviceList {
public:
    virtual ~SerialDeviceList() = default;
    virtual QList<SerialDeviceInfo> Devices() = 0;
};

class SystemSerialDevices : public SerialDeviceList {
public:
    QList<SerialDeviceInfo> Devices() override;
};

}  // namespace halvex
