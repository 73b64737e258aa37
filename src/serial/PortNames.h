#pragma once
// The six port names the parameter dialog offers, and the devices they stand for on Linux:
// "COM1".."COM6" are /dev/ttyS0../dev/ttyS5 unless the environment variable HALVEX_COM1..6 names
// another device (a USB adapter, a /dev/serial/by-id/... link, a test pseudo-terminal).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace halvex {

inline constexpr std::int32_t kPortCount = 6;

// "COM1" for 0 up to "COM6" for 5; nothing for any other index.
std::optional<std::string> PortNameForIndex(std::int32_t portIndex);

// Looks up an environment variable; nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The process environment (getenv).
std::optional<std::string> ProcessEnvironment(const std::string& name);

// The device path for a port name: HALVEX_COMn when set and not empty, else /dev/ttyS(n-1).
// Nothing for a name that is not one of the six.
std::optional<std::string> DevicePathForPort(const std::string& portName,
                                             const EnvironmentLookup& environment);

}  // namespace halvex
