#include "serial/PortNames.h"

#include <cstdlib>

namespace halvex {

std::optional<std::string> PortNameForIndex(std::int32_t portIndex) {
    if (portIndex < 0 || portIndex >= kPortCount) return std::nullopt;
    return "COM" + std::to_string(portIndex + 1);
}

std::optional<std::string> ProcessEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> DevicePathForPort(const std::string& portName,
                                             const EnvironmentLookup& environment) {
    for (std::int32_t index = 0; index < kPortCount; ++index) {
        if (portName != PortNameForIndex(index)) continue;
        if (auto overridden = environment("HALVEX_" + portName);
            overridden && !overridden->empty()) {
            return overridden;
        }
        return "/dev/ttyS" + std::to_string(index);
    }
    return std::nullopt;
}

}  // namespace halvex
