#pragma once
// The devices chosen for COM1..COM6 in the Serial Ports dialog. The user-interface thread
// changes them while a worker may be opening a port, so every access is locked. The shell keeps
// them in the settings file; this is the copy the port opener reads.

#include <array>
#include <mutex>
#include <optional>
#include <string>

#include "port/PortNames.h"

namespace halvex {

class PortChoices {
public:
    // The device chosen for `portName`; nothing when none was (the name then opens its default).
    std::optional<std::string> Chosen(const std::string& portName) const;
    // Chooses `device` for `portName`; an empty device returns the name to its default.
    void Choose(const std::string& portName, const std::string& device);
    // For the port opener.
    ChosenDeviceLookup Lookup() const;

private:
    mutable std::mutex mutex_;
    std::array<std::string, kPortCount> devices_;
};

}  // namespace halvex
