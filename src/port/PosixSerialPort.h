#pragma once
// A serial device on Linux through plain termios. Opening is exclusive (TIOCEXCL for ordinary
// users, and an flock on the real device, so a /dev/serial/by-id link and its target count as one
// device) and never creates a file. The channel is made binary-clean; beyond that only baud rate,
// character size, parity and stop bits are changed, and everything else (hardware flow control,
// modem lines, ...) stays as the driver reported it.
//
// Reads wait with poll() against a monotonic deadline. A hang-up or I/O error is a failure, not a
// time-out; so is a write that the device refuses. The drain, abort and closing rules are those
// of SystemSerialPort; the output count is TIOCOUTQ, and on a UART the transmitter is asked too.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "port/PortNames.h"
#include "port/SystemSerialPort.h"

namespace halvex {

class PosixSerialPort : public SystemSerialPort {
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
    bool Write(std::span<const std::uint8_t> bytes) override;

private:
    PosixSerialPort(int fd, int wakeFd, bool exclusiveIoctl);
    // Waits until the device is ready for `events` or the deadline (ms from now, -1: none).
    // 1: ready; 0: deadline passed; -1: aborted, hung up or failed.
    int WaitFor(short events, int timeoutMs);
    // Moves what the driver holds into the read-ahead buffer. False on hang-up or error.
    bool FillReadAhead();

    bool IsOpen() const override { return fd_ >= 0; }
    int DriverOutputCount() override;
    bool TransmitterEmpty() override;
    bool SleepUnlessAborted(std::chrono::milliseconds duration) override;
    void DiscardOutput() override;
    void CloseDevice() override;
    void WakeBlockedCalls() override;

    int fd_;
    const int wakeFd_;  // eventfd: Abort() makes it readable
    bool exclusiveIoctl_;
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
