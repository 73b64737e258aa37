#pragma once
// A serial port on Windows through the communications calls. CreateFileA opens the port
// exclusively (no sharing), only if it exists, for overlapped input and output, so that Abort()
// ends any wait at once; SetupComm requests the queues, GetCommState/SetCommState apply the four
// line settings and make the channel binary-clean (binary mode, no software flow control, no
// discarded NUL bytes, no error replacement, no stop on errors; hardware flow control and the
// modem lines stay as the driver reported them), SetCommTimeouts installs the read's total
// time-out and no write time-out. A read that times out is a short read.
//
// The output count for the drain comes from ClearCommError; aborting cancels the outstanding
// reads and writes and purges the driver's queues (PurgeComm); closing is CloseHandle. The drain,
// abort and closing rules are those of SystemSerialPort.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "port/SystemSerialPort.h"

namespace halvex {

class Win32SerialPort : public SystemSerialPort {
public:
    // nullptr when the port is missing, held by anyone or not a serial port; `error` (when
    // given) then holds the GetLastError code of the step that failed. `deviceName` is what
    // CreateFileA opens ("\\.\COM3").
    static std::unique_ptr<Win32SerialPort> Open(const std::string& deviceName,
                                                 unsigned long* error = nullptr);
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetReadTimeout(std::uint32_t totalMs) override;
    ReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    bool Write(std::span<const std::uint8_t> bytes) override;

private:
    Win32SerialPort(HANDLE port, HANDLE abortEvent, HANDLE readEvent, HANDLE writeEvent);
    // Waits until the overlapped operation has ended; false when it failed or the port was
    // aborted meanwhile (the operation is then cancelled). `transferred` says how many bytes
    // it moved.
    bool Await(OVERLAPPED& overlapped, DWORD& transferred);

    bool IsOpen() const override { return port_ != INVALID_HANDLE_VALUE; }
    int DriverOutputCount() override;
    bool SleepUnlessAborted(std::chrono::milliseconds duration) override;
    void DiscardOutput() override;
    void CloseDevice() override;
    void WakeBlockedCalls() override;

    HANDLE port_;
    const HANDLE abortEvent_;  // manual reset: set once the port is aborted
    const HANDLE readEvent_;
    const HANDLE writeEvent_;
    // Abort() may come from another thread while the owner closes the port.
    std::mutex handleMutex_;
};

// Opens "COM1".."COM6": the system's ports of those names.
class Win32PortOpener : public SerialPortOpener {
public:
    PortOpenResult Open(const std::string& portName) override;
};

}  // namespace halvex
