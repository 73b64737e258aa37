#pragma once
// What the system's error code of a failed open means for the user: the kind of failure, the
// system's own words for it and what can be done. One half per platform (OpenErrorsPosix.cpp for
// errno values, OpenErrorsWin32.cpp for GetLastError codes); PortFailure.cpp puts the sentences
// together.

#include <string>

#include "port/PortNames.h"

namespace halvex {

enum class OpenFailureKind { Missing, NoPermission, Held, NotSerial, Other };

struct ExplainedOpenError {
    OpenFailureKind kind = OpenFailureKind::Other;
    std::string reason;  // the system's words, without a final period
};

ExplainedOpenError ExplainOpenError(int error);

// What to check when the device is missing ("Is the adapter plugged in? ...").
std::string MissingDeviceRemedy();
// What to do when the user may not open the device.
std::string PermissionRemedy();
// Where another device is chosen for `portName`, whose device came from `source`; empty where
// port names are not mapped to devices.
std::string ChooseDeviceHint(const std::string& portName, PortDeviceSource source);

}  // namespace halvex
