#pragma once
// The serial ports of the system the program runs on, for the window and halvex-transfer. On
// Linux "COM1".."COM6" open the devices they are mapped to (PortNames.h); on Windows they are the
// system's own ports. Each platform implements these beside its port (PosixSerialPort.cpp,
// Win32SerialPort.cpp).

#include <memory>
#include <string>

#include "port/PortNames.h"
#include "port/SerialPort.h"

namespace halvex {

// Opens "COM1".."COM6"; `chosen` holds the devices picked in Serial Ports where the platform maps
// port names to devices (Linux), and is not asked elsewhere.
std::unique_ptr<SerialPortOpener> MakeSystemPortOpener(ChosenDeviceLookup chosen = {});

// Opens the device the user named directly: a device path on Linux; on Windows a port name
// ("COM7") or device name ("\\.\COM12"). A failure says why, without the hint about Serial Ports.
PortOpenResult OpenSystemDevice(const std::string& device);

}  // namespace halvex
