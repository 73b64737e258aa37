#pragma once
// The operations the transfer logic needs of a serial device. The system's ports (termios on
// Linux, the communications calls on Windows) implement it over SystemSerialPort; tests use a
// scripted fake. The transfer code sees nothing else of the device.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace halvex {

enum class Parity { None, Odd, Even };

struct LineSettings {
    std::uint32_t baudRate = 1200;
    int dataBits = 8;  // 7 or 8
    Parity parity = Parity::None;
    int stopBits = 1;  // 1 or 2
    bool operator==(const LineSettings&) const = default;
};

enum class ReadStatus {
    Ok,      // all requested bytes arrived, or the total time-out ran out first (count says how
             // many came; fewer than requested means a time-out)
    Failed,  // the device failed or went away (hang-up, I/O error, aborted)
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    std::size_t count = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Request driver queue sizes; succeeds where the platform has no such request.
    virtual bool SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) = 0;
    // Read the current line settings (baud, size, parity, stop bits); everything else of the
    // device stays as it is.
    virtual bool GetLineSettings(LineSettings& settings) = 0;
    // Apply baud, size, parity and stop bits, leaving the rest of the device's settings as found.
    virtual bool SetLineSettings(const LineSettings& settings) = 0;
    // Total time-out of one Read call, whatever its length.
    virtual bool SetReadTimeout(std::uint32_t totalMs) = 0;
    // Read up to `count` bytes within the total time-out.
    virtual ReadResult Read(std::uint8_t* buffer, std::size_t count) = 0;
    // Writes all of `bytes`, blocking until the device has accepted them (writes never time
    // out). False when not all were taken: the device failed or went away (unplugged, hung up)
    // or the port was aborted.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    // Waits until every byte written so far has left the port. A write returns as soon as the
    // driver has queued the byte, so whatever is timed from "the record has been sent" (the
    // per-record pause, the reply time-out) waits for this first. False when the port was
    // aborted or the device failed meanwhile; Abort() ends the wait at once.
    virtual bool DrainOutput() = 0;
    // Close the device; its exclusive hold ends. After a normal end, output still queued is
    // given a bounded time to leave; after Abort() it is discarded, so closing never blocks.
    // Safe to call more than once.
    virtual void Close() = 0;
    // Thread-safe: makes a blocked Read, Write or DrainOutput return at once, and every
    // later call fail. Used to stop a transfer and when the program closes.
    virtual void Abort() = 0;
};

// The bytes of `text` as a port writes them.
inline std::span<const std::uint8_t> BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// What opening a port name gave: the port, or why there is none.
struct PortOpenResult {
    std::unique_ptr<SerialPort> port;
    std::string device;   // the device the name stands for; empty when it names none
    std::string failure;  // when no port: why, in words for the user (reason and remedy)
};

// Opens a device by its port name ("COM1".."COM6"); no port when it is missing or held.
class SerialPortOpener {
public:
    virtual ~SerialPortOpener() = default;
    virtual PortOpenResult Open(const std::string& portName) = 0;
};

}  // namespace halvex
