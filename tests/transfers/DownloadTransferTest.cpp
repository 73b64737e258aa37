// Downloads end to end over real pseudo-terminals: the worker with the termios port on one end,
// the simulated instrument on the other, checking every byte on the line and the order of what
// the worker does to the editor, the messages and the port.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "TransferRecorder.h"
#include "port/PosixSerialPort.h"
#include "station/lib/DownloadScript.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/TransferModes.h"
#include "transfers/DownloadWorker.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using station::DownloadOutcome;
using station::DownloadScript;
using station::Family;
using station::StationLine;
using testing::EventLog;

const std::string kStationFirst = std::string("Message:") + kDownloadPromptStationFirst;
const std::string kComputerFirst = std::string("Message:") + kDownloadPromptComputerFirst;
const std::string kTimeOut = std::string("Message:") + kCommunicationTimeOutMessage;
const std::string kFailed = std::string("Message:") + kCommunicationFailedMessage;

class TransferDownload : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        line = StationLine::CreatePseudoTerminal(error);
        ASSERT_NE(line, nullptr) << error;
        settings.TimeoutSeconds = 5;
        settings.BaudIndex = 7;
    }

    DownloadScript Script(Family family, bool ackNak, std::string data) {
        DownloadScript script;
        script.family = family;
        script.ackNak = ackNak;
        script.data = std::move(data);
        script.handshakeTimeout = 5s;
        return script;
    }

    // Runs the instrument and the worker to their ends; returns the bytes the program wrote.
    std::string Run(std::int16_t mode, const DownloadScript& script) {
        std::thread instrument([&] { outcome = station::RunDownload(*line, script); });
        EXPECT_TRUE(StartDownload(env, testing::FamilyForMode(mode)));
        workers.WaitIdle();
        instrument.join();
        line->TakePending(20ms);
        return line->ReceivedLog();
    }

    std::unique_ptr<StationLine> line;
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    EventLog log;
    testing::RecordingEditor recordingEditor{editor, log};
    testing::RecordingDialogs recordingDialogs{dialogs, log};
    PosixPortOpener ports{[this](const std::string& name) -> std::optional<std::string> {
        if (name == "HALVEX_COM1") return line->DevicePath();
        return std::nullopt;
    }};
    testing::RecordingOpener recordingPorts{ports, log};
    CommSettings settings;
    WorkerRegistry workers;
    TransferEnvironment env{recordingEditor, recordingDialogs, settings, recordingPorts, workers};
    DownloadOutcome outcome;
};

TEST_F(TransferDownload, TamselAckNakSendsEnqAfterThePromptAndAckBeforeEachLineShows) {
    settings.Protocol = 1;
    const std::string received = Run(1, Script(Family::Tamsel, true, "P1,1.0\nP2,2.0\n\nP3\n"));
    EXPECT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(received, "\x05\x06\x06\x06\x06");
    const std::vector<std::string> expected = {
        "Clear",    "ReadOnly:1", kStationFirst,       "Write:05", "Write:06",  "Append:P1,1.0\n",
        "Write:06", "Caret:end",  "Append:\nP2,2.0\n", "Write:06", "Caret:end", "Append:\n\n",
        "Write:06", "Caret:end",  "Append:\nP3\n",     "Close",    "ReadOnly:0"};
    EXPECT_EQ(log.Events(), expected);
    EXPECT_EQ(editor.Text(), "P1,1.0\n\nP2,2.0\n\n\n\nP3\n");
    EXPECT_FALSE(editor.ReadOnly());
}

TEST_F(TransferDownload, ExchangeRowsWithoutHandshake) {
    struct Row {
        const char* name;
        std::int16_t mode;
        std::int32_t protocol;
        Family family;
        bool stationAckNak;
        std::string data;
        std::vector<std::string> events;
        std::string text;
    };
    const Row rows[] = {
        {"tamsel, protocol none",
         1,
         0,
         Family::Tamsel,
         false,
         "A\nB\n",
         {"Clear", "ReadOnly:1", kComputerFirst, "Append:A\n", "Caret:end", "Append:\nB\n", "Close",
          "ReadOnly:0"},
         "A\n\nB\n"},
        {"brenno: EOT is data",
         2,
         1,
         Family::Brenno,
         false,
         "A\x04\nB\r\n",
         {"Clear", "ReadOnly:1", kComputerFirst, "Append:A\x04\n", "Caret:end", "Append:B\r\n",
          "Close", "ReadOnly:0"},
         "A\x04\nB\r\n"},
        {"corvane with ack/nak: no ENQ, no ACK",
         3,
         1,
         Family::Corvane,
         true,
         "A\x03\nB\n",
         {"Clear", "ReadOnly:1", kComputerFirst, "Append:A\x03\n", "Caret:end", "Append:B\n",
          "Close", "ReadOnly:0"},
         "A\x03\nB\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EventLog rowLog;
        testing::FakeEditor rowEditor;
        testing::RecordingEditor recEditor{rowEditor, rowLog};
        testing::RecordingDialogs recDialogs{dialogs, rowLog};
        testing::RecordingOpener recPorts{ports, rowLog};
        std::string error;
        line = StationLine::CreatePseudoTerminal(error);
        ASSERT_NE(line, nullptr) << error;
        settings.Protocol = row.protocol;
        TransferEnvironment rowEnv{recEditor, recDialogs, settings, recPorts, workers};
        std::thread instrument([&] {
            outcome = station::RunDownload(*line, Script(row.family, row.stationAckNak, row.data));
        });
        ASSERT_TRUE(StartDownload(rowEnv, testing::FamilyForMode(row.mode)));
        workers.WaitIdle();
        instrument.join();
        line->TakePending(20ms);
        EXPECT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(line->ReceivedLog(), "");
        EXPECT_EQ(rowLog.Events(), row.events);
        EXPECT_EQ(rowEditor.Text(), row.text);
    }
}

TEST_F(TransferDownload, SilenceAfterTheLastLineTimesOutAfterTimeoutSeconds) {
    settings.TimeoutSeconds = 1;
    DownloadScript script = Script(Family::Tamsel, false, "A\nB\n");
    script.sendTerminator = false;
    const auto start = std::chrono::steady_clock::now();
    Run(1, script);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1s);
    const std::vector<std::string> expected = {"Clear",      "ReadOnly:1", kComputerFirst,
                                               "Append:A\n", "Caret:end",  "Append:\nB\n",
                                               kTimeOut,     "Close",      "ReadOnly:0"};
    EXPECT_EQ(log.Events(), expected);
    EXPECT_EQ(editor.Text(), "A\n\nB\n");
}

TEST_F(TransferDownload, HangUpIsACommunicationFailureWithTheCompleteLinesKept) {
    struct Row {
        const char* name;
        std::optional<std::size_t> afterLines;
        std::optional<std::size_t> afterBytes;
        std::string text;
    };
    const Row rows[] = {
        {"after one line", 1, std::nullopt, "A1\n"},
        {"in the middle of a line", std::nullopt, 5, "A1\n"},  // "B2" never gets its LF
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EventLog rowLog;
        testing::FakeEditor rowEditor;
        testing::RecordingEditor recEditor{rowEditor, rowLog};
        testing::RecordingDialogs recDialogs{dialogs, rowLog};
        testing::RecordingOpener recPorts{ports, rowLog};
        std::string error;
        line = StationLine::CreatePseudoTerminal(error);
        ASSERT_NE(line, nullptr) << error;
        DownloadScript script = Script(Family::Brenno, false, "A1\nB2\nC3\n");
        script.hangupAfterLines = row.afterLines;
        script.hangupAfterBytes = row.afterBytes;
        TransferEnvironment rowEnv{recEditor, recDialogs, settings, recPorts, workers};
        std::thread instrument([&] { outcome = station::RunDownload(*line, script); });
        ASSERT_TRUE(StartDownload(rowEnv, InstrumentFamily::Brenno));
        workers.WaitIdle();
        instrument.join();
        EXPECT_TRUE(outcome.hungUp);
        const std::vector<std::string> expected = {
            "Clear", "ReadOnly:1", kComputerFirst, "Append:A1\n", "Close", kFailed, "ReadOnly:0"};
        EXPECT_EQ(rowLog.Events(), expected);
        EXPECT_EQ(rowEditor.Text(), row.text);
    }
}

TEST_F(TransferDownload, AHangUpBeforeTheAckKeepsTheLineAndFails) {
    settings.Protocol = 1;
    std::thread instrument([&] {
        std::uint8_t enq = 0;
        if (line->ReceiveByte(enq, 5s) != station::ReceiveStatus::Byte) return;
        line->Send("A1\n", 5s);
        line->Hangup();  // once the program has the line, before its ACK can arrive
    });
    ASSERT_TRUE(StartDownload(env, InstrumentFamily::Tamsel));
    workers.WaitIdle();
    instrument.join();
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::string>{kDownloadPromptStationFirst, kCommunicationFailedMessage}));
    EXPECT_EQ(editor.Text(), "A1\n");
    EXPECT_FALSE(editor.ReadOnly());
    const std::vector<std::string> events = log.Events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(events.end() - 3, events.end()),
              (std::vector<std::string>{"Close", kFailed, "ReadOnly:0"}));
}

TEST_F(TransferDownload, PortHeldElsewhereGivesCannotFoundCommPort) {
    auto holder = PosixSerialPort::Open(line->DevicePath());
    ASSERT_NE(holder, nullptr);
    editor.SetText("before");
    ASSERT_TRUE(StartDownload(env, InstrumentFamily::Tamsel));
    workers.WaitIdle();
    const std::vector<std::string> expected = {"Clear", "Message:Cannot found COMM port!"};
    EXPECT_EQ(log.Events(), expected);
    EXPECT_EQ(editor.Text(), "");
    EXPECT_FALSE(editor.ReadOnly());
    EXPECT_EQ(line->TakePending(20ms), "");
}

TEST_F(TransferDownload, ParityThePseudoTerminalCannotCarryIsRefused) {
    settings.ParityIndex = 2;
    ASSERT_TRUE(StartDownload(env, InstrumentFamily::Brenno));
    workers.WaitIdle();
    const std::vector<std::string> expected = {"Clear", "Message:Cannot set COMM parameter!",
                                               "Close"};
    EXPECT_EQ(log.Events(), expected);
    // The hold has ended: the device opens again.
    EXPECT_NE(PosixSerialPort::Open(line->DevicePath()), nullptr);
}

TEST_F(TransferDownload, ClosingTheProgramAbortsABlockedDownloadQuietly) {
    settings.TimeoutSeconds = 60;
    ASSERT_TRUE(StartDownload(env, InstrumentFamily::Brenno));
    ASSERT_TRUE(dialogs.WaitForMessages(1, 5s));  // the prompt: the worker now waits for data
    std::this_thread::sleep_for(50ms);
    const auto start = std::chrono::steady_clock::now();
    workers.ShutdownAll();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    const std::vector<std::string> expected = {"Clear", "ReadOnly:1", kComputerFirst, "Close",
                                               "ReadOnly:0"};
    EXPECT_EQ(log.Events(), expected);
}

}  // namespace
}  // namespace halvex
