#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/FakeDialogs.h"
#include "support/FakeSerialPort.h"
#include "support/TransferModes.h"
#include "transfers/RecordSender.h"

namespace halvex {
namespace {

using testing::FakeDialogs;
using testing::FakeSerialPort;
using namespace std::string_literals;

const std::string kAckReply = "\x06\x06\x06";
const std::string kNakReply = "\x15\x15\x15";

struct Decoration {
    std::string record;
    std::int16_t mode;
    std::int32_t protocol;
    std::int32_t counterBefore;
    std::string expected;
    std::int32_t counterAfter;
};

TEST(DecorateDataRecord, AddsTheFamilysDecoration) {
    // clang-format off
    const std::vector<Decoration> cases = {
        {"abc", 1, 0, 0, "abc0080", 1},
        {"A", 1, 1, 3, "A3114", 4},
        {"0", 1, 0, 0, "00000", 1},           // XOR 0 gives 000
        {"5", 1, 0, 0, "50005", 1},           // XOR 5 gives 005
        {"\x1a", 1, 0, 0, "\x1a" "0042", 1},  // XOR 42 gives 042
        {"\xff", 1, 0, 0, "\xff" "0207", 1},  // bytes of 128 and more reach past 127
        {"A", 1, 0, 9, "A9120", 10},
        {"A", 1, 0, 10, "A0113", 11},         // the digit wraps to 0
        {"A", 1, 1, 23, "A3114", 24},
        {"", 1, 0, 0, "0048", 1},
        {"abc", 2, 1, 5, "abc,\x52", 5},
        {"\xd4", 2, 1, 0, "\xd4,\x00"s, 0},   // sum byte 0x00 is kept
        {"\xe1", 2, 1, 0, "\xe1,\r", 0},
        {"\xde", 2, 1, 0, "\xde,\n", 0},
        {"\xf0\xf0", 2, 1, 0, "\xf0\xf0,\x0c", 0},  // the sum is taken modulo 256
        {"abc", 2, 0, 0, "abc", 0},
        {"abc", 3, 1, 7, "abc", 7},
        {"abc", 3, 0, 7, "abc", 7},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::int32_t counter = c.counterBefore;
        EXPECT_EQ(DecorateDataRecord(c.record, testing::FamilyForMode(c.mode),
                                     HandshakeOf(c.protocol), counter),
                  c.expected)
            << "record " << c.record << " mode " << c.mode;
        EXPECT_EQ(counter, c.counterAfter) << "record " << c.record << " mode " << c.mode;
    }
}

TEST(DecorateDataRecord, SevenBitRecordsKeepTheChecksumBelow128) {
    std::string record;
    for (int c = 1; c < 128; ++c) {
        record.assign(1, static_cast<char>(c));
        record += "xyz";
        std::int32_t counter = c;
        std::string decorated =
            DecorateDataRecord(record, InstrumentFamily::Tamsel, Handshake::None, counter);
        int checksum = std::stoi(decorated.substr(decorated.size() - 3));
        EXPECT_LT(checksum, 128) << c;
    }
}

// A sender over a fake port whose pauses are recorded instead of slept.
struct SenderFixture {
    FakeSerialPort port;
    CommSettings settings;
    FakeDialogs dialogs;
    std::vector<int> pauses;
    bool stop = false;

    SendContext Context(std::int16_t mode, std::int32_t protocol, std::int32_t delayMs = 7) {
        settings.Protocol = protocol;
        settings.LineDelayMs = delayMs;
        SendContext context{port, settings, dialogs, testing::FamilyForMode(mode)};
        context.stopRequested = [this] { return stop; };
        context.pause = [this](std::chrono::milliseconds ms) {
            pauses.push_back(static_cast<int>(ms.count()));
        };
        return context;
    }
};

struct LineCase {
    std::int16_t mode;
    std::int32_t protocol;
    std::string reply;
    std::string written;
    std::vector<std::size_t> reads;
    std::vector<int> pauses;
    bool accepted;
    std::vector<std::string> messages;
};

TEST(SendDataRecord, WritesTheBytesOfEachModeAndProtocol) {
    // clang-format off
    const std::vector<LineCase> cases = {
        {1, 0, "", "\x02" "abc0080\x03\r\n", {}, {7}, true, {}},
        {1, 1, kAckReply, "\x02" "abc0080\x03\r\n", {3}, {}, true, {}},
        {1, 1, "\x06xy", "\x02" "abc0080\x03\r\n", {3}, {}, true, {}},
        {1, 1, kNakReply + kAckReply, "\x02" "abc0080\x03\r\n\x02" "abc0080\x03\r\n", {3, 3}, {},
         true, {}},
        {1, 1, "\x06", "\x02" "abc0080\x03\r\n", {3}, {}, false, {kNoReplyMessage}},
        {1, 1, "\x06\x06", "\x02" "abc0080\x03\r\n", {3}, {}, false, {kNoReplyMessage}},
        {1, 1, "", "\x02" "abc0080\x03\r\n", {3}, {}, false, {kNoReplyMessage}},
        {2, 0, "", "abc\r\n", {}, {7}, true, {}},
        {2, 1, "\x06", "abc,\x52\r\n", {1}, {}, true, {}},
        {2, 1, "\x15", "abc,\x52\r\n", {1}, {}, false, {kBadReplyMessage}},
        {2, 1, "", "abc,\x52\r\n", {1}, {}, false, {kNoReplyMessage}},
        {3, 0, "", "abc\r\n", {}, {7}, true, {}},
        {3, 1, kAckReply, "abc\r\n", {}, {7}, true, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SenderFixture f;
        f.port.QueueInput(c.reply);
        SendContext context = f.Context(c.mode, c.protocol);
        std::int32_t counter = 0;
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " protocol " + std::to_string(c.protocol) +
                     " reply size " + std::to_string(c.reply.size()));
        EXPECT_EQ(SendDataRecord("abc", context, counter), c.accepted);
        EXPECT_EQ(f.port.Written(), c.written);
        EXPECT_EQ(f.port.ReadSizes(), c.reads);
        EXPECT_EQ(f.pauses, c.pauses);
        EXPECT_EQ(f.dialogs.Texts(), c.messages);
        for (const auto& message : f.dialogs.Messages()) EXPECT_EQ(message.caption, "Veltra");
        EXPECT_EQ(f.port.CloseCount(), 0);
    }
}

TEST(SendDataRecord, SumBytesThatLookLikeLineEndsAreWrittenAsData) {
    for (const std::string& record : {"\xd4"s, "\xe1"s, "\xde"s}) {
        SenderFixture f;
        f.port.QueueInput("\x06");
        SendContext context = f.Context(2, 1);
        std::int32_t counter = 0;
        ASSERT_TRUE(SendDataRecord(record, context, counter));
        std::int32_t unused = 0;
        EXPECT_EQ(f.port.Written(),
                  DecorateDataRecord(record, InstrumentFamily::Brenno, Handshake::AckNak, unused) +
                      "\r\n");
        EXPECT_EQ(f.port.Written().size(), 5u);
    }
}

TEST(SendDataRecord, ExtraReplyBytesStayQueuedForTheNextRecord) {
    SenderFixture f;
    // First reply ACK + 2 bytes + one surplus ACK; the surplus starts the next 3-byte reply.
    f.port.QueueInput(
        "\x06"
        "ab"
        "\x15"
        "cd"
        "\x06"
        "ef");
    SendContext context = f.Context(1, 1);
    std::int32_t counter = 0;
    EXPECT_TRUE(SendDataRecord("R1", context, counter));
    EXPECT_TRUE(SendDataRecord("R2", context, counter));
    std::int32_t check = 0;
    std::string r1 = DecorateDataRecord("R1", InstrumentFamily::Tamsel, Handshake::AckNak, check);
    std::string r2 = DecorateDataRecord("R2", InstrumentFamily::Tamsel, Handshake::AckNak, check);
    EXPECT_EQ(f.port.Written(),
              "\x02" + r1 + "\x03\r\n\x02" + r2 + "\x03\r\n\x02" + r2 + "\x03\r\n");
    EXPECT_EQ(counter, 2);
}

TEST(SendRecord, SendsJobHeaderRecordsWithoutDecoration) {
    SenderFixture f;
    SendContext context = f.Context(1, 0);
    EXPECT_TRUE(SendRecord("F00F000", context));
    EXPECT_EQ(f.port.Written(),
              "\x02"
              "F00F000\x03\r\n");
    EXPECT_EQ(f.pauses, std::vector<int>{7});
}

TEST(SendRecord, ReadsProtocolAndDelayAtEachUse) {
    SenderFixture f;
    SendContext context = f.Context(1, 1);
    f.port.QueueInput(kNakReply);
    int stx = 0;
    f.port.OnWrite([&](std::uint8_t byte, FakeSerialPort&) {
        if (byte == kStx && ++stx == 2) {
            f.settings.Protocol = 0;  // changed in the dialog while the frame is repeated
            f.settings.LineDelayMs = 42;
        }
    });
    EXPECT_TRUE(SendRecord("X", context));
    EXPECT_EQ(f.port.Written(), "\x02X\x03\r\n\x02X\x03\r\n");
    EXPECT_EQ(f.port.ReadSizes(), std::vector<std::size_t>{3});
    EXPECT_EQ(f.pauses, std::vector<int>{42});
}

TEST(SendRecord, StopsRepeatingAfterTheRefusalBound) {
    SenderFixture f;
    SendContext context = f.Context(1, 1);
    int frames = 0;
    f.port.OnWrite([&](std::uint8_t byte, FakeSerialPort& port) {
        if (byte == kLf) {
            ++frames;
            port.QueueInput("\x15\x06\x06");
        }
    });
    EXPECT_FALSE(SendRecord("X", context));
    EXPECT_EQ(frames, kMaxTamselRepeats);
    EXPECT_EQ(f.dialogs.Texts(), std::vector<std::string>{kTooManyRepeatsMessage});
}

TEST(SendRecord, OneAckBeforeTheBoundIsEnough) {
    SenderFixture f;
    SendContext context = f.Context(1, 1);
    int frames = 0;
    f.port.OnWrite([&](std::uint8_t byte, FakeSerialPort& port) {
        if (byte != kLf) return;
        ++frames;
        port.QueueInput(frames == kMaxTamselRepeats ? kAckReply : kNakReply);
    });
    EXPECT_TRUE(SendRecord("X", context));
    EXPECT_EQ(frames, kMaxTamselRepeats);
    EXPECT_TRUE(f.dialogs.Texts().empty());
}

TEST(SendRecord, EndsQuietlyWhenTheProgramCloses) {
    struct Case {
        std::int16_t mode;
        std::int32_t protocol;
    };
    for (Case c : {Case{1, 1}, Case{2, 1}, Case{1, 0}, Case{3, 0}}) {
        SenderFixture f;
        SendContext context = f.Context(c.mode, c.protocol);
        f.port.OnWrite([&](std::uint8_t byte, FakeSerialPort& port) {
            if (byte == kLf) {
                f.stop = true;
                port.Abort();
            }
        });
        EXPECT_FALSE(SendRecord("X", context)) << c.mode << "/" << c.protocol;
        EXPECT_TRUE(f.dialogs.Texts().empty()) << c.mode << "/" << c.protocol;
    }
}

TEST(SendRecord, WritesNothingOnceTheProgramCloses) {
    SenderFixture f;
    SendContext context = f.Context(1, 0);
    f.stop = true;
    EXPECT_FALSE(SendRecord("X", context));
    EXPECT_EQ(f.port.Written(), "");
}

TEST(PauseUnlessStopped, EndsAsSoonAsAStopIsRequested) {
    int polls = 0;
    PauseUnlessStopped(std::chrono::minutes(10), [&] { return ++polls == 3; });
    EXPECT_EQ(polls, 3);
}

TEST(PauseUnlessStopped, ZeroDelayDoesNotWait) {
    int polls = 0;
    PauseUnlessStopped(std::chrono::milliseconds(0), [&] { return ++polls > 100; });
    EXPECT_EQ(polls, 0);
}

}  // namespace
}  // namespace halvex
