#pragma once
// The six port names the parameter dialog offers, and the devices they stand for on Linux.
// "COMn" opens, in this order of precedence: the device in the environment variable HALVEX_COMn
// (when set and not empty), the device chosen for it in the Serial Ports dialog (kept in the
// settings under Ports/COMn), or /dev/ttyS(n-1). Any of them may be a USB adapter, a
// /dev/serial/by-id/... link or a test pseudo-terminal.

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
// The device chosen for a port name ("COM1"); nothing (or empty) when none was chosen.
using ChosenDeviceLookup = std::function<std::optional<std::string>(const std::string& portName)>;

// The process environment (getenv).
std::optional<std::string> ProcessEnvironment(const std::string& name);

// "HALVEX_COM1" for "COM1".
std::string EnvironmentVariableForPort(const std::string& portName);
// "/dev/ttyS0" for "COM1"; nothing for a name that is not one of the six.
std::optional<std::string> DefaultDeviceForPort(const std::string& portName);

enum class PortDeviceSource { Default, Chosen, Environment };

struct PortDevice {
    std::string path;
    PortDeviceSource source = PortDeviceSource::Default;
};

// The device a port name opens and where that comes from; nothing for a name that is not one
// of the six.
std::optional<PortDevice> DeviceForPort(const std::string& portName,
                                        const EnvironmentLookup& environment,
                                        const ChosenDeviceLookup& chosen = {});

// The path alone.
std::optional<std::string> DevicePathForPort(const std::string& portName,
                                             const EnvironmentLookup& environment,
                                             const ChosenDeviceLookup& chosen = {});

}  // namespace halvex
