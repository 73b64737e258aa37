#include "port/PortFailure.h"

#include <vector>

#include "port/OpenErrors.h"

namespace halvex {

namespace {

std::string Baud(const LineSettings& s) { return std::to_string(s.baudRate) + " baud"; }
std::string DataBits(const LineSettings& s) { return std::to_string(s.dataBits) + " data bits"; }
std::string StopBits(const LineSettings& s) {
    return s.stopBits == 1 ? "1 stop bit" : std::to_string(s.stopBits) + " stop bits";
}
std::string ParityText(const LineSettings& s) {
    switch (s.parity) {
        case Parity::Odd:
            return "odd parity";
        case Parity::Even:
            return "even parity";
        case Parity::None:
            break;
    }
    return "no parity";
}

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

// `what` names the device; `chooseHint`, when not empty, says where another one is chosen.
std::string DescribeFailure(const std::string& what, int error, const std::string& chooseHint) {
    const ExplainedOpenError explained = ExplainOpenError(error);
    const std::string hint = chooseHint.empty() ? "" : " " + chooseHint;
    switch (explained.kind) {
        case OpenFailureKind::Missing:
            return what + ": " + explained.reason + ". " + MissingDeviceRemedy() + hint;
        case OpenFailureKind::NoPermission:
            return what + ": " + explained.reason + ". " + PermissionRemedy();
        case OpenFailureKind::Held:
            return what +
                   " is held by another program or another transfer. Close it there, then try "
                   "again.";
        case OpenFailureKind::NotSerial:
            return what + " is not a serial device." + hint;
        case OpenFailureKind::Other:
            break;
    }
    return what + ": " + explained.reason + ".";
}

}  // namespace

std::string DescribeOpenFailure(const std::string& portName, const std::string& device, int error,
                                PortDeviceSource source) {
    if (device.empty()) return "The port setting names no port from COM1 to COM6.";
    const std::string what = device == portName ? device : device + " (" + portName + ")";
    return DescribeFailure(what, error, ChooseDeviceHint(portName, source));
}

std::string DescribeDeviceOpenFailure(const std::string& device, int error) {
    return DescribeFailure(device, error, "");
}

std::string DescribeLineSettings(const LineSettings& settings) {
    return Join({Baud(settings), DataBits(settings), ParityText(settings), StopBits(settings)});
}

std::string DescribeRefusedSettings(const std::string& device, const LineSettings& wanted,
                                    const LineSettings& taken) {
    std::vector<std::string> refused;
    if (taken.baudRate != wanted.baudRate) refused.push_back(Baud(wanted));
    if (taken.dataBits != wanted.dataBits) refused.push_back(DataBits(wanted));
    if (taken.parity != wanted.parity) refused.push_back(ParityText(wanted));
    if (taken.stopBits != wanted.stopBits) refused.push_back(StopBits(wanted));
    const std::string what = refused.empty() ? DescribeLineSettings(wanted) : Join(refused);
    return device + " does not take " + what +
           ". Choose settings the device and the instrument both support under Comm > "
           "ParameTer.";
}

}  // namespace halvex
