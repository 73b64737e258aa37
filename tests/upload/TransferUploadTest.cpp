// Whole uploads over real pseudo-terminals: the POSIX port on the program's side, the simulated
// instrument on the other, every byte on the line checked in order.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "common/RecordQueue.h"
#include "port/OpenCommPort.h"
#include "port/PosixSerialPort.h"
#include "station/lib/UploadReceiver.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "transfers/UploadWorker.h"
#include "upload/UploadCommand.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using station::Family;
using station::ReplyFault;
using Clock = std::chrono::steady_clock;

const std::string kPoints =
    "P1,K,100.5,200.25,-3.1\r\nP2,,1,2,3\r\nTitle only\r\nP3,X,-7,8.5,0\r\n";
const std::string kCodes = "5,TREE\r\n12,BUILDINGCORNER\r\nTREE, POLE ,WELL\r\n";
const std::string kFreeText = "ALIGN 1\r\nR 2.5,3\r\n";

std::vector<std::string> RecordsOf(const std::string& queue) {
    std::vector<std::string> records;
    ForEachQueuedRecord(queue, [&records](std::string_view record) {
        records.emplace_back(record);
        return true;
    });
    return records;
}

// The bytes an upload of `fields` puts on the line when every record is accepted at once.
std::string ExpectedLine(const TransferFields& fields, std::int32_t protocol) {
    std::string line;
    const bool tamsel = fields.TransferMode == InstrumentFamily::Tamsel;
    auto frame = [&](const std::string& text) {
        line += (tamsel ? "\x02" : "") + text + (tamsel ? "\x03" : "") + "\r\n";
    };
    if (tamsel && fields.SiteHeader == 1) {
        frame(kJobHeaderFirst);
        frame(kJobHeaderSecond);
    }
    std::int32_t counter = 0;
    for (const auto& record : RecordsOf(fields.UploadQueue)) {
        frame(DecorateDataRecord(record, fields.TransferMode, HandshakeOf(protocol), counter));
    }
    if (tamsel) line += "\x02\x04\x03\r\n";
    if (fields.TransferMode == InstrumentFamily::Corvane) line += "\x04\r\n";
    return line;
}

Family FamilyOf(InstrumentFamily family) {
    switch (family) {
        case InstrumentFamily::Tamsel:
            return Family::Tamsel;
        case InstrumentFamily::Brenno:
            return Family::Brenno;
        case InstrumentFamily::Corvane:
            break;
    }
    return Family::Corvane;
}

// One simulated instrument on a fresh pseudo-terminal, reachable as COM1.
struct PtyUpload {
    std::unique_ptr<station::StationLine> line;
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    std::unique_ptr<PosixPortOpener> ports;
    WorkerRegistry workers;
    station::UploadOutcome outcome;
    std::vector<Clock::time_point> arrivals;
    std::thread instrument;

    PtyUpload() {
        std::string error;
        line = station::StationLine::CreatePseudoTerminal(error);
        if (!line) throw std::runtime_error(error);
        const std::string device = line->DevicePath();
        ports = std::make_unique<PosixPortOpener>(
            [device](const std::string& name) -> std::optional<std::string> {
                if (name == "HALVEX_COM1") return device;
                return std::nullopt;
            });
        settings.BaudIndex = 7;
        settings.TimeoutSeconds = 1;
        settings.LineDelayMs = 2;
    }
    ~PtyUpload() {
        workers.ShutdownAll();
        if (instrument.joinable()) instrument.join();
    }
    TransferEnvironment Env() { return {editor, dialogs, settings, *ports, workers}; }

    void StartInstrument(station::UploadScript script) {
        script.timeout = 20s;
        instrument = std::thread([this, script] {
            outcome = station::ReceiveUpload(*line, script, [this](const station::ReceivedRecord&) {
                arrivals.push_back(Clock::now());
            });
        });
    }
    // Waits until both the worker and the instrument are done.
    void Finish() {
        workers.WaitIdle();
        instrument.join();
    }
    std::string Line() const { return line->ReceivedLog(); }
};

station::UploadScript Script(InstrumentFamily family, std::int32_t protocol,
                             ReplyFault fault = ReplyFault::None, std::size_t every = 0) {
    station::UploadScript script;
    script.family = FamilyOf(family);
    script.ackNak = protocol == 1;
    script.fault = fault;
    script.faultEvery = every;
    script.idle = 1000ms;
    return script;
}

struct CommandCase {
    UploadKind kind;
    const std::string* text;
};

TEST(TransferUpload, EveryCommandAndProtocolPutsEachByteOnTheLineInOrder) {
    // clang-format off
    const std::vector<CommandCase> cases = {
        {UploadKind::TamselCoordinate, &kPoints}, {UploadKind::BrennoCoordinate, &kPoints},
        {UploadKind::CorvaneCoordinate, &kPoints}, {UploadKind::TamselCodeList, &kCodes},
        {UploadKind::BrennoCodeList, &kCodes},     {UploadKind::OtherData, &kFreeText},
    };
    // clang-format on
    for (const auto& c : cases) {
        for (std::int32_t protocol : {0, 1}) {
            PtyUpload u;
            u.editor.SetText(*c.text);
            u.settings.Protocol = protocol;
            const UploadBuild build = BuildUpload(c.kind, *c.text, HandshakeOf(protocol));
            u.StartInstrument(Script(build.family, protocol));
            std::optional<TransferFields> fields = RunUploadCommand(c.kind, u.Env());
            ASSERT_TRUE(fields.has_value());
            u.Finish();
            const std::string label = "kind " + std::to_string(static_cast<int>(c.kind)) +
                                      " protocol " + std::to_string(protocol);

            EXPECT_EQ(u.Line(), ExpectedLine(*fields, protocol)) << label;
            EXPECT_TRUE(u.outcome.ok) << label << ": " << u.outcome.error;
            EXPECT_EQ(u.outcome.trailerSeen, fields->TransferMode != InstrumentFamily::Brenno)
                << label;
            std::vector<std::string> received, echoed;
            for (const auto& record : u.outcome.records) {
                if (!record.jobHeader) received.push_back(record.data);
            }
            EXPECT_EQ(received, RecordsOf(build.queue)) << label;
            std::string echo;
            for (const auto& record : received) echo += record + "\r\n";
            EXPECT_EQ(u.editor.Text(), echo) << label;
            EXPECT_EQ(u.dialogs.Texts(),
                      (std::vector<std::string>{kUploadPrompt, kCommunicationFinished}))
                << label;
        }
    }
}

TEST(TransferUpload, RecordsArePacedByTheLineDelay) {
    PtyUpload u;
    u.settings.LineDelayMs = 80;
    u.StartInstrument(Script(InstrumentFamily::Corvane, 0));
    ASSERT_TRUE(StartUploadTransfer(
        u.Env(), TransferFields{InstrumentFamily::Corvane, 0, "A\002B\002C\002D\002"}));
    u.Finish();
    ASSERT_EQ(u.arrivals.size(), 4u);
    for (std::size_t i = 1; i < u.arrivals.size(); ++i) {
        const auto gap = u.arrivals[i] - u.arrivals[i - 1];
        EXPECT_GE(gap, 70ms) << "between records " << i << " and " << i + 1;
        // Far above the delay, so that a loaded machine cannot fail it, yet a delay taken in the
        // wrong unit (80 s) would.
        EXPECT_LT(gap, 5000ms) << "between records " << i << " and " << i + 1;
    }
}

TEST(TransferUpload, NegativeRepliesRepeatTheSameFrameUntilAccepted) {
    PtyUpload u;
    u.settings.Protocol = 1;
    u.StartInstrument(Script(InstrumentFamily::Tamsel, 1, ReplyFault::Nak, 2));
    const TransferFields fields{InstrumentFamily::Tamsel, 0, "R1\x02R2\x02R3\x02"};
    ASSERT_TRUE(StartUploadTransfer(u.Env(), fields));
    u.Finish();
    // Answers 1 ACK, 2 NAK, 3 ACK (the repetition), 4 NAK, 5 ACK.
    const std::string r1 = "\x02R10083\x03\r\n", r2 = "\x02R21081\x03\r\n";
    std::int32_t counter = 2;
    const std::string r3 =
        "\x02" + DecorateDataRecord("R3", InstrumentFamily::Tamsel, Handshake::AckNak, counter) +
        "\x03\r\n";
    EXPECT_EQ(u.Line(), r1 + r2 + r2 + r3 + r3 + "\x02\x04\x03\r\n");
    EXPECT_TRUE(u.outcome.ok) << u.outcome.error;
    EXPECT_EQ(u.outcome.frames, 6u);
    EXPECT_EQ(u.editor.Text(), "R1\r\nR2\r\nR3\r\n");
    EXPECT_EQ(u.dialogs.Texts(), (std::vector<std::string>{kUploadPrompt, kCommunicationFinished}));
}

struct FailureCase {
    const char* label;
    UploadKind kind;
    ReplyFault fault;
    std::size_t every;
    bool headerFails;
    std::size_t acceptedRecords;  // data records accepted before the failure
    std::string message;
};

TEST(TransferUpload, ReplyFailuresStopWithoutTrailer) {
    // clang-format off
    const std::vector<FailureCase> cases = {
        {"short reply to the second job-header record", UploadKind::TamselCoordinate,
         ReplyFault::Short, 2, true, 0, kNoReplyMessage},
        {"silence after the second data record", UploadKind::TamselCodeList, ReplyFault::Silent, 2,
         false, 1, kNoReplyMessage},
        {"wrong Brenno reply to the second record", UploadKind::BrennoCoordinate,
         ReplyFault::WrongByte, 2, false, 1, kBadReplyMessage},
        {"silent Brenno instrument", UploadKind::BrennoCoordinate, ReplyFault::Silent, 1, false,
         0, kNoReplyMessage},
    };
    // clang-format on
    std::string codes;
    for (int i = 0; i < 12; ++i) codes += std::to_string(i) + ",CODE" + std::to_string(i) + "\r\n";
    const std::string points = "P1,K,1,2,3\r\nP2,K,4,5,6\r\nP3,K,7,8,9\r\n";
    for (const auto& c : cases) {
        PtyUpload u;
        const std::string before = c.kind == UploadKind::TamselCodeList ? codes : points;
        u.editor.SetText(before);
        u.settings.Protocol = 1;
        const UploadBuild build = BuildUpload(c.kind, before, Handshake::AckNak);
        u.StartInstrument(Script(build.family, 1, c.fault, c.every));
        ASSERT_TRUE(RunUploadCommand(c.kind, u.Env()).has_value()) << c.label;
        u.Finish();

        EXPECT_EQ(u.dialogs.Texts(), (std::vector<std::string>{kUploadPrompt, c.message}))
            << c.label;
        const std::vector<std::string> records = RecordsOf(build.queue);
        std::string echo;
        for (std::size_t i = 0; i < c.acceptedRecords; ++i) echo += records[i] + "\r\n";
        // A job-header failure leaves the editor as it was; otherwise it shows what was accepted.
        EXPECT_EQ(u.editor.Text(), c.headerFails ? before : echo) << c.label;
        EXPECT_FALSE(u.outcome.trailerSeen) << c.label;
        EXPECT_TRUE(u.outcome.ok) << c.label << ": " << u.outcome.error;
        EXPECT_EQ(u.outcome.records.size(), c.acceptedRecords + (c.headerFails ? 1 : 0)) << c.label;
        EXPECT_EQ(u.outcome.frames, u.outcome.records.size() + 1) << c.label;
    }
}

TEST(TransferUpload, AHangUpMidwayIsACommunicationFailureWithoutTrailer) {
    PtyUpload u;
    u.settings.LineDelayMs = 20;
    u.instrument = std::thread([&u] {
        station::UploadScript script = Script(InstrumentFamily::Corvane, 0);
        script.timeout = 20s;
        int received = 0;
        u.outcome = station::ReceiveUpload(*u.line, script, [&](const station::ReceivedRecord&) {
            if (++received == 2) u.line->Hangup();
        });
    });
    std::string queue;
    for (int i = 0; i < 50; ++i) queue += "RECORD " + std::to_string(i) + '\x02';
    ASSERT_TRUE(StartUploadTransfer(u.Env(), TransferFields{InstrumentFamily::Corvane, 0, queue}));
    u.Finish();
    EXPECT_TRUE(u.outcome.hungUp);
    EXPECT_FALSE(u.outcome.trailerSeen);
    EXPECT_EQ(u.dialogs.Texts(),
              (std::vector<std::string>{kUploadPrompt, kCommunicationFailedMessage}));
    // Only records the device took are shown, and not all of them went out.
    EXPECT_EQ(u.editor.Text().rfind("RECORD 0\r\nRECORD 1\r\n", 0), 0u);
    EXPECT_LT(u.editor.Text().size(), 50u * 10);
}

TEST(TransferUpload, AnEmptyRecordEndsTheQueue) {
    PtyUpload u;
    u.editor.SetText("FIRST\r\nSECOND\r\n\r\nNEVER\r\n");
    u.StartInstrument(Script(InstrumentFamily::Corvane, 0));
    ASSERT_TRUE(RunUploadCommand(UploadKind::OtherData, u.Env()).has_value());
    u.Finish();
    EXPECT_EQ(u.Line(), "FIRST\r\nSECOND\r\n\x04\r\n");
    EXPECT_EQ(u.editor.Text(), "FIRST\r\nSECOND\r\n");
    EXPECT_EQ(u.dialogs.Texts(), (std::vector<std::string>{kUploadPrompt, kCommunicationFinished}));
}

TEST(TransferUpload, ClosingTheProgramUnblocksAWaitingUploadAndReleasesThePort) {
    PtyUpload u;
    u.settings.Protocol = 1;
    u.settings.TimeoutSeconds = 1000;
    u.StartInstrument(Script(InstrumentFamily::Tamsel, 1, ReplyFault::Silent, 1));
    ASSERT_TRUE(
        StartUploadTransfer(u.Env(), TransferFields{InstrumentFamily::Tamsel, 0, "R1\x02R2\x02"}));
    ASSERT_TRUE(u.dialogs.WaitForMessages(1, 10s));
    // The editor is cleared just before the first record goes out; the worker then waits for a
    // reply that never comes.
    while (u.editor.Calls().empty()) std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(100ms);
    u.workers.ShutdownAll();  // returns only once the worker has ended
    EXPECT_EQ(u.workers.RunningCount(), 0u);
    EXPECT_EQ(u.dialogs.Texts(), std::vector<std::string>{kUploadPrompt});
    EXPECT_EQ(u.editor.Text(), "");
    // The device is free again.
    EXPECT_NE(u.ports->Open("COM1").port, nullptr);
    u.instrument.join();
}

}  // namespace
}  // namespace halvex
