#pragma once
// The first step of every transfer worker: open the port named by the live settings, request the
// queues, apply the line settings and install the read time-out. Each failure is told to the user
// in its own words (caption "Veltra") and leaves no port open.

#include <memory>

#include "common/UserDialogs.h"
#include "port/CommSettings.h"
#include "port/SerialPort.h"

namespace halvex {

inline constexpr const char* kPortNotFoundMessage = "Cannot found COMM port!";
inline constexpr const char* kQueueRefusedMessage = "Cannot found buffer!";
inline constexpr const char* kLineSettingsRefusedMessage = "Cannot set COMM parameter!";
inline constexpr std::uint32_t kPortQueueBytes = 128;

// Reads PortIndex, BaudIndex, DataBitsIndex, StopBitsIndex, ParityIndex and TimeoutSeconds at the
// moment it runs. Returns the open, configured port, or nullptr after the message was shown.
std::unique_ptr<SerialPort> OpenCommPort(const CommSettings& settings, SerialPortOpener& ports,
                                         UserDialogs& dialogs);

// TimeoutSeconds as the total time-out of one read, in milliseconds (negative counts as 0).
std::uint32_t ReadTimeoutMsFor(std::int32_t timeoutSeconds);

}  // namespace halvex
