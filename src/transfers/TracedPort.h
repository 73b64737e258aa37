#pragma once
// A serial port that records its line into a LineTrace and otherwise does exactly what the port
// it wraps does: each write's bytes (timed when the write starts), each read's bytes (timed when
// they arrived), and what became of the waits: "drained", "time-out" (fewer bytes than asked
// for), "read failed", "write failed", "drain failed", and "stopped" when the port is aborted.
// TracedPortOpener hands out such ports and notes in the trace which port and device were asked
// for, with the settings in force then.

#include <atomic>
#include <memory>

#include "port/CommSettings.h"
#include "port/SerialPort.h"
#include "transfers/LineTrace.h"

namespace halvex {

class TracedPort : public SerialPort {
public:
    TracedPort(std::unique_ptr<SerialPort> port, LineTrace& trace);

    bool SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetReadTimeout(std::uint32_t totalMs) override;
    ReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool DrainOutput() override;
    void Close() override;
    void Abort() override;

private:
    // Notes an abort that has come since the last call, once.
    void NoteStop();

    std::unique_ptr<SerialPort> port_;
    LineTrace& trace_;
    std::atomic<bool> aborted_{false};
    bool stopNoted_ = false;
};

class TracedPortOpener : public SerialPortOpener {
public:
    // `byName`: the transfer opens the port by its name ("COM1"); false where the opener stands
    // for a device named directly, so the name it is asked for means nothing.
    TracedPortOpener(SerialPortOpener& ports, const CommSettings& settings, LineTrace& trace,
                     bool byName = true);
    PortOpenResult Open(const std::string& portName) override;

private:
    SerialPortOpener& ports_;
    const CommSettings& settings_;
    LineTrace& trace_;
    bool byName_;
};

}  // namespace halvex
