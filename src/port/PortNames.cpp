#include "port/PortNames.h"

#include <cstdlib>

namespace halvex {

namespace {

std::optional<std::string> NotEmpty(std::optional<std::string> value) {
    if (value && value->empty()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> PortNameForIndex(std::int32_t portIndex) {
    if (portIndex < 0 || portIndex >= kPortCount) return std::nullopt;
    return "COM" + std::to_string(portIndex + 1);
}

std::optional<std::string> ProcessEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::string EnvironmentVariableForPort(const std::string& portName) { return "HALVEX_" + portName; }

std::optional<std::string> DefaultDeviceForPort(const std::string& portName) {
    for (std::int32_t index = 0; index < kPortCount; ++index) {
        if (portName == PortNameForIndex(index)) return "/dev/ttyS" + std::to_string(index);
    }
    return std::nullopt;
}

std::optional<PortDevice> DeviceForPort(const std::string& portName,
                                        const EnvironmentLookup& environment,
                                        const ChosenDeviceLookup& chosen) {
    std::optional<std::string> fallback = DefaultDeviceForPort(portName);
    if (!fallback) return std::nullopt;
    if (auto set = NotEmpty(environment(EnvironmentVariableForPort(portName)))) {
        return PortDevice{*set, PortDeviceSource::Environment};
    }
    if (auto picked = chosen ? NotEmpty(chosen(portName)) : std::nullopt) {
        return PortDevice{*picked, PortDeviceSource::Chosen};
    }
    return PortDevice{*fallback, PortDeviceSource::Default};
}

std::optional<std::string> DevicePathForPort(const std::string& portName,
                                             const EnvironmentLookup& environment,
                                             const ChosenDeviceLookup& chosen) {
    std::optional<PortDevice> device = DeviceForPort(portName, environment, chosen);
    if (!device) return std::nullopt;
    return device->path;
}

}  // namespace halvex
