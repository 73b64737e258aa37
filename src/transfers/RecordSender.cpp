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

// The Tamsel family frames a record with STX and ETX; every family ends it with CR LF.
bool WriteFrame(const std::string& text, InstrumentFamily family, SerialPort& port) {
    const bool framed = family == InstrumentFamily::Tamsel;
    std::string frame;
    frame.reserve(text.size() + 4);
    if (framed) frame += static_cast<char>(kStx);
    frame += text;
    if (framed) frame += static_cast<char>(kEtx);
    frame += static_cast<char>(kCr);
    frame += static_cast<char>(kLf);
    return WriteAndDrain(port, frame);
}

bool Stopping(const SendContext& context) {
    return context.stopRequested && context.stopRequested();
}

bool Fail(SendContext& context, const char* message) {
    if (!Stopping(context)) context.dialogs.ShowMessage(message, kProgramCaption);
    return false;
}

enum class TamselReply { Accepted, Refused, Missing };

TamselReply ReadTamselReply(SerialPort& port) {
    std::uint8_t reply[3] = {};
    ReadResult result = port.Read(reply, sizeof reply);
    if (result.status != ReadStatus::Ok || result.count < sizeof reply) return TamselReply::Missing;
    return reply[0] == kAck ? TamselReply::Accepted : TamselReply::Refused;
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

std::size_t LongestRecordFor(InstrumentFamily family, Handshake handshake) {
    if (family == InstrumentFamily::Tamsel) return kMaxTamselRecord;
    if (family == InstrumentFamily::Brenno && handshake == Handshake::AckNak) {
        return kMaxBrennoRecord;
    }
    return kMaxPlainRecord;
}

std::string DecorateDataRecord(const std::string& record, InstrumentFamily family,
                               Handshake handshake, std::int32_t& counter) {
    std::string working = record;
    if (family == InstrumentFamily::Tamsel) {
        working += static_cast<char>('0' + counter % 10);
        ++counter;
        unsigned checksum = 0;
        for (char c : working) checksum ^= static_cast<std::uint8_t>(c);
        AppendThreeDigits(working, checksum);
    } else if (family == InstrumentFamily::Brenno && handshake == Handshake::AckNak) {
        working += ',';
        unsigned sum = 0;
        for (char c : working) sum += static_cast<std::uint8_t>(c);
        working += static_cast<char>(static_cast<std::uint8_t>(sum));
    }
    return working;
}

bool SendRecord(const std::string& text, SendContext& context) {
    for (int refusals = 0;;) {
        if (Stopping(context)) return false;
        const InstrumentFamily family = context.family;
        if (!WriteFrame(text, family, context.port)) {
            return Fail(context, kCommunicationFailedMessage);
        }
        const bool ackNak = context.settings.CurrentHandshake() == Handshake::AckNak;
        if (family == InstrumentFamily::Tamsel && ackNak) {
            switch (ReadTamselReply(context.port)) {
                case TamselReply::Accepted:
                    return true;
                case TamselReply::Missing:
                    return Fail(context, kNoReplyMessage);
                case TamselReply::Refused:
                    if (++refusals >= kMaxTamselRepeats) {
                        return Fail(context, kTooManyRepeatsMessage);
                    }
                    continue;
            }
        }
        if (family == InstrumentFamily::Brenno && ackNak) {
            std::uint8_t reply = 0;
            ReadResult result = context.port.Read(&reply, 1);
            if (result.status != ReadStatus::Ok || result.count < 1) {
                return Fail(context, kNoReplyMessage);
            }
            return reply == kAck ? true : Fail(context, kBadReplyMessage);
        }
        // The record has gone out; a stop during the pause is for the caller to see.
        std::chrono::milliseconds delay{context.settings.LineDelayMs.load()};
        if (context.pause) {
            context.pause(delay);
        } else {
            PauseUnlessStopped(delay, context.stopRequested);
        }
        return true;
    }
}

bool SendDataRecord(const std::string& record, SendContext& context, std::int32_t& counter) {
    std::string working =
        DecorateDataRecord(record, context.family, context.settings.CurrentHandshake(), counter);
    return SendRecord(working, context);
}

}  // namespace halvex
