#include "port/SystemSerialPort.h"

#include <algorithm>

namespace halvex {

namespace {

constexpr auto kLongestDrainSleep = std::chrono::milliseconds(100);
// Closing after a normal end waits at most what the queued bytes need, plus this.
constexpr auto kCloseDrainGrace = std::chrono::seconds(2);

}  // namespace

std::chrono::microseconds CharacterTime(const LineSettings& settings) {
    if (settings.baudRate == 0) return std::chrono::microseconds(0);
    const unsigned bits = 1u + static_cast<unsigned>(settings.dataBits) +
                          (settings.parity == Parity::None ? 0u : 1u) +
                          static_cast<unsigned>(settings.stopBits);
    return std::chrono::microseconds(bits * 1'000'000ull / settings.baudRate + 1);
}

bool SystemSerialPort::DrainOutput() { return DrainUntil(std::nullopt); }

bool SystemSerialPort::DrainUntil(std::optional<Clock::time_point> deadline) {
    std::optional<std::chrono::microseconds> perCharacter;  // asked only when there is a wait
    for (;;) {
        if (Aborted() || !IsOpen()) return false;
        const int queued = QueuedOutputBytes();
        // A driver that cannot tell (a pseudo-terminal, a device already gone) counts as
        // drained: only a hang-up while bytes are known to wait is a failure. A peer that closes
        // the line right after taking the last byte has not failed the transfer.
        if (queued <= 0 && TransmitterEmpty()) return true;
        // Sleep about as long as the queued bytes need; a stalled line is checked again after
        // the longest sleep, and Abort() or a hang-up ends the wait at once.
        if (!perCharacter) perCharacter = CurrentCharacterTime();
        auto sleep = std::chrono::duration_cast<std::chrono::milliseconds>(
            *perCharacter * std::max(queued, 1) + std::chrono::milliseconds(1));
        sleep = std::min<std::chrono::milliseconds>(sleep, kLongestDrainSleep);
        if (deadline) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0) return false;
            sleep = std::min(sleep, left);
        }
        if (!SleepUnlessAborted(sleep)) return false;
    }
}

int SystemSerialPort::QueuedOutputBytes() {
    return outputCounter_ ? outputCounter_() : DriverOutputCount();
}

std::chrono::microseconds SystemSerialPort::CurrentCharacterTime() {
    LineSettings settings;
    if (!GetLineSettings(settings)) return std::chrono::microseconds(0);
    return CharacterTime(settings);
}

void SystemSerialPort::SetOutputCounterForTesting(std::function<int()> counter) {
    outputCounter_ = std::move(counter);
}

void SystemSerialPort::Close() {
    if (!IsOpen()) return;
    // The system's own close would wait up to the driver's closing time for output a stalled
    // line never sends, then drop it anyway: decide here instead.
    bool discard = Aborted();
    if (!discard) {
        const int queued = std::max(QueuedOutputBytes(), 0);
        discard = !DrainUntil(Clock::now() + CurrentCharacterTime() * queued + kCloseDrainGrace);
    }
    if (discard) DiscardOutput();
    CloseDevice();
}

void SystemSerialPort::Abort() {
    aborted_.store(true);
    WakeBlockedCalls();
}

}  // namespace halvex
