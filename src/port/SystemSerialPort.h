#pragma once
// What every serial port of the operating system does the same way, whatever its system calls:
// the wait until written bytes have left, an abort that ends every wait at once, and closing.
// PosixSerialPort (termios) and Win32SerialPort (the communications calls) supply the calls.
//
// A write returns once the driver has queued the bytes, long before a slow line has sent them.
// DrainOutput() waits until the driver's output count is zero (and, where the driver can tell,
// the transmitter is empty), sleeping about as long as the queued bytes need at the current line
// settings, at most 100 ms at a time; unlike the system's own drain it can be aborted. A driver
// that cannot tell its output count counts as drained. Closing after a normal end gives queued
// output what it needs at the line rate plus two seconds to leave; closing an aborted port
// discards it, so it never waits for a line that flow control holds.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "port/SerialPort.h"

namespace halvex {

// How long one character takes on the line: start bit, data bits, parity bit, stop bits.
std::chrono::microseconds CharacterTime(const LineSettings& settings);

class SystemSerialPort : public SerialPort {
public:
    bool DrainOutput() final;
    // Closes the device; the derived class's destructor calls it.
    void Close() final;
    void Abort() final;

    // Test hook: replaces the query of how many bytes wait in the driver's output queue (a
    // pseudo-terminal always reports none), so a line held by flow control can be modelled.
    void SetOutputCounterForTesting(std::function<int()> counter);

protected:
    using Clock = std::chrono::steady_clock;

    SystemSerialPort() = default;
    bool Aborted() const { return aborted_.load(); }

    // The system's part.
    virtual bool IsOpen() const = 0;
    // Bytes in the driver's output queue; negative when the driver cannot tell.
    virtual int DriverOutputCount() = 0;
    // False while a UART's transmitter still shifts out the last byte; true where it cannot tell.
    virtual bool TransmitterEmpty() { return true; }
    // Waits `duration` unless the port is aborted (or the device fails) meanwhile; false then.
    virtual bool SleepUnlessAborted(std::chrono::milliseconds duration) = 0;
    // Throws away output the driver still holds.
    virtual void DiscardOutput() = 0;
    // Releases the device and its exclusive hold.
    virtual void CloseDevice() = 0;
    // Called by Abort() once the port counts as aborted: makes every blocked call return.
    virtual void WakeBlockedCalls() = 0;

private:
    // Waits until the output has left or `deadline` (if any) has passed; false when it has not
    // left by then, or the port was aborted or failed.
    bool DrainUntil(std::optional<Clock::time_point> deadline);
    int QueuedOutputBytes();
    std::chrono::microseconds CurrentCharacterTime();

    std::atomic<bool> aborted_{false};
    std::function<int()> outputCounter_;
};

}  // namespace halvex
