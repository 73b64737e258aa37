#pragma once
// Opens one device by its path or name (--device), whatever port name the settings hold, with the
// same exclusive, binary-clean port as every transfer; a failure says why.

#include <string>

#include "port/SerialPort.h"

namespace halvex::transfer {

class DeviceOpener : public SerialPortOpener {
public:
    explicit DeviceOpener(std::string path);
    PortOpenResult Open(const std::string& portName) override;

private:
    std::string path_;
};

}  // namespace halvex::transfer
