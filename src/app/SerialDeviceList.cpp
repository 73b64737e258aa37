#include "app/SerialDeviceList.h"

#include <QSerialPortInfo>

#include "port/StableDeviceLink.h"

namespace halvex {

QList<SerialDeviceInfo> SystemSerialDevices::Devices() {
    QList<SerialDeviceInfo> devices;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        SerialDeviceInfo info;
        info.path = port.systemLocation();
        if (auto link = FindStableDeviceLink(info.path.toStdString())) {
            info.stablePath = QString::fromStdString(*link);
        }
        info.description = port.description();
        info.manufacturer = port.manufacturer();
        info.serialNumber = port.serialNumber();
        devices.push_back(info);
    }
    return devices;
}

}  // namespace halvex
