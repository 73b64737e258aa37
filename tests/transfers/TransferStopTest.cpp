// Stopping a transfer and following its progress: what a stopped worker keeps, sends and says,
// over the scripted fake port; and a stop at each place a transfer waits, over pseudo-terminals
// against the simulated instrument.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "port/PosixSerialPort.h"
#include "station/lib/DownloadScript.h"
#include "station/lib/UploadReceiver.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeSerialPort.h"
#include "transfers/DownloadWorker.h"
#include "transfers/UploadWorker.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using testing::FakeDialogs;
using testing::FakeEditor;
using testing::FakePortOpener;
using testing::FakeSerialPort;

// Calls `onAppend` with the number of appends so far, after each one.
class HookedEditor : public FakeEditor {
public:
    std::function<void(int)> onAppend;
    bool AppendEditorText(const std::string& text) override {
        const bool appended = FakeEditor::AppendEditorText(text);
        if (onAppend) onAppend(++appends_);
        return appended;
    }

private:
    int appends_ = 0;
};

struct Fixture {
    HookedEditor editor;
    FakeDialogs dialogs;
    CommSettings settings;
    FakePortOpener ports;
    std::shared_ptr<FakeSerialPort> port = ports.Add("COM1");
    WorkerRegistry workers;
    TransferEnvironment Env() { return {editor, dialogs, settings, ports, workers}; }
};

TEST(TransferStop, ADownloadKeepsItsCompleteLinesAndSaysHowMany) {
    for (StopNotice notice : {StopNotice::Report, StopNotice::Silent}) {
        Fixture f;
        f.port->QueueInput("a\nb\npartial");
        f.editor.onAppend = [&f, notice](int appends) {
            if (appends == 2) f.workers.StopAll(notice);
        };
        DownloadWorker(f.Env(), InstrumentFamily::Brenno);
        EXPECT_EQ(f.editor.Text(), "a\nb\n");
        EXPECT_FALSE(f.editor.ReadOnly());
        EXPECT_EQ(f.port->CloseCount(), 1);
        const std::vector<std::string> expected =
            notice == StopNotice::Report
                ? std::vector<std::string>{kDownloadPromptComputerFirst,
                                           "Transfer stopped. 2 lines were received."}
                : std::vector<std::string>{kDownloadPromptComputerFirst};
        EXPECT_EQ(f.dialogs.Texts(), expected);
        const ProgressSnapshot progress = f.workers.Progress().Snapshot();
        EXPECT_EQ(progress.kind, TransferKind::Download);
        EXPECT_EQ(progress.lines, 2u);
        EXPECT_EQ(progress.bytes, 4u);  // read before the stop
    }
}

TEST(TransferStop, AnUploadSendsNothingMoreAndCountsWhatWentOut) {
    struct Case {
        const char* label;
        std::int32_t protocol;
        bool duringPause;  // else while the second frame is written
        std::size_t sent;
    };
    const Case cases[] = {{"in the pause after the first record", 0, true, 1},
                          {"waiting for the second record's reply", 1, false, 1}};
    for (const Case& c : cases) {
        Fixture f;
        f.settings.Protocol = c.protocol;
        int frames = 0;
        f.port->OnWrite([&](std::uint8_t byte, FakeSerialPort& p) {
            if (byte != kLf) return;
            if (++frames == 2 && !c.duringPause) {
                f.workers.StopAll(StopNotice::Report);
            } else {
                p.QueueInput("\x06\x06\x06");
            }
        });
        UploadWorker(f.Env(), TransferFields{InstrumentFamily::Tamsel, 0, "R1\x02R2\x02R3\x02"},
                     [&](std::chrono::milliseconds) {
                         if (c.duringPause) f.workers.StopAll(StopNotice::Report);
                     });
        EXPECT_EQ(f.dialogs.Texts(),
                  (std::vector<std::string>{
                      kUploadPrompt,
                      "Transfer stopped after " + std::to_string(c.sent) + " of 3 records."}))
            << c.label;
        EXPECT_EQ(f.port->Written().find("\x02\x04\x03"), std::string::npos) << c.label;
        EXPECT_EQ(f.editor.Text(), "R1\r\n") << c.label;
        EXPECT_EQ(f.port->CloseCount(), 1) << c.label;
        EXPECT_EQ(f.workers.Progress().Snapshot().recordsTotal, 3u) << c.label;
    }
}

TEST(TransferStop, AStopAskedBeforeAWorkerStartsDoesNotReachIt) {
    Fixture f;
    f.workers.StopAll(StopNotice::Report);  // nothing runs: nothing to stop
    f.port->QueueInput("a\n\x03");
    ASSERT_TRUE(StartDownload(f.Env(), InstrumentFamily::Brenno));
    f.workers.WaitIdle();
    EXPECT_EQ(f.editor.Text(), "a\n");
    EXPECT_EQ(f.dialogs.Texts(), std::vector<std::string>{kDownloadPromptComputerFirst});
}

TEST(TransferProgress, ATransferIsUnderWayOnceItsPortIsOpenAndKeepsHowItEnded) {
    Fixture f;
    std::vector<bool> underWayWhileShown;
    f.dialogs.OnMessage([&f, &underWayWhileShown](const testing::ShownMessage&) {
        underWayWhileShown.push_back(f.workers.TransferUnderWay());
    });
    f.port->QueueInput("a\n\x03");
    ASSERT_TRUE(StartDownload(f.Env(), InstrumentFamily::Brenno));
    f.workers.WaitIdle();
    EXPECT_EQ(f.workers.Progress().Snapshot().outcome, TransferOutcome::Completed);

    f.settings.PortIndex = 1;  // COM2 does not open
    ASSERT_TRUE(StartDownload(f.Env(), InstrumentFamily::Brenno));
    f.workers.WaitIdle();
    // Under way at the prompt of the first; not while the second says why its port did not open.
    EXPECT_EQ(underWayWhileShown, (std::vector<bool>{true, false}));
    const ProgressSnapshot failed = f.workers.Progress().Snapshot();
    EXPECT_EQ(failed.kind, TransferKind::None);
    EXPECT_EQ(failed.outcome, TransferOutcome::Failed);
}

// Over pseudo-terminals: the worker really waits (in a read, the pause, a drain) when stopped.
class TransferStopOnALine : public ::testing::Test {
public:
    void SetUp() override {
        std::string error;
        line = station::StationLine::CreatePseudoTerminal(error);
        ASSERT_NE(line, nullptr) << error;
        settings.BaudIndex = 7;
        settings.TimeoutSeconds = 60;
    }
    void TearDown() override {
        workers.ShutdownAll();
        if (instrument.joinable()) instrument.join();
    }
    TransferEnvironment Env(SerialPortOpener& opener) {
        return {editor, dialogs, settings, opener, workers};
    }
    // Stops once the worker has waited a moment at the place under test; true when it then
    // ended promptly (each of its waits would otherwise last far longer than the bound).
    bool StopAndWait() {
        std::this_thread::sleep_for(100ms);
        workers.StopAll(StopNotice::Report);
        const auto start = std::chrono::steady_clock::now();
        while (workers.RunningCount() > 0) {
            if (std::chrono::steady_clock::now() - start > 5s) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }

    std::unique_ptr<station::StationLine> line;
    PosixPortOpener ports{[this](const std::string& name) -> std::optional<std::string> {
        if (name == "HALVEX_COM1") return line->DevicePath();
        return std::nullopt;
    }};
    FakeEditor editor;
    FakeDialogs dialogs;
    CommSettings settings;
    WorkerRegistry workers;
    std::thread instrument;
};

TEST_F(TransferStopOnALine, ADownloadWaitingForItsFirstByte) {
    ASSERT_TRUE(StartDownload(Env(ports), InstrumentFamily::Tamsel));
    ASSERT_TRUE(dialogs.WaitForMessages(1, 5s));
    ASSERT_TRUE(StopAndWait());
    EXPECT_EQ(dialogs.Texts().back(), "Transfer stopped. 0 lines were received.");
    EXPECT_EQ(editor.Text(), "");
    EXPECT_FALSE(editor.ReadOnly());
}

TEST_F(TransferStopOnALine, ADownloadInTheMiddleOfALineKeepsTheLinesBefore) {
    settings.Protocol = 1;
    instrument = std::thread([this] {
        std::uint8_t enq = 0;
        if (line->ReceiveByte(enq, 5s) != station::ReceiveStatus::Byte) return;
        line->Send("A1\n", 5s);
        std::uint8_t ack = 0;
        line->ReceiveByte(ack, 5s);
        line->Send("B2", 5s);
        line->WaitDelivered(5s);
    });
    ASSERT_TRUE(StartDownload(Env(ports), InstrumentFamily::Tamsel));
    instrument.join();
    ASSERT_TRUE(StopAndWait());
    EXPECT_EQ(line->ReceivedLog(), "\x05\x06");
    EXPECT_EQ(editor.Text(), "A1\n");
    EXPECT_EQ(dialogs.Texts().back(), "Transfer stopped. 1 line was received.");
}

// Starts an upload of three records to a Tamsel instrument that leaves the second record
// unanswered, stops it once `recordsSeen` records have arrived, and returns the stop's report.
std::string StopUploadAfter(TransferStopOnALine& t, std::int32_t protocol, std::size_t recordsSeen);

TEST_F(TransferStopOnALine, AnUploadWaitingForAReply) {
    EXPECT_EQ(StopUploadAfter(*this, 1, 1), "Transfer stopped after 1 of 3 records.");
}

TEST_F(TransferStopOnALine, AnUploadInThePauseAfterARecord) {
    EXPECT_EQ(StopUploadAfter(*this, 0, 2), "Transfer stopped after 2 of 3 records.");
}

std::string StopUploadAfter(TransferStopOnALine& t, std::int32_t protocol,
                            std::size_t recordsSeen) {
    t.settings.Protocol = protocol;
    t.settings.LineDelayMs = 1000;
    std::atomic<std::size_t> accepted{0};
    station::UploadOutcome outcome;
    t.instrument = std::thread([&] {
        station::UploadScript script;
        script.ackNak = protocol == 1;
        script.fault = station::ReplyFault::Silent;
        script.faultEvery = 2;  // with the handshake, the second record is never answered
        script.idle = 1500ms;
        outcome = station::ReceiveUpload(*t.line, script,
                                         [&](const station::ReceivedRecord&) { ++accepted; });
    });
    EXPECT_TRUE(StartUploadTransfer(
        t.Env(t.ports), TransferFields{InstrumentFamily::Tamsel, 0, "R1\x02R2\x02R3\x02"}));
    for (int i = 0; i < 500 && accepted < recordsSeen; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(t.StopAndWait());
    t.instrument.join();
    EXPECT_EQ(outcome.records.size(), recordsSeen);
    EXPECT_FALSE(outcome.trailerSeen);
    return t.dialogs.Texts().empty() ? "" : t.dialogs.Texts().back();
}

// A port whose output never leaves, as on a line that flow control holds.
class HeldLineOpener : public SerialPortOpener {
public:
    explicit HeldLineOpener(std::string device) : device_(std::move(device)) {}
    PortOpenResult Open(const std::string&) override {
        auto port = PosixSerialPort::Open(device_);
        if (port) port->SetOutputCounterForTesting([] { return 100; });
        return {std::move(port), device_, ""};
    }

private:
    std::string device_;
};

TEST_F(TransferStopOnALine, AnUploadWhoseOutputFlowControlHolds) {
    HeldLineOpener held(line->DevicePath());
    ASSERT_TRUE(StartUploadTransfer(Env(held),
                                    TransferFields{InstrumentFamily::Brenno, 0, "R1\x02R2\x02"}));
    ASSERT_TRUE(dialogs.WaitForMessages(1, 5s));
    ASSERT_TRUE(StopAndWait());
    EXPECT_EQ(dialogs.Texts().back(), "Transfer stopped after 0 of 2 records.");
    EXPECT_EQ(line->TakePending(50ms), "R1\r\n");  // the frame was queued, and nothing after it
    EXPECT_EQ(editor.Text(), "");
}

}  // namespace
}  // namespace halvex
