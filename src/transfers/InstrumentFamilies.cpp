#include "transfers/InstrumentFamilies.h"

#include "transfers/ControlBytes.h"

namespace halvex {
namespace {

using std::chrono::milliseconds;

constexpr ReplyRule kNoReply{};

// The Tamsel family: every frame is STX ... ETX. Each data record carries a sequence digit and
// an XOR checksum, whatever the handshake. Under Ack/Nak the instrument answers three bytes; a
// first byte other than ACK asks for the same frame again. The coordinate upload starts with a
// fixed two-record job header and every upload ends with the frame STX EOT ETX. A download ends
// at EOT; under Ack/Nak the computer sends ENQ and answers each line with ACK, and every line
// after the first is shown after one more LF.
constexpr std::string_view kTamselJobHeader[] = {kJobHeaderFirst, kJobHeaderSecond};
constexpr TrailerStep kTamselTrailer[] = {{.bytes = "\x02\x04\x03\r\n"}};  // STX EOT ETX CR LF

constexpr FamilyDescription kTamsel{
    .frameOpen = "\x02",   // STX
    .frameClose = "\x03",  // ETX
    .withoutHandshake = {RecordDecoration::SequenceDigitAndChecksum, kNoReply, 251},
    .withAckNak = {RecordDecoration::SequenceDigitAndChecksum, {3, NegativeReply::SendAgain}, 251},
    .jobHeader = kTamselJobHeader,
    .trailer = kTamselTrailer,
    .download = {.terminator = kEot, .answersUnderAckNak = true, .extraLineFeed = true},
};

// The Brenno family: records go out bare. Under Ack/Nak each carries a comma and a sum byte and
// the instrument answers one byte; anything but ACK ends the transfer. Nothing follows the last
// record. A download ends at ETX and is never answered.
constexpr FamilyDescription kBrenno{
    .frameOpen = "",
    .frameClose = "",
    .withoutHandshake = {RecordDecoration::None, kNoReply, 255},
    .withAckNak = {RecordDecoration::CommaAndSumByte, {1, NegativeReply::Fail}, 253},
    .jobHeader = {},
    .trailer = {},
    .download = {.terminator = kEtx, .answersUnderAckNak = false, .extraLineFeed = false},
};

// The Corvane model (and free text): records go out bare and are paced by the per-record delay
// under either handshake. The upload ends with the per-record delay, EOT, a settling pause of
// 100 ms and CR LF. A download ends at EOT and is never answered.
constexpr TrailerStep kCorvaneTrailer[] = {
    {.pauseLineDelay = true, .bytes = "\x04"},  // EOT
    {.pause = milliseconds{100}, .bytes = kLineEnd},
};

constexpr FamilyDescription kCorvane{
    .frameOpen = "",
    .frameClose = "",
    .withoutHandshake = {RecordDecoration::None, kNoReply, 255},
    .withAckNak = {RecordDecoration::None, kNoReply, 255},
    .jobHeader = {},
    .trailer = kCorvaneTrailer,
    .download = {.terminator = kEot, .answersUnderAckNak = false, .extraLineFeed = false},
};

// The instrument keeps a decorated record in a buffer of kLongestDecoratedRecord bytes, so the
// longest record each family takes is what its decoration leaves of it.
constexpr bool LongestFitsTheBuffer(const RecordRules& rules) {
    return rules.longestRecord + DecorationLength(rules.decoration) == kLongestDecoratedRecord &&
           rules.reply.length <= kLongestReply;
}

constexpr bool Consistent(const FamilyDescription& family) {
    return LongestFitsTheBuffer(family.withoutHandshake) && LongestFitsTheBuffer(family.withAckNak);
}

static_assert(Consistent(kTamsel) && Consistent(kBrenno) && Consistent(kCorvane));

}  // namespace

const FamilyDescription& DescribeFamily(InstrumentFamily family) {
    switch (family) {
        case InstrumentFamily::Brenno:
            return kBrenno;
        case InstrumentFamily::Corvane:
            return kCorvane;
        case InstrumentFamily::Tamsel:
            break;
    }
    return kTamsel;
}

}  // namespace halvex
