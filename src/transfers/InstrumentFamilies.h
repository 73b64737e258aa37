#pragma once
// What sets each instrument family apart on the line, one description per family (the table is
// in InstrumentFamilies.cpp): how an upload decorates, frames and paces each record, the reply
// it waits for and what a negative one does, the longest record the instrument takes, the job
// header and the trailer; how a download ends, whether it is answered, and how its lines are
// shown. The record sender, both workers and the upload builders read these descriptions and do
// not test the family themselves.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "port/ProtocolValues.h"

namespace halvex {

// Every record, job-header record and trailer frame ends with CR LF, in every family.
inline constexpr std::string_view kLineEnd = "\r\n";

// What is added to a data record before it is framed.
enum class RecordDecoration {
    None,
    // The upload's counter modulo 10 as one digit (the counter then advances), then the XOR of
    // the record and that digit as three decimal digits.
    SequenceDigitAndChecksum,
    // A comma, then the sum of the record and the comma modulo 256 as one raw byte.
    CommaAndSumByte,
};

// The number of bytes a decoration adds.
constexpr std::size_t DecorationLength(RecordDecoration decoration) {
    switch (decoration) {
        case RecordDecoration::SequenceDigitAndChecksum:
            return 4;
        case RecordDecoration::CommaAndSumByte:
            return 2;
        case RecordDecoration::None:
            break;
    }
    return 0;
}

// A decorated record fills at most this many bytes of the instrument's buffer.
inline constexpr std::size_t kLongestDecoratedRecord = 255;

// What a reply whose first byte is not ACK does.
enum class NegativeReply {
    SendAgain,  // the same frame goes out again, digit and checksum unchanged
    Fail,       // the transfer stops with "Adjustment signal error"
};

// What follows a written record: the instrument's reply, read in one read of `length` bytes
// whose first must be ACK, or, when `length` is 0, the per-record pause of LineDelayMs.
struct ReplyRule {
    std::size_t length = 0;
    NegativeReply onNegative = NegativeReply::Fail;

    constexpr bool Awaited() const { return length > 0; }
};

// No family replies with more bytes than this.
inline constexpr std::size_t kLongestReply = 3;

// How a data record is sent under one handshake.
struct RecordRules {
    RecordDecoration decoration;
    ReplyRule reply;
    // The longest record the sender takes before decoration: longer ones are refused, never cut.
    std::size_t longestRecord;
};

// One part of an upload's closing bytes: a pause (the per-record delay as set at that moment,
// or a fixed one), then the bytes, written and drained.
struct TrailerStep {
    bool pauseLineDelay = false;
    std::chrono::milliseconds pause{0};
    std::string_view bytes;
};

struct DownloadRules {
    // The byte that ends a download; it is not shown.
    std::uint8_t terminator;
    // Under Ack/Nak: ENQ once the prompt is closed and ACK after every LF received.
    bool answersUnderAckNak;
    // Every line after the first is shown after one more LF.
    bool extraLineFeed;

    constexpr bool Answers(Handshake handshake) const {
        return answersUnderAckNak && handshake == Handshake::AckNak;
    }
};

struct FamilyDescription {
    // Around every frame (job-header records included), before CR LF.
    std::string_view frameOpen;
    std::string_view frameClose;
    RecordRules withoutHandshake;
    RecordRules withAckNak;
    // The records sent before the data when the command asks for a job header (SiteHeader 1).
    std::span<const std::string_view> jobHeader;
    // Written after the last record; no reply is read and no pause follows.
    std::span<const TrailerStep> trailer;
    DownloadRules download;

    constexpr const RecordRules& Records(Handshake handshake) const {
        return handshake == Handshake::AckNak ? withAckNak : withoutHandshake;
    }
};

inline constexpr const char* kJobHeaderFirst = "F00F000";
inline constexpr const char* kJobHeaderSecond = "Site1     +00001.000000200020-100000S113";

const FamilyDescription& DescribeFamily(InstrumentFamily family);

}  // namespace halvex
