#include "transfers/RecordSender.h"

#include <algorithm>
#include <thread>

namespace halvex {
namespace {

void AppendThreeDigits(std::string& text, unsigned value) {
    text += static_cast<char>('0' + value / 100);
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

bool WriteFrame(const std::string& text, const FamilyDescription& family, SerialPort& port) {
    std::string frame;
    frame.reserve(family.frameOpen.size() + text.size() + family.frameClose.size() +
                  kLineEnd.size());
    frame.append(family.frameOpen).append(text).append(family.frameClose).append(kLineEnd);
    return WriteAndDrain(port, frame);
}

bool Stopping(const SendContext& context) {
    return context.stopRequested && context.stopRequested();
}

bool Fail(SendContext& context, const char* message) {
    if (!Stopping(context)) context.dialogs.ShowFailure(message, kProgramCaption);
    return false;
}

enum class Reply { Accepted, Refused, Missing };

// Reads the reply in one read; only its first byte counts.
Reply ReadReply(SerialPort& port, std::size_t length) {
    std::uint8_t reply[kLongestReply] = {};
    ReadResult result = port.Read(reply, length);
    if (result.status != ReadStatus::Ok || result.count < length) return Reply::Missing;
    return reply[0] == kAck ? Reply::Accepted : Reply::Refused;
}

void AppendSequenceDigitAndChecksum(std::string& working, std::int32_t& counter) {
    working += static_cast<char>('0' + counter % 10);
    ++counter;
    unsigned checksum = 0;
    for (char c : working) checksum ^= static_cast<std::uint8_t>(c);
    AppendThreeDigits(working, checksum);
}

void AppendCommaAndSumByte(std::string& working) {
    working += ',';
    unsigned sum = 0;
    for (char c : working) sum += static_cast<std::uint8_t>(c);
    working += static_cast<char>(static_cast<std::uint8_t>(sum));
}

std::string Decorated(const std::string& record, RecordDecoration decoration,
                      std::int32_t& counter) {
    std::string working = record;
    switch (decoration) {
        case RecordDecoration::SequenceDigitAndChecksum:
            AppendSequenceDigitAndChecksum(working, counter);
            break;
        case RecordDecoration::CommaAndSumByte:
            AppendCommaAndSumByte(working);
            break;
        case RecordDecoration::None:
            break;
    }
    return working;
}

}  // namespace

void PauseUnlessStopped(std::chrono::milliseconds duration,
                        const std::function<bool()>& stopRequested) {
    using Clock = std::chrono::steady_clock;
    constexpr std::chrono::milliseconds kSlice{20};
    const auto deadline = Clock::now() + duration;
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        if (stopRequested && stopRequested()) return;
        std::this_thread::sleep_for(std::min<Clock::duration>(kSlice, deadline - now));
    }
}

bool WriteAndDrain(SerialPort& port, std::string_view bytes) {
    return port.Write(BytesOf(bytes)) && port.DrainOutput();
}

std::string DecorateDataRecord(const std::string& record, InstrumentFamily family,
                               Handshake handshake, std::int32_t& counter) {
    return Decorated(record, DescribeFamily(family).Records(handshake).decoration, counter);
}

bool SendRecord(const std::string& text, SendContext& context) {
    for (int refusals = 0;;) {
        if (Stopping(context)) return false;
        if (!WriteFrame(text, context.family, context.port)) {
            return Fail(context, kCommunicationFailedMessage);
        }
        const ReplyRule reply = context.family.Records(context.settings.CurrentHandshake()).reply;
        if (!reply.Awaited()) {
            // The record has gone out; a stop during the pause is for the caller to see.
            std::chrono::milliseconds delay{context.settings.LineDelayMs.load()};
            if (context.pause) {
                context.pause(delay);
            } else {
                PauseUnlessStopped(delay, context.stopRequested);
            }
            return true;
        }
        switch (ReadReply(context.port, reply.length)) {
            case Reply::Accepted:
                return true;
            case Reply::Missing:
                return Fail(context, kNoReplyMessage);
            case Reply::Refused:
                if (reply.onNegative == NegativeReply::Fail) {
                    return Fail(context, kBadReplyMessage);
                }
                if (++refusals >= kMaxTamselRepeats) return Fail(context, kTooManyRepeatsMessage);
                continue;
        }
    }
}

bool SendDataRecord(const std::string& record, SendContext& context, std::int32_t& counter) {
    const RecordRules& rules = context.family.Records(context.settings.CurrentHandshake());
    return SendRecord(Decorated(record, rules.decoration, counter), context);
}

}  // namespace halvex
