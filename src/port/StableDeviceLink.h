#pragma once
// A USB serial adapter gets the next free /dev/ttyUSBn when it is plugged in, so the same
// adapter can be /dev/ttyUSB0 today and /dev/ttyUSB1 tomorrow. udev also makes a link named
// after the adapter's maker, model and serial number in /dev/serial/by-id; choosing that link
// keeps the choice right whichever socket the adapter is plugged into.

#include <optional>
#include <string>

namespace halvex {

inline constexpr const char* kStableSerialLinkFolder = "/dev/serial/by-id";

// The link in `folder` that leads to the same device as `device`; nothing when there is none.
std::optional<std::string> FindStableDeviceLink(
    const std::string& device, const std::string& folder = kStableSerialLinkFolder);

}  // namespace halvex
