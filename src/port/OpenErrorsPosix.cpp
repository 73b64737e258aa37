#include <cerrno>
#include <system_error>

#include "port/OpenErrors.h"

namespace halvex {

namespace {

OpenFailureKind KindOf(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return OpenFailureKind::Missing;
        case EACCES:
        case EPERM:
            return OpenFailureKind::NoPermission;
        case EBUSY:
        case EWOULDBLOCK:
            return OpenFailureKind::Held;
        case ENOTTY:
            return OpenFailureKind::NotSerial;
        default:
            return OpenFailureKind::Other;
    }
}

}  // namespace

ExplainedOpenError ExplainOpenError(int error) {
    return {KindOf(error), std::generic_category().message(error)};
}

std::string MissingDeviceRemedy() { return "Is the adapter plugged in?"; }

std::string PermissionRemedy() {
    return "Serial devices belong to the group dialout: add your user to it (sudo adduser $USER "
           "dialout), then log out and in again.";
}

// The environment variable wins over the Serial Ports dialog, so while it is set, the dialog
// cannot help.
std::string ChooseDeviceHint(const std::string& portName, PortDeviceSource source) {
    if (source == PortDeviceSource::Environment) {
        return "The environment variable " + EnvironmentVariableForPort(portName) +
               " decides the device for " + portName +
               ": set it to another device, or unset it to use the one chosen under Comm > "
               "Serial Ports...";
    }
    return "Choose the device for " + portName + " under Comm > Serial Ports...";
}

}  // namespace halvex
