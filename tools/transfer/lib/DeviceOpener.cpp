#include "transfer/lib/DeviceOpener.h"

#include "port/SystemPorts.h"

namespace halvex::transfer {

DeviceOpener::DeviceOpener(std::string path) : path_(std::move(path)) {}

PortOpenResult DeviceOpener::Open(const std::string&) { return OpenSystemDevice(path_); }

}  // namespace halvex::transfer
