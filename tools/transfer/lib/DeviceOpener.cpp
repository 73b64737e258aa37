#include "transfer/lib/DeviceOpener.h"

#include "port/PortFailure.h"
#include "port/PosixSerialPort.h"

namespace halvex::transfer {

DeviceOpener::DeviceOpener(std::string path) : path_(std::move(path)) {}

PortOpenResult DeviceOpener::Open(const std::string&) {
    PortOpenResult result;
    result.device = path_;
    int error = 0;
    result.port = PosixSerialPort::Open(path_, &error);
    if (!result.port) result.failure = DescribeDeviceOpenFailure(path_, error);
    return result;
}

}  // namespace halvex::transfer
