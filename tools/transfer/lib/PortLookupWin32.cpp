#include "port/SystemPorts.h"
#include "transfer/lib/PortLookup.h"

namespace halvex::transfer {

std::unique_ptr<SerialPortOpener> MakePortNameOpener() { return MakeSystemPortOpener(); }

}  // namespace halvex::transfer
