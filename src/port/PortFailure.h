#pragma once
// The informative text under "Cannot found COMM port!" and "Cannot set COMM parameter!": which
// device, the system's reason and, where one is known, what the user can do about it.

#include <string>

#include "port/PortNames.h"
#include "port/SerialPort.h"

namespace halvex {

// Why `device` (the device `portName` stands for) did not open; `error` is the errno of the
// step that failed. `source` says where the device was chosen, and so where to choose another.
std::string DescribeOpenFailure(const std::string& portName, const std::string& device, int error,
                                PortDeviceSource source = PortDeviceSource::Default);
// The same for a device opened by its path alone, not through a port name.
std::string DescribeDeviceOpenFailure(const std::string& device, int error);

// Which of the four line settings `device` did not take: those where what it reports after the
// request (`taken`) differs from `wanted`, or all four when it reports them unchanged.
std::string DescribeRefusedSettings(const std::string& device, const LineSettings& wanted,
                                    const LineSettings& taken);

// "1200 baud", "7 data bits", "even parity", "2 stop bits" and the like.
std::string DescribeLineSettings(const LineSettings& settings);

}  // namespace halvex
