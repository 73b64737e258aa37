#pragma once
// A serial line with a speed, for what a pseudo-terminal cannot show: written bytes wait in a
// transmit queue of limited size and leave one after another at the rate the line settings give
// (start bit, data bits, parity, stop bits). Time is modelled: the clock moves only when the port
// waits (a write into a full queue, a drain, a read, a pause), so a test of many seconds on the
// line runs at once and always the same way. The instrument is a hook that sees each byte as it
// leaves and schedules the bytes that come back.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "port/SerialPort.h"

namespace halvex::testing {

using LineTime = std::chrono::microseconds;  // modelled time since the port was made

struct WireByte {
    std::uint8_t byte;
    LineTime start;  // its start bit begins
    LineTime end;    // its last stop bit has left
};

class FakeLinePort : public SerialPort {
public:
    explicit FakeLinePort(std::size_t transmitQueueBytes = 4096);

    bool SetupQueues(std::uint32_t, std::uint32_t) override { return true; }
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetReadTimeout(std::uint32_t totalMs) override;
    ReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool DrainOutput() override;
    void Close() override { closed_ = true; }
    void Abort() override { aborted_ = true; }

    // The per-record pause, on the modelled clock.
    void Pause(std::chrono::milliseconds duration) { now_ += duration; }
    // The instrument: called for every byte as it is written, with its times on the line.
    void OnSent(std::function<void(const WireByte&, FakeLinePort&)> hook);
    // Bytes the instrument sends, arriving at `at`.
    void Arrive(const std::string& bytes, LineTime at);

    LineTime Now() const { return now_; }
    const std::vector<WireByte>& Wire() const { return wire_; }
    // When each read call was made, and until when it would have waited.
    struct ReadCall {
        LineTime at;
        LineTime deadline;
    };
    const std::vector<ReadCall>& Reads() const { return reads_; }
    bool Closed() const { return closed_; }

private:
    LineTime CharacterTime() const;
    std::size_t QueuedAt(LineTime time) const;

    std::size_t queueCapacity_;
    LineSettings settings_{9600, 8, Parity::None, 1};
    std::chrono::milliseconds readTimeout_{0};
    LineTime now_{0};
    std::vector<WireByte> wire_;
    std::deque<std::pair<LineTime, std::uint8_t>> incoming_;
    std::vector<ReadCall> reads_;
    std::function<void(const WireByte&, FakeLinePort&)> onSent_;
    bool closed_ = false;
    bool aborted_ = false;
};

}  // namespace halvex::testing
