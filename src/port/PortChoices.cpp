#include "port/PortChoices.h"

namespace halvex {

namespace {

std::optional<std::size_t> SlotOf(const std::string& portName) {
    for (std::int32_t index = 0; index < kPortCount; ++index) {
        if (portName == PortNameForIndex(index)) return static_cast<std::size_t>(index);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> PortChoices::Chosen(const std::string& portName) const {
    const std::optional<std::size_t> slot = SlotOf(portName);
    if (!slot) return std::nullopt;
    std::lock_guard lock(mutex_);
    if (devices_[*slot].empty()) return std::nullopt;
    return devices_[*slot];
}

void PortChoices::Choose(const std::string& portName, const std::string& device) {
    const std::optional<std::size_t> slot = SlotOf(portName);
    if (!slot) return;
    std::lock_guard lock(mutex_);
    devices_[*slot] = device;
}

ChosenDeviceLookup PortChoices::Lookup() const {
    return [this](const std::string& portName) { return Chosen(portName); };
}

}  // namespace halvex
