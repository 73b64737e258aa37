#pragma once
// A serial device on Linux through plain termios. Opening is exclusive (TIOCEXCL for ordinary
// users, and an flock on the real device, so a /dev/serial/by-id link and its target count as one
// device) and never creates a file. The channel is made binary-clean; beyond that only baud rate,
// character size, parity and stop bits are changed, and everything else (hardware flow control,
// modem lines, ...) stays as the driver reported it.
//
// Reads wait with poll() against a monotonic deadline. A hang-up or I/O error is a failure, not a
// time-out; so is a write that the device refuses. Abort() may be called from any thread: it
// wakes a blocked read, write or drain at once and makes every later call fail.
//
// A write returns once the driver has queued the byte (its queue holds a few KB), long before a
// slow line has sent it. DrainOutput() waits until the driver's output count (TIOCOUTQ) is zero,
// and on a UART also the transmitter, sleeping about as long as the queued bytes need at the
// current line settings; unlike tcdrain() it can be aborted. Closing after a normal end gives
// queued output a bounded time to leave; closing an aborted port discards it (tcflush), so it
// never waits for a line that flow control holds.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "port/PortNames.h"
#include "port/SerialPort.h"

namespace halvex {

class PosixSerialPort : public SerialPort {
public:
    // nullptr when the device is missing, not a terminal, or held by anyone; `error` (when
    // given) then holds the errno of the step that failed.
    static std::unique_ptr<PosixSerialPort> Open(const std::string& devicePath,
                                                 int* error = nullptr);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetReadTimeout(std::uint32_t totalMs) override;
    ReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    bool WriteByte(std::uint8_t byte) override;
    bool DrainOutput() override;
    void Close() override;
    void Abort() override;

    // Test hook: replaces the query of how many bytes wait in the driver's output queue (a
    // pseudo-terminal always reports none), so a line held by flow control can be modelled.
    void SetOutputCounterForTesting(std::function<int()> counter);

private:
    PosixSerialPort(int fd, int wakeFd, bool exclusiveIoctl);
    // Waits until the device is ready for `events` or the deadline (ms from now, -1: none).
    // 1: ready; 0: deadline passed; -1: aborted, hung up or failed.
    int WaitFor(short events, int timeoutMs);
    // Moves what the driver holds into the read-ahead buffer. False on hang-up or error.
    bool FillReadAhead();
    // Waits until the output has left or `deadline` (if any) has passed; false when it has not
    // left by then, or the port was aborted or failed.
    bool DrainUntil(std::optional<std::chrono::steady_clock::time_point> deadline);
    // Bytes in the driver's output queue; negative when the driver cannot tell.
    int QueuedOutputBytes() const;
    // False while a UART's transmitter still shifts out the last byte; true where it cannot tell.
    bool TransmitterEmpty();
    // How long one character takes on the line at the current settings.
    std::chrono::microseconds CharacterTime() const;

    int fd_;
    const int wakeFd_;  // eventfd: Abort() makes it readable
    bool exclusiveIoctl_;
    std::atomic<bool> aborted_{false};
    std::function<int()> outputCounter_;
    bool askTransmitter_ = true;  // false once the driver has said it has no transmitter status
    std::uint32_t readTimeoutMs_ = 0;
    // Bytes already taken from the driver but not yet handed out; order and content are kept, so
    // this is the same queue the driver would hold, read in fewer system calls.
    std::vector<std::uint8_t> readAhead_;
    std::size_t readAheadPos_ = 0;
};

// Opens "COM1".."COM6" by the device paths of PortNames.h; a failure says why.
class PosixPortOpener : public SerialPortOpener {
public:
    explicit PosixPortOpener(EnvironmentLookup environment = ProcessEnvironment,
                             ChosenDeviceLookup chosen = {});
    PortOpenResult Open(const std::string& portName) override;

private:
    EnvironmentLookup environment_;
    ChosenDeviceLookup chosen_;
};

}  // namespace halvex
