#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "port/OpenCommPort.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeSerialPort.h"
#include "support/TransferModes.h"
#include "transfers/UploadWorker.h"

namespace halvex {
namespace {

using testing::FakeDialogs;
using testing::FakeEditor;
using testing::FakePortOpener;
using testing::FakeSerialPort;

const std::string kHeader =
    "\x02"
    "F00F000\x03\r\n\x02"
    "Site1     +00001.000000200020-100000S113\x03\r\n";
const std::string kTamselTrailer = "\x02\x04\x03\r\n";
// R1 with digit 0 and R2 with digit 1: 'R' ^ '1' ^ '0' = 83, 'R' ^ '2' ^ '1' = 81.
const std::string kR1Frame = "\x02R10083\x03\r\n";
const std::string kR2Frame = "\x02R21081\x03\r\n";

struct UploadFixture {
    FakeEditor editor;
    FakeDialogs dialogs;
    CommSettings settings;
    FakePortOpener ports;
    std::shared_ptr<FakeSerialPort> port = ports.Add("COM1");
    std::vector<int> pauses;
    WorkerRegistry workers;

    UploadFixture() {
        editor.SetText("POINT LIST\r\n");
        settings.LineDelayMs = 5;
    }
    TransferEnvironment Env() { return {editor, dialogs, settings, ports, workers}; }
    void Run(std::int16_t mode, std::uint8_t siteHeader, std::string queue,
             std::vector<std::size_t> lines = {}) {
        UploadWorker(Env(),
                     TransferFields{testing::FamilyForMode(mode), siteHeader, std::move(queue),
                                    std::move(lines)},
                     [this](std::chrono::milliseconds ms) {
                         pauses.push_back(static_cast<int>(ms.count()));
                     });
    }
    void AnswerEveryRecord(const std::string& reply) {
        port->OnWrite([reply](std::uint8_t byte, FakeSerialPort& p) {
            if (byte == kLf) p.QueueInput(reply);
        });
    }
};

struct SequenceCase {
    const char* label;
    std::int16_t mode;
    std::uint8_t siteHeader;
    std::int32_t protocol;
    std::string queue;
    std::string line;
    std::string editorAfter;
    std::vector<int> pauses;
};

TEST(UploadWorker, SendsHeaderRecordsAndTrailerInOrder) {
    // clang-format off
    const std::vector<SequenceCase> cases = {
        {"Tamsel coordinates, no handshake", 1, 1, 0, "R1\x02R2\x02",
         kHeader + kR1Frame + kR2Frame + kTamselTrailer, "R1\r\nR2\r\n", {5, 5, 5, 5}},
        {"Tamsel coordinates, Ack/Nak", 1, 1, 1, "R1\x02R2\x02",
         kHeader + kR1Frame + kR2Frame + kTamselTrailer, "R1\r\nR2\r\n", {}},
        {"Tamsel code list: no header, first digit 0", 1, 0, 0, "R1\x02R2\x02",
         kR1Frame + kR2Frame + kTamselTrailer, "R1\r\nR2\r\n", {5, 5}},
        {"Brenno: no header even when asked, no trailer", 2, 1, 0, "R1\x02R2\x02",
         "R1\r\nR2\r\n", "R1\r\nR2\r\n", {5, 5}},
        {"Brenno Ack/Nak echoes without comma and sum", 2, 0, 1, "abc\x02", "abc,\x52\r\n",
         "abc\r\n", {}},
        {"Corvane Ack/Nak: pauses, trailer with settle time", 3, 1, 1, "R1\x02R2\x02",
         "R1\r\nR2\r\n\x04\r\n", "R1\r\nR2\r\n", {5, 5, 5, 100}},
        {"empty queue still sends header and trailer", 1, 1, 0, "", kHeader + kTamselTrailer,
         "", {5, 5}},
        {"queue starting with an empty record", 1, 1, 0, "\x02R1\x02", kHeader + kTamselTrailer,
         "", {5, 5}},
        {"empty record in the middle ends the queue", 2, 0, 0, "R1\x02\x02R2\x02", "R1\r\n",
         "R1\r\n", {5}},
        {"bytes after the last 0x02 are never sent", 3, 0, 0, "R1\x02tail", "R1\r\n\x04\r\n",
         "R1\r\n", {5, 5, 100}},
    };
    // clang-format on
    for (const auto& c : cases) {
        UploadFixture f;
        f.settings.Protocol = c.protocol;
        if (c.protocol == 1) f.AnswerEveryRecord(c.mode == 1 ? "\x06\x06\x06" : "\x06");
        std::size_t writtenAtPrompt = 99;
        f.dialogs.OnMessage([&](const testing::ShownMessage& m) {
            if (m.text == kUploadPrompt) writtenAtPrompt = f.port->Written().size();
        });
        f.Run(c.mode, c.siteHeader, c.queue);
        EXPECT_EQ(f.port->Written(), c.line) << c.label;
        EXPECT_EQ(f.editor.Text(), c.editorAfter) << c.label;
        EXPECT_EQ(f.pauses, c.pauses) << c.label;
        EXPECT_EQ(f.dialogs.Texts(),
                  (std::vector<std::string>{kUploadPrompt, kCommunicationFinished}))
            << c.label;
        for (const auto& m : f.dialogs.Messages()) EXPECT_EQ(m.caption, "Veltra") << c.label;
        EXPECT_EQ(writtenAtPrompt, 0u) << c.label;
        EXPECT_EQ(f.port->CloseCount(), 1) << c.label;
        if (c.protocol == 0 || c.mode == 3) {
            EXPECT_EQ(f.port->ReadCalls(), 0) << c.label;
        }
    }
}

TEST(UploadWorker, ClearsTheEditorAfterTheHeaderAndEchoesEachAcceptedRecord) {
    UploadFixture f;
    f.settings.Protocol = 1;
    std::vector<std::string> editorCallsAtLf;
    f.port->OnWrite([&](std::uint8_t byte, FakeSerialPort& p) {
        if (byte != kLf) return;
        editorCallsAtLf.push_back(std::to_string(f.editor.Calls().size()));
        p.QueueInput("\x06\x06\x06");
    });
    f.Run(1, 1, "R1\x02R2\x02");
    // The document lets go of its file only as the echo replaces the text, after the header.
    EXPECT_EQ(f.editor.Calls(),
              (std::vector<std::string>{"Detach", "Clear", "Append:R1\r\n", "Append:R2\r\n"}));
    // Nothing touched the editor while the header went out; each echo follows its record, and
    // the trailer comes after the last echo.
    EXPECT_EQ(editorCallsAtLf, (std::vector<std::string>{"0", "0", "2", "3", "4"}));
}

struct FailureCase {
    const char* label;
    std::int16_t mode;
    std::uint8_t siteHeader;
    std::vector<std::string> replies;  // one per record written; missing means silence
    std::string line;
    std::string editorAfter;
    std::string message;
};

TEST(UploadWorker, StopsAtTheFirstFailureWithoutTrailer) {
    // clang-format off
    const std::vector<FailureCase> cases = {
        {"first header record unanswered", 1, 1, {}, "\x02" "F00F000\x03\r\n", "POINT LIST\r\n",
         kNoReplyMessage},
        {"second header record answered short", 1, 1, {"\x06\x06\x06", "\x06"}, kHeader,
         "POINT LIST\r\n", kNoReplyMessage},
        {"second data record unanswered", 1, 0, {"\x06\x06\x06"}, kR1Frame + kR2Frame, "R1\r\n",
         kNoReplyMessage},
        {"Brenno negative reply", 2, 0, {"\x06", "\x15"}, "R1,\xaf\r\nR2,\xb0\r\n", "R1\r\n",
         kBadReplyMessage},
    };
    // clang-format on
    for (const auto& c : cases) {
        UploadFixture f;
        f.settings.Protocol = 1;
        std::size_t next = 0;
        f.port->OnWrite([&](std::uint8_t byte, FakeSerialPort& p) {
            if (byte == kLf && next < c.replies.size()) p.QueueInput(c.replies[next++]);
        });
        f.Run(c.mode, c.siteHeader, "R1\x02R2\x02R3\x02");
        EXPECT_EQ(f.port->Written(), c.line) << c.label;
        EXPECT_EQ(f.editor.Text(), c.editorAfter) << c.label;
        // A failed header leaves the document as it was, still belonging to its file.
        EXPECT_EQ(f.editor.Calls().empty(), c.siteHeader == 1) << c.label;
        EXPECT_EQ(f.dialogs.Texts(), (std::vector<std::string>{kUploadPrompt, c.message}))
            << c.label;
        EXPECT_EQ(f.port->CloseCount(), 1) << c.label;
    }
}

TEST(UploadWorker, AByteTheDeviceDoesNotTakeFailsTheUploadWithoutTrailer) {
    struct Case {
        const char* label;
        std::size_t writableBytes;
        std::string echo;
    };
    const Case cases[] = {
        {"in the second record", kR1Frame.size() + 3, "R1\r\n"},
        {"in the trailer", kR1Frame.size() + kR2Frame.size() + 2, "R1\r\nR2\r\n"}};
    for (const Case& c : cases) {
        UploadFixture f;
        f.port->FailWritesAfter(c.writableBytes);
        f.Run(1, 0, "R1\x02R2\x02");
        EXPECT_EQ(f.port->Written(),
                  (kR1Frame + kR2Frame + kTamselTrailer).substr(0, c.writableBytes))
            << c.label;
        EXPECT_EQ(f.editor.Text(), c.echo) << c.label;
        EXPECT_EQ(f.dialogs.Texts(),
                  (std::vector<std::string>{kUploadPrompt, kCommunicationFailedMessage}))
            << c.label;
        EXPECT_EQ(f.port->CloseCount(), 1) << c.label;
    }
}

TEST(UploadWorker, ARecordThatNoLongerFitsTheHandshakeStopsTheUploadThere) {
    // Built without a handshake; Ack/Nak was chosen in the parameter dialog before sending.
    UploadFixture f;
    f.settings.Protocol = 1;  // Ack/Nak
    f.AnswerEveryRecord("\x06");
    const std::string record(254, 'c');
    f.Run(2, 0, "short\x02" + record + "\x02" + "never\x02", {2, 7, 9});
    EXPECT_EQ(f.port->Written(), "short,\x5c\r\n");  // the sum of "short," is 0x5C
    EXPECT_EQ(f.dialogs.Texts().back(),
              "Line 7 cannot be sent: its record has 254 characters, more than the 253 the "
              "instrument takes with the handshake now set. The transfer was stopped.");
    EXPECT_EQ(f.editor.Text(), "short\r\n");
    EXPECT_EQ(f.port->CloseCount(), 1);
}

TEST(UploadWorker, ATamselRecordLongerThan251CharactersIsNotSent) {
    // Sequence digit and checksum follow it: 252 characters would not fit the 255 of the buffer.
    UploadFixture f;
    const std::string fits(251, 't');
    f.Run(1, 0, fits + "\x02" + std::string(252, 'u') + "\x02", {3, 4});
    EXPECT_EQ(f.dialogs.Texts().back(),
              "Line 4 cannot be sent: its record has 252 characters, more than the 251 the "
              "instrument takes with the handshake now set. The transfer was stopped.");
    EXPECT_EQ(f.editor.Text(), fits + "\r\n");
}

TEST(UploadWorker, PortFailuresLeaveTheEditorUntouched) {
    UploadFixture missing;
    missing.settings.PortIndex = 3;  // COM4 does not exist
    missing.Run(1, 1, "R1\x02");
    EXPECT_EQ(missing.dialogs.Texts(), std::vector<std::string>{kPortNotFoundMessage});
    EXPECT_TRUE(missing.editor.Calls().empty());

    UploadFixture refused;
    refused.port->FailSetLineSettings(true);
    refused.Run(2, 0, "R1\x02");
    EXPECT_EQ(refused.dialogs.Texts(), std::vector<std::string>{kLineSettingsRefusedMessage});
    EXPECT_TRUE(refused.editor.Calls().empty());
    EXPECT_EQ(refused.port->Written(), "");
    EXPECT_EQ(refused.port->CloseCount(), 1);
}

TEST(UploadWorker, AFullEditorStopsOnlyTheEcho) {
    UploadFixture f;
    const std::string record(128, 'r');
    std::string queue;
    const std::size_t count = kEditorCapacity / 130 + 20;
    for (std::size_t i = 0; i < count; ++i) queue += record + '\x02';
    queue += "s\x02";  // would still fit after the refused echo, but must not leave a gap
    f.Run(3, 0, queue);
    EXPECT_EQ(f.port->Written().size(), count * 130 + 3 + 3);
    EXPECT_EQ(f.editor.Text().size(), kEditorCapacity / 130 * 130);
    EXPECT_EQ(f.dialogs.Texts().back(), kCommunicationFinished);
}

TEST(UploadWorker, EndsQuietlyWhenTheProgramClosesMidway) {
    for (std::int32_t protocol : {0, 1}) {
        UploadFixture f;
        f.settings.Protocol = protocol;
        int records = 0;
        f.port->OnWrite([&](std::uint8_t byte, FakeSerialPort& p) {
            if (byte != kLf) return;
            if (++records == 2) {
                f.workers.ShutdownAll();  // what closing the main window does
            } else {
                p.QueueInput("\x06\x06\x06");
            }
        });
        f.Run(1, 0, "R1\x02R2\x02R3\x02");
        EXPECT_EQ(f.port->Written(), kR1Frame + kR2Frame) << protocol;
        EXPECT_EQ(f.editor.Text(), "R1\r\n") << protocol;
        EXPECT_EQ(f.dialogs.Texts(), std::vector<std::string>{kUploadPrompt}) << protocol;
        EXPECT_EQ(f.port->CloseCount(), 1) << protocol;
    }
}

TEST(StartUploadTransfer, ShutdownUnblocksALongUploadAndReleasesThePort) {
    UploadFixture f;
    f.settings.LineDelayMs = 1000;
    std::string queue;
    for (int i = 0; i < 1000; ++i) queue += "RECORD\x02";
    ASSERT_TRUE(StartUploadTransfer(f.Env(), TransferFields{InstrumentFamily::Corvane, 0, queue}));
    ASSERT_TRUE(f.dialogs.WaitForMessages(1, std::chrono::seconds(10)));
    f.workers.ShutdownAll();
    EXPECT_EQ(f.workers.RunningCount(), 0u);
    EXPECT_EQ(f.port->CloseCount(), 1);
    EXPECT_EQ(f.dialogs.Texts(), std::vector<std::string>{kUploadPrompt});
    EXPECT_FALSE(StartUploadTransfer(f.Env(), TransferFields{InstrumentFamily::Corvane, 0, queue}));
}

}  // namespace
}  // namespace halvex
