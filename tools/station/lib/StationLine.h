#pragma once
// The instrument's end of the serial line: either a fresh pseudo-terminal pair (the program opens
// the other end, whose path DevicePath() gives) or a real serial device. Both are raw, 8-bit clean.
// Every byte the program sends is kept in a log. Not thread-safe: one simulator thread uses it.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "station/lib/StationStop.h"

namespace halvex::station {

struct DeviceFormat {
    std::uint32_t baud = 9600;
    int dataBits = 8;
    char parity = 'N';  // N, O or E
    int stopBits = 1;
};

enum class ReceiveStatus { Byte, Timeout, Closed };

struct HoldEnd {
    int signal = 0;        // the signal that ended the wait; 0 when the program's end closed
    std::string received;  // what the program sent meanwhile
};

class StationLine {
public:
    // nullptr with `error` set when no pseudo-terminal could be made.
    static std::unique_ptr<StationLine> CreatePseudoTerminal(std::string& error);
    static std::unique_ptr<StationLine> OpenDevice(const std::string& path,
                                                   const DeviceFormat& format, std::string& error);
    ~StationLine();
    StationLine(const StationLine&) = delete;
    StationLine& operator=(const StationLine&) = delete;

    // The device the program under test opens (the pseudo-terminal's other end, or the device).
    const std::string& DevicePath() const { return path_; }

    // Writes all bytes; false when the line is gone or nothing could be written within `timeout`.
    bool Send(std::string_view bytes, std::chrono::milliseconds timeout);
    // Waits up to `timeout` for one byte from the program.
    ReceiveStatus ReceiveByte(std::uint8_t& byte, std::chrono::milliseconds timeout);
    // Takes every byte that has arrived within `quiet` without waiting for more.
    std::string TakePending(std::chrono::milliseconds quiet = std::chrono::milliseconds(0));
    // Waits (up to `timeout`) until the program has taken every byte sent to it.
    bool WaitDelivered(std::chrono::milliseconds timeout);
    // Drops the line as a pulled cable would, after what was sent has been delivered (so a test
    // knows exactly which bytes the program got). The program's next read fails.
    void Hangup(std::chrono::milliseconds deliveryTimeout = std::chrono::seconds(5));
    bool HungUp() const { return fd_ < 0; }
    // Keeps the line open, as an instrument that has stopped sending, until the program closes
    // its end of the pseudo-terminal (on a device, which never tells, until the device fails) or
    // `stop` catches a signal. `programHasLine`: the program is known to have its end open (it
    // took or sent bytes); otherwise the wait first waits for it to open its end.
    HoldEnd HoldOpen(bool programHasLine, const StationStop& stop);

    // Every byte received from the program so far.
    const std::string& ReceivedLog() const { return received_; }

private:
    StationLine(int fd, int slaveHold, std::string path);
    bool WaitReady(short events, std::chrono::milliseconds timeout);

    int fd_;
    int slaveHold_;  // pseudo-terminal only: keeps the line up while the program has it closed
    std::string path_;
    std::string received_;
};

}  // namespace halvex::station
