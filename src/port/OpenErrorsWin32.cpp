#include <windows.h>

#include "common/Win32Text.h"
#include "port/OpenErrors.h"

namespace halvex {

namespace {

OpenFailureKind KindOf(int error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_BAD_UNIT:
            return OpenFailureKind::Missing;
        // Windows answers "access denied" for a port that another program holds open.
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY:
            return OpenFailureKind::Held;
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_FUNCTION:
            return OpenFailureKind::NotSerial;
        default:
            return OpenFailureKind::Other;
    }
}

}  // namespace

ExplainedOpenError ExplainOpenError(int error) {
    return {KindOf(error), Win32ErrorText(static_cast<unsigned long>(error))};
}

std::string MissingDeviceRemedy() {
    return "Is the adapter plugged in? Device Manager shows under \"Ports (COM & LPT)\" which "
           "COM number Windows gave it.";
}

std::string PermissionRemedy() { return "Ask the computer's administrator for access to it."; }

std::string ChooseDeviceHint(const std::string&, PortDeviceSource) { return {}; }

}  // namespace halvex
