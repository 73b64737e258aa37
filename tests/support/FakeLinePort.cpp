#include "support/FakeLinePort.h"

#include <algorithm>

namespace halvex::testing {

FakeLinePort::FakeLinePort(std::size_t transmitQueueBytes) : queueCapacity_(transmitQueueBytes) {}

bool FakeLinePort::GetLineSettings(LineSettings& settings) {
    settings = settings_;
    return true;
}

bool FakeLinePort::SetLineSettings(const LineSettings& settings) {
    settings_ = settings;
    return true;
}

bool FakeLinePort::SetReadTimeout(std::uint32_t totalMs) {
    readTimeout_ = std::chrono::milliseconds(totalMs);
    return true;
}

LineTime FakeLinePort::CharacterTime() const {
    const int bits =
        1 + settings_.dataBits + (settings_.parity == Parity::None ? 0 : 1) + settings_.stopBits;
    return LineTime(bits * 1'000'000LL / settings_.baudRate);
}

std::size_t FakeLinePort::QueuedAt(LineTime time) const {
    return static_cast<std::size_t>(std::count_if(
        wire_.begin(), wire_.end(), [time](const WireByte& b) { return b.end > time; }));
}

bool FakeLinePort::Write(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        if (aborted_ || closed_) return false;
        // A full queue holds the writer until its oldest byte has left.
        while (QueuedAt(now_) >= queueCapacity_) {
            now_ = wire_[wire_.size() - QueuedAt(now_)].end;
        }
        const LineTime start = wire_.empty() ? now_ : std::max(now_, wire_.back().end);
        wire_.push_back({byte, start, start + CharacterTime()});
        if (onSent_) onSent_(wire_.back(), *this);
    }
    return true;
}

bool FakeLinePort::DrainOutput() {
    if (aborted_ || closed_) return false;
    if (!wire_.empty()) now_ = std::max(now_, wire_.back().end);
    return true;
}

ReadResult FakeLinePort::Read(std::uint8_t* buffer, std::size_t count) {
    if (aborted_ || closed_) return {ReadStatus::Failed, 0};
    const LineTime deadline = now_ + readTimeout_;
    reads_.push_back({now_, deadline});
    std::size_t got = 0;
    while (got < count && !incoming_.empty() && incoming_.front().first <= deadline) {
        now_ = std::max(now_, incoming_.front().first);
        buffer[got++] = incoming_.front().second;
        incoming_.pop_front();
    }
    if (got < count) now_ = deadline;
    return {ReadStatus::Ok, got};
}

void FakeLinePort::OnSent(std::function<void(const WireByte&, FakeLinePort&)> hook) {
    onSent_ = std::move(hook);
}

void FakeLinePort::Arrive(const std::string& bytes, LineTime at) {
    for (char c : bytes) incoming_.emplace_back(at, static_cast<std::uint8_t>(c));
    std::stable_sort(incoming_.begin(), incoming_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

}  // namespace halvex::testing
