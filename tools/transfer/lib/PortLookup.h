#pragma once
// Which device a port name (--port COMn) opens. On Linux the name is mapped as in the window
// (HALVEX_COMn, then the device chosen in Serial Ports, read from the window's settings file
// through Qt Core, then the default device); on Windows COMn is the system's port itself and
// no settings are read. One half per platform: PortLookupPosix.cpp, PortLookupWin32.cpp.

#include <memory>

#include "port/SerialPort.h"

namespace halvex::transfer {

std::unique_ptr<SerialPortOpener> MakePortNameOpener();

// What --port and --device take here, for the help.
extern const char* const kPortOptionHelp;
extern const char* const kDeviceOptionValue;
extern const char* const kDeviceOptionHelp;

}  // namespace halvex::transfer
