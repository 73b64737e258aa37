#pragma once
// A scripted serial device for core tests. Input bytes are queued by the test (or by a hook that
// sees every written byte, to answer as an instrument would); a Read takes what is queued and,
// when fewer bytes than asked are there, returns at once as a time-out would. Everything written
// is recorded. Individual operations can be made to fail.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "port/SerialPort.h"

namespace halvex::testing {

class FakeSerialPort : public SerialPort {
public:
    bool SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) override;
    bool GetLineSettings(LineSettings& settings) override;
    bool SetLineSettings(const LineSettings& settings) override;
    bool SetReadTimeout(std::uint32_t totalMs) override;
    ReadResult Read(std::uint8_t* buffer, std::size_t count) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    bool DrainOutput() override;
    void Close() override;
    void Abort() override;

    // Script.
    void QueueInput(const std::string& bytes);
    void FailReadsWhenEmpty(bool fail);  // an exhausted input reads as a failure, not a time-out
    void FailSetupQueues(bool fail);
    void FailSetLineSettings(bool fail);
    // Writes after the first `count` fail (the device went away); nothing more is recorded.
    void FailWritesAfter(std::size_t count);
    void SetInitialSettings(const LineSettings& settings);
    // Called after every written byte, with the port, so a test can queue the instrument's answer.
    void OnWrite(std::function<void(std::uint8_t, FakeSerialPort&)> hook);

    // Observations.
    std::string Written() const;
    LineSettings Settings() const;
    std::uint32_t ReadTimeoutMs() const;
    std::uint32_t QueueIn() const;
    std::uint32_t QueueOut() const;
    int ReadCalls() const;
    std::vector<std::size_t> ReadSizes() const;
    bool Closed() const;
    int CloseCount() const;
    // For each DrainOutput call: how many bytes had been written and how many reads made.
    struct Drain {
        std::size_t written;
        std::size_t reads;
        bool operator==(const Drain&) const = default;
    };
    std::vector<Drain> Drains() const;

private:
    mutable std::recursive_mutex mutex_;
    std::deque<std::uint8_t> input_;
    std::string written_;
    LineSettings settings_{9600, 8, Parity::None, 1};
    std::uint32_t readTimeoutMs_ = 0;
    std::uint32_t queueIn_ = 0, queueOut_ = 0;
    std::vector<std::size_t> readSizes_;
    bool failReadsWhenEmpty_ = false;
    bool failSetupQueues_ = false;
    bool failSetLineSettings_ = false;
    std::optional<std::size_t> writableBytes_;
    std::vector<Drain> drains_;
    bool aborted_ = false;
    int closeCount_ = 0;
    std::function<void(std::uint8_t, FakeSerialPort&)> onWrite_;
};

// Hands out prepared fake ports by name; a name without a port fails to open, as does a name
// whose port is already open (exclusive access). The device of "COMn" is called "fake:COMn".
class FakePortOpener : public SerialPortOpener {
public:
    // The port returned for `portName`; the opener keeps it alive so tests can inspect it later.
    std::shared_ptr<FakeSerialPort> Add(const std::string& portName);
    // Any other port under `portName`.
    void Install(const std::string& portName, std::shared_ptr<SerialPort> port);
    PortOpenResult Open(const std::string& portName) override;
    std::vector<std::string> OpenedNames() const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<SerialPort>> ports_;
    std::vector<std::string> opened_;
};

}  // namespace halvex::testing
