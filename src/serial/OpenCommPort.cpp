#include "serial/OpenCommPort.h"

#include <algorithm>
#include <limits>

#include "serial/CommIndexMapping.h"
#include "serial/PortNames.h"

namespace halvex {

namespace {

void Tell(UserDialogs& dialogs, const char* message) {
    dialogs.ShowMessage(message, kProgramCaption);
}

// Shows the message, then closes the port: the order the user sees on a real device.
std::unique_ptr<SerialPort> FailAndClose(UserDialogs& dialogs, std::unique_ptr<SerialPort> port,
                                         const char* message) {
    Tell(dialogs, message);
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
    std::unique_ptr<SerialPort> port = portName ? ports.Open(*portName) : nullptr;
    if (!port) {
        Tell(dialogs, kPortNotFoundMessage);
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
        return FailAndClose(dialogs, std::move(port), kLineSettingsRefusedMessage);
    }
    port->SetReadTimeout(ReadTimeoutMsFor(values.TimeoutSeconds));
    return port;
}

std::unique_ptr<SerialPort> OpenCommPort(const TransferEnvironment& env) {
    return OpenCommPort(env.settings, env.ports, env.dialogs);
}

}  // namespace halvex
