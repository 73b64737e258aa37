#include "station/lib/UploadReceiver.h"

#include <cstdio>

#include "transfers/ControlBytes.h"

namespace halvex::station {

namespace {

constexpr const char* kJobHeaders[] = {"F00F000", "Site1     +00001.000000200020-100000S113"};
// How long a Brenno record that ends in CR LF but carries no valid sum byte may still grow
// (its sum byte could itself be CR or LF) before it is taken as it stands.
constexpr std::chrono::milliseconds kSumByteGrace{150};

std::string Hex(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::uint8_t XorOf(std::string_view bytes) {
    std::uint8_t value = 0;
    for (char c : bytes) value ^= static_cast<std::uint8_t>(c);
    return value;
}

std::uint8_t SumOf(std::string_view bytes) {
    unsigned sum = 0;
    for (char c : bytes) sum += static_cast<std::uint8_t>(c);
    return static_cast<std::uint8_t>(sum);
}

// A Brenno Ack/Nak record as it stands in `frame` (CR LF included) is complete: record, comma,
// the sum of record and comma.
bool HasValidSum(const std::string& frame) {
    if (frame.size() < 4 || !EndsWith(frame, "\r\n")) return false;
    const std::size_t sumAt = frame.size() - 3;
    return frame[sumAt - 1] == ',' && SumOf(std::string_view(frame).substr(0, sumAt)) ==
                                          static_cast<std::uint8_t>(frame[sumAt]);
}

enum class FrameStatus { Frame, Over, Broken };

class UploadReception {
public:
    UploadReception(StationLine& line, const UploadScript& script,
                    const std::function<void(const ReceivedRecord&)>& onRecord)
        : line_(line), script_(script), onRecord_(onRecord) {}

    UploadOutcome Run() {
        for (bool first = true; !outcome_.trailerSeen; first = false) {
            std::string frame;
            const FrameStatus status = NextFrame(frame, first ? script_.timeout : script_.idle);
            if (status == FrameStatus::Over) break;
            if (status == FrameStatus::Broken) continue;
            ++outcome_.frames;
            Handle(frame);
        }
        outcome_.ok = outcome_.error.empty();
        return outcome_;
    }

private:
    // Waits up to `wait` for the first byte of a frame, then reads the frame. Over: the line
    // stayed quiet or was closed.
    FrameStatus NextFrame(std::string& frame, std::chrono::milliseconds wait) {
        std::uint8_t byte = 0;
        switch (line_.ReceiveByte(byte, wait)) {
            case ReceiveStatus::Byte:
                break;
            case ReceiveStatus::Timeout:
                if (outcome_.frames == 0) Fault("nothing received");
                return FrameStatus::Over;
            case ReceiveStatus::Closed:
                outcome_.hungUp = true;
                return FrameStatus::Over;
        }
        if (script_.family == Family::Tamsel && byte != kStx) {
            Fault("expected STX, received " + Hex(byte));
            return FrameStatus::Broken;
        }
        frame.assign(1, static_cast<char>(byte));
        while (!FrameComplete(frame)) {
            const ReceiveStatus status = line_.ReceiveByte(byte, ByteWait(frame));
            if (status == ReceiveStatus::Closed) {
                outcome_.hungUp = true;
                Fault("the line was closed inside a record");
                return FrameStatus::Over;
            }
            if (status == ReceiveStatus::Timeout) {
                if (ByteWait(frame) == kSumByteGrace) return FrameStatus::Frame;
                Fault("a record stopped short of its end");
                return FrameStatus::Over;
            }
            frame += static_cast<char>(byte);
        }
        return FrameStatus::Frame;
    }

    bool FrameComplete(const std::string& frame) const {
        if (script_.family == Family::Tamsel) return EndsWith(frame, "\x03\r\n");
        if (script_.family == Family::Brenno && script_.ackNak) return HasValidSum(frame);
        return EndsWith(frame, "\r\n");
    }

    std::chrono::milliseconds ByteWait(const std::string& frame) const {
        const bool waitingForSum =
            script_.family == Family::Brenno && script_.ackNak && EndsWith(frame, "\r\n");
        return waitingForSum ? kSumByteGrace : script_.timeout;
    }

    void Handle(const std::string& frame) {
        switch (script_.family) {
            case Family::Tamsel:
                return HandleTamsel(frame.substr(1, frame.size() - 4));
            case Family::Brenno:
                return HandleBrenno(frame.substr(0, frame.size() - 2));
            case Family::Corvane:
                return HandleCorvane(frame.substr(0, frame.size() - 2));
        }
    }

    void HandleTamsel(const std::string& content) {
        if (content == std::string(1, kEot)) {
            outcome_.trailerSeen = true;
            return;
        }
        if (dataRecords_ == 0 && headers_ < 2 && content == kJobHeaders[headers_]) {
            if (Answer()) Accept({content, true}, headers_);
            return;
        }
        std::string record;
        if (!CheckTamselDecoration(content, record)) {
            if (script_.ackNak) Reply(std::string{kNak, '0', '0'});
            return;
        }
        if (Answer()) Accept({record, false}, dataRecords_);
    }

    // Splits off and checks the sequence digit and the three checksum digits.
    bool CheckTamselDecoration(const std::string& content, std::string& record) {
        const std::string label = "frame " + std::to_string(outcome_.frames);
        if (content.size() < 4) return Fault(label + ": too short for digit and checksum");
        const std::size_t digitAt = content.size() - 4;
        const char expectedDigit = static_cast<char>('0' + dataRecords_ % 10);
        if (content[digitAt] != expectedDigit) {
            return Fault(label + ": sequence digit " + std::string(1, content[digitAt]) +
                         ", expected " + std::string(1, expectedDigit));
        }
        char expected[4];
        std::snprintf(expected, sizeof expected, "%03u",
                      XorOf(std::string_view(content).substr(0, digitAt + 1)));
        if (content.compare(digitAt + 1, 3, expected) != 0) {
            return Fault(label + ": checksum " + content.substr(digitAt + 1) + ", expected " +
                         expected);
        }
        record = content.substr(0, digitAt);
        return true;
    }

    void HandleBrenno(const std::string& content) {
        if (!script_.ackNak) {
            Accept({content, false}, dataRecords_);
            return;
        }
        if (content.size() < 2 || content[content.size() - 2] != ',' ||
            SumOf(std::string_view(content).substr(0, content.size() - 1)) !=
                static_cast<std::uint8_t>(content.back())) {
            Fault("frame " + std::to_string(outcome_.frames) + ": no valid sum byte");
            Reply(std::string(1, kNak));
            return;
        }
        if (Answer()) Accept({content.substr(0, content.size() - 2), false}, dataRecords_);
    }

    void HandleCorvane(const std::string& content) {
        if (content == std::string(1, kEot)) {
            outcome_.trailerSeen = true;
            return;
        }
        Accept({content, false}, dataRecords_);
    }

    // Sends the reply this frame gets; true when that reply accepts it.
    bool Answer() {
        if (!script_.ackNak) return true;
        const bool tamsel = script_.family == Family::Tamsel;
        ++answered_;
        const bool faulty = script_.faultEvery > 0 && answered_ % script_.faultEvery == 0;
        const ReplyFault fault = faulty ? script_.fault : ReplyFault::None;
        switch (fault) {
            case ReplyFault::None:
                Reply(tamsel ? std::string{kAck, '0', '0'} : std::string(1, kAck));
                return true;
            case ReplyFault::Nak:
                Reply(tamsel ? std::string{kNak, '0', '0'} : std::string(1, kNak));
                return false;
            case ReplyFault::Short:
                if (tamsel) Reply(std::string(1, kAck));
                return false;
            case ReplyFault::Silent:
                return false;
            case ReplyFault::WrongByte:
                Reply(tamsel ? std::string("?00") : std::string("?"));
                return false;
        }
        return false;
    }

    void Reply(const std::string& bytes) {
        if (!line_.Send(bytes, script_.timeout)) Fault("the computer does not take the reply");
    }

    void Accept(ReceivedRecord record, std::size_t& counter) {
        ++counter;
        if (onRecord_) onRecord_(record);
        outcome_.records.push_back(std::move(record));
    }

    bool Fault(const std::string& what) {
        if (outcome_.error.empty()) outcome_.error = what;
        return false;
    }

    StationLine& line_;
    const UploadScript& script_;
    const std::function<void(const ReceivedRecord&)>& onRecord_;
    UploadOutcome outcome_;
    std::size_t headers_ = 0;
    std::size_t dataRecords_ = 0;
    std::size_t answered_ = 0;
};

}  // namespace

std::optional<ReplyFault> ReplyFaultFromName(const std::string& name) {
    if (name == "nak") return ReplyFault::Nak;
    if (name == "short") return ReplyFault::Short;
    if (name == "silent") return ReplyFault::Silent;
    if (name == "wrong") return ReplyFault::WrongByte;
    return std::nullopt;
}

UploadOutcome ReceiveUpload(StationLine& line, const UploadScript& script,
                            const std::function<void(const ReceivedRecord&)>& onRecord) {
    return UploadReception(line, script, onRecord).Run();
}

}  // namespace halvex::station
