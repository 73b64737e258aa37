#include "port/SystemPorts.h"
#include "transfer/lib/PortLookup.h"

namespace halvex::transfer {

const char* const kPortOptionHelp = "COM1 to COM6 (COM1), the ports of this computer";
const char* const kDeviceOptionValue = "PORT";
const char* const kDeviceOptionHelp =
    "open another port by its name or device name: COM7,\n"
    "\\\\.\\COM12";

std::unique_ptr<SerialPortOpener> MakePortNameOpener() { return MakeSystemPortOpener(); }

}  // namespace halvex::transfer
