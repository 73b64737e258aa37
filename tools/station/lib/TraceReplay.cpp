#include "station/lib/TraceReplay.h"

#include <thread>

namespace halvex::station {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// "30 31 0d |01.|": bytes in hex and as text, as a trace shows them.
std::string HexAndText(const std::string& bytes) {
    return TraceHex(bytes) + " |" + TraceText(bytes) + "|";
}

// What the computer sent after the first byte that differs, for showing with it.
constexpr std::size_t kShownBytes = 16;
constexpr auto kMoreAfterDifference = 200ms;

class Replay {
public:
    Replay(StationLine& line, const ReplayOptions& options) : line_(line), options_(options) {}

    ReplayOutcome Run(const std::vector<TraceData>& trace) {
        for (const TraceData& data : trace) {
            const bool ok = data.direction == TraceDirection::Sent ? Expect(data) : Answer(data);
            if (!ok) return outcome_;
            lastAt_ = data.at;
            lastMoment_ = Clock::now();
        }
        // The computer takes what was sent before anything more counts, so that the replay ends
        // only once the whole trace has reached it.
        line_.WaitDelivered(options_.timeout);
        const std::string more = line_.TakePending(options_.idle);
        if (!more.empty()) {
            Differ(0, "the end of the trace", more);
            return outcome_;
        }
        outcome_.same = true;
        return outcome_;
    }

private:
    // The computer's bytes of one trace line, byte for byte.
    bool Expect(const TraceData& data) {
        for (std::size_t i = 0; i < data.bytes.size(); ++i) {
            std::uint8_t byte = 0;
            const ReceiveStatus status = line_.ReceiveByte(byte, options_.timeout);
            const std::string expected =
                HexAndText(data.bytes.substr(i, std::min(kShownBytes, data.bytes.size() - i)));
            if (status == ReceiveStatus::Timeout) {
                Differ(data.lineNumber, expected,
                       "nothing within " + std::to_string(options_.timeout.count()) + " ms");
                return false;
            }
            if (status == ReceiveStatus::Closed) {
                Differ(data.lineNumber, expected, "nothing: the computer closed the line");
                return false;
            }
            if (static_cast<char>(byte) != data.bytes[i]) {
                Differ(
                    data.lineNumber, expected,
                    HexAndText(static_cast<char>(byte) +
                               line_.TakePending(kMoreAfterDifference).substr(0, kShownBytes - 1)));
                return false;
            }
            ++outcome_.bytesReceived;
        }
        return true;
    }

    // The instrument's bytes of one trace line, after the recorded gap.
    bool Answer(const TraceData& data) {
        if (!options_.fast && data.at > lastAt_) {
            std::this_thread::sleep_until(lastMoment_ + (data.at - lastAt_));
        }
        if (!line_.Send(data.bytes, options_.timeout)) {
            outcome_.difference = "the line failed while sending trace line " +
                                  std::to_string(data.lineNumber) + " to the computer";
            return false;
        }
        outcome_.bytesSent += data.bytes.size();
        return true;
    }

    void Differ(std::size_t lineNumber, const std::string& expected, const std::string& received) {
        outcome_.difference =
            "the computer's byte " + std::to_string(outcome_.bytesReceived + 1) +
            (lineNumber > 0 ? " (trace line " + std::to_string(lineNumber) + ")" : std::string()) +
            " differs:\n  expected " + expected + "\n  received " + received;
    }

    StationLine& line_;
    const ReplayOptions& options_;
    ReplayOutcome outcome_;
    std::chrono::milliseconds lastAt_{0};
    Clock::time_point lastMoment_ = Clock::now();
};

}  // namespace

ReplayOutcome ReplayTrace(StationLine& line, const std::vector<TraceData>& trace,
                          const ReplayOptions& options) {
    return Replay(line, options).Run(trace);
}

}  // namespace halvex::station
