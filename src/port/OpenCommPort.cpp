#include "port/OpenCommPort.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include "port/CommIndexMapping.h"
#include "port/PortFailure.h"
#include "port/PortNames.h"

namespace halvex {

namespace {

// A port that cannot be used stops the transfer before it starts: a warning, and the transfer's
// failure.
void Tell(UserDialogs& dialogs, const char* message, const std::string& details = {}) {
    dialogs.ShowFailure(message, kProgramCaption, MessageIcon::Warning, details);
}

// Shows the message, then closes the port: the order the user sees on a real device.
std::unique_ptr<SerialPort> FailAndClose(UserDialogs& dialogs, std::unique_ptr<SerialPort> port,
                                         const char* message, const std::string& details = {}) {
    Tell(dialogs, message, details);
    port->Close();
    return nullptr;
}

}  // namespace

std::uint32_t ReadTimeoutMsFor(std::int32_t timeoutSeconds) {
    const std::int64_t ms = std::max<std::int64_t>(0, std::int64_t{timeoutSeconds} * 1000);
    return static_cast<std::uint32_t>(
        std::min<std::int64_t>(ms, std::numeric_limits<std::uint32_t>::max()));
}

std::unique_ptr<SerialPort> OpenCommPort(const CommSettings& settings, SerialPortOpener& ports,
                                         UserDialogs& dialogs) {
    const CommSettingsValues values = settings.Load();
    // An index outside COM1..COM6 names no device: the same as a missing one.
    const std::optional<std::string> portName = PortNameForIndex(values.PortIndex);
    PortOpenResult opened = portName
                                ? ports.Open(*portName)
                                : PortOpenResult{nullptr, "", DescribeOpenFailure("", "", ENODEV)};
    std::unique_ptr<SerialPort> port = std::move(opened.port);
    if (!port) {
        Tell(dialogs, kPortNotFoundMessage, opened.failure);
        return nullptr;
    }
    if (!port->SetupQueues(kPortQueueBytes, kPortQueueBytes)) {
        return FailAndClose(dialogs, std::move(port), kQueueRefusedMessage);
    }
    LineSettings line;
    port->GetLineSettings(line);  // whatever it reports, the four fields below are replaced
    const LineSettings wanted = LineSettingsFor(values);
    line.baudRate = wanted.baudRate;
    line.dataBits = wanted.dataBits;
    line.parity = wanted.parity;
    line.stopBits = wanted.stopBits;
    if (!port->SetLineSettings(line)) {
        LineSettings taken = line;
        const bool known = port->GetLineSettings(taken);
        const std::string details = DescribeRefusedSettings(
            opened.device.empty() ? "The device" : opened.device, line, known ? taken : line);
        return FailAndClose(dialogs, std::move(port), kLineSettingsRefusedMessage, details);
    }
    port->SetReadTimeout(ReadTimeoutMsFor(values.TimeoutSeconds));
    return port;
}

}  // namespace halvex
