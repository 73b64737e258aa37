// The download receiver's rules over the scripted fake port: what reaches the editor, what is
// written back, which messages appear and when the port closes.

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeSerialPort.h"
#include "support/TransferModes.h"
#include "transfers/DownloadCommand.h"
#include "transfers/DownloadWorker.h"
#include "transfers/TransferGuard.h"

namespace halvex {
namespace {

using testing::FakeDialogs;
using testing::FakeEditor;
using testing::FakePortOpener;
using testing::FakeSerialPort;

const std::string kStationFirst = kDownloadPromptStationFirst;
const std::string kComputerFirst = kDownloadPromptComputerFirst;

// One download of its own for a table row: a fresh editor, boxes and device.
struct RowRun {
    void Download(const CommSettings& settings, WorkerRegistry& workers, InstrumentFamily family) {
        DownloadWorker({editor, dialogs, settings, ports, workers}, family);
    }

    FakeEditor editor;
    FakeDialogs dialogs;
    FakePortOpener ports;
    std::shared_ptr<FakeSerialPort> device = ports.Add("COM1");
};

class DownloadWorkerTest : public ::testing::Test {
protected:
    DownloadWorkerTest() : device(opener.Add("COM1")) {}

    void Run(std::int16_t mode, std::int32_t protocol, const std::string& input) {
        settings.Protocol = protocol;
        device->QueueInput(input);
        DownloadWorker(env, testing::FamilyForMode(mode));
    }

    FakeEditor editor;
    FakeDialogs dialogs;
    CommSettings settings;
    FakePortOpener opener;
    WorkerRegistry workers;
    TransferEnvironment env{editor, dialogs, settings, opener, workers};
    std::shared_ptr<FakeSerialPort> device;
};

TEST_F(DownloadWorkerTest, ExchangeAndResultingTextByModeAndProtocol) {
    struct Row {
        const char* name;
        std::int16_t mode;
        std::int32_t protocol;
        std::string input;
        std::string text;
        std::string written;
        std::vector<std::string> messages;
    };
    const std::string timeOut = kCommunicationTimeOutMessage;
    const Row rows[] = {
        {"tamsel ack/nak",
         1,
         1,
         "a\nb\nc\n\x04",
         "a\n\nb\n\nc\n",
         "\x05\x06\x06\x06",
         {kStationFirst}},
        {"tamsel none", 1, 0, "a\nb\nc\n\x04", "a\n\nb\n\nc\n", "", {kComputerFirst}},
        {"tamsel ack/nak, lines of LF alone",
         1,
         1,
         "\n\n\x04",
         "\n\n\n",
         "\x05\x06\x06",
         {kStationFirst}},
        {"tamsel: ETX is data", 1, 0, "x\x03y\n\x04", "x\x03y\n", "", {kComputerFirst}},
        {"brenno: EOT is data, ETX ends",
         2,
         1,
         "x\x04y\nz\n\x03",
         "x\x04y\nz\n",
         "",
         {kComputerFirst}},
        {"corvane ack/nak sends nothing",
         3,
         1,
         "p\x03q\nr\n\x04",
         "p\x03q\nr\n",
         "",
         {kComputerFirst}},
        {"control bytes stay",
         3,
         0,
         "\x02"
         "A\rB\x7f\xff\n\x04",
         "\x02"
         "A\rB\x7f\xff\n",
         "",
         {kComputerFirst}},
        {"terminator first",
         1,
         1,
         "\x04"
         "abc\n",
         "",
         "\x05",
         {kStationFirst}},
        {"tail without LF is lost", 2, 0, "l1\nabc\x03", "l1\n", "", {kComputerFirst}},
        {"no terminator: time-out keeps lines", 2, 0, "a\nb", "a\n", "", {kComputerFirst, timeOut}},
        {"nothing at all: time-out", 1, 1, "", "", "\x05", {kStationFirst, timeOut}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RowRun run;
        CommSettings rowSettings;
        rowSettings.Protocol = row.protocol;
        run.device->QueueInput(row.input);
        run.Download(rowSettings, workers, testing::FamilyForMode(row.mode));
        EXPECT_EQ(run.editor.Text(), row.text);
        EXPECT_EQ(run.device->Written(), row.written);
        EXPECT_EQ(run.dialogs.Texts(), row.messages);
        EXPECT_FALSE(run.editor.ReadOnly());
        EXPECT_EQ(run.device->CloseCount(), 1);
        for (const auto& message : run.dialogs.Messages()) EXPECT_EQ(message.caption, "Veltra");
        // One read call of one byte for every byte taken.
        for (std::size_t size : run.device->ReadSizes()) EXPECT_EQ(size, 1u);
    }
}

TEST_F(DownloadWorkerTest, EditorCallsClearFirstReadOnlyAroundAndCaretToEndAfterTheFirstLine) {
    Run(1, 1, "a\nb\n\x04");
    // The document lets go of its file as the download clears the text it came from.
    const std::vector<std::string> expected = {"Detach",
                                               "Clear",
                                               "ReadOnly:1",
                                               "Append:a\n",
                                               "Caret:" + std::to_string(kCaretToEnd),
                                               "Append:\nb\n",
                                               "ReadOnly:0"};
    EXPECT_EQ(editor.Calls(), expected);
    EXPECT_TRUE(editor.TextModified());
}

TEST_F(DownloadWorkerTest, ReadFailureClosesThePortBeforeItsMessageTimeOutAfter) {
    struct Row {
        bool failReads;
        std::string message;
        bool portClosedWhileShown;
    };
    const Row rows[] = {{true, kCommunicationFailedMessage, true},
                        {false, kCommunicationTimeOutMessage, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        RowRun run;
        run.device->QueueInput("one\ntwo");
        run.device->FailReadsWhenEmpty(row.failReads);
        std::optional<bool> closedWhileShown;
        std::optional<bool> readOnlyWhileShown;
        run.dialogs.OnMessage([&](const testing::ShownMessage& message) {
            if (message.text != row.message) return;
            closedWhileShown = run.device->Closed();
            readOnlyWhileShown = run.editor.ReadOnly();
        });
        run.Download(settings, workers, InstrumentFamily::Corvane);
        ASSERT_TRUE(closedWhileShown.has_value());
        EXPECT_EQ(*closedWhileShown, row.portClosedWhileShown);
        EXPECT_TRUE(*readOnlyWhileShown);  // writable again only after the message
        EXPECT_EQ(run.editor.Text(), "one\n");
        EXPECT_FALSE(run.editor.ReadOnly());
        EXPECT_EQ(run.device->CloseCount(), 1);
    }
}

TEST_F(DownloadWorkerTest, AnEnqOrAckTheDeviceDoesNotTakeEndsAsAFailedRead) {
    struct Row {
        const char* name;
        std::size_t writableBytes;
        std::string text;
    };
    // The line whose ACK fails arrived whole and is still shown.
    const Row rows[] = {{"ENQ", 0, ""}, {"second ACK", 2, "a\n\nb\n"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RowRun run;
        run.device->QueueInput("a\nb\nc\n\x04");
        run.device->FailWritesAfter(row.writableBytes);
        settings.Protocol = 1;
        run.Download(settings, workers, InstrumentFamily::Tamsel);
        EXPECT_EQ(run.dialogs.Texts(),
                  (std::vector<std::string>{kStationFirst, kCommunicationFailedMessage}));
        EXPECT_EQ(run.editor.Text(), row.text);
        EXPECT_FALSE(run.editor.ReadOnly());
        EXPECT_EQ(run.device->CloseCount(), 1);
    }
}

TEST_F(DownloadWorkerTest, PortFailureLeavesTheEditorEmptiedAndWritable) {
    editor.SetText("old text");
    settings.PortIndex = 1;  // COM2 does not exist
    DownloadWorker(env, InstrumentFamily::Tamsel);
    EXPECT_EQ(editor.Text(), "");
    EXPECT_EQ(editor.Calls(), (std::vector<std::string>{"Detach", "Clear"}));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Cannot found COMM port!"});
}

TEST_F(DownloadWorkerTest, ProtocolIsReadLiveForEveryLine) {
    // A change confirmed in the parameter dialog while receiving reaches the next LF.
    class SwitchingEditor : public FakeEditor {
    public:
        explicit SwitchingEditor(CommSettings& settings) : settings_(settings) {}
        bool AppendEditorText(const std::string& text) override {
            settings_.Protocol = 0;
            return FakeEditor::AppendEditorText(text);
        }

    private:
        CommSettings& settings_;
    } switching(settings);
    settings.Protocol = 1;
    device->QueueInput("a\nb\nc\n\x04");
    DownloadWorker({switching, dialogs, settings, opener, workers}, InstrumentFamily::Tamsel);
    EXPECT_EQ(device->Written(), "\x05\x06");
    EXPECT_EQ(switching.Text(), "a\n\nb\n\nc\n");
}

TEST_F(DownloadWorkerTest, NulBytesAreShownAsSubAndToldOnceAtTheEnd) {
    Run(2, 0, std::string("a\0b\n\0\nrest\0", 12) + "\x03");
    EXPECT_EQ(editor.Text(),
              "a\x1A"
              "b\n\x1A\n");
    // Only the two bytes that reached the editor are counted; the unfinished tail never shows.
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::string>{kComputerFirst, NulBytesReplacedMessage(2)}));
    EXPECT_EQ(NulBytesReplacedMessage(1),
              "The instrument sent 1 byte of value 0, which the editor cannot hold. They are "
              "shown as the byte SUB (0x1A).");
}

TEST_F(DownloadWorkerTest, EditorFullKeepsTheLinesStopsAndTells) {
    const std::string line = std::string(999, 'x') + "\n";
    std::string input;
    for (int i = 0; i < 1100; ++i) input += line;
    std::optional<bool> closedWhileShown;
    dialogs.OnMessage([&](const testing::ShownMessage& message) {
        if (message.text == kDownloadTooLargeMessage) closedWhileShown = device->Closed();
    });
    Run(2, 0, input + "\x03");
    const std::size_t fitting = kEditorCapacity / line.size();  // 1048 lines
    EXPECT_EQ(editor.Text().size(), fitting * line.size());
    EXPECT_EQ(editor.Text().substr(0, line.size()), line);
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::string>{kComputerFirst, kDownloadTooLargeMessage}));
    EXPECT_EQ(closedWhileShown, true);
    EXPECT_FALSE(editor.ReadOnly());
    // Reading stopped at the line that did not fit.
    EXPECT_EQ(device->ReadCalls(), static_cast<int>((fitting + 1) * line.size()));
}

TEST_F(DownloadWorkerTest, ClosingProgramEndsTheWorkerWithoutMessages) {
    workers.ShutdownAll();  // the port is aborted as soon as the worker attaches it
    Run(1, 1, "a\nb\n\x04");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{});
    EXPECT_EQ(editor.Text(), "");
    EXPECT_FALSE(editor.ReadOnly());
    EXPECT_EQ(device->CloseCount(), 1);
}

TEST_F(DownloadWorkerTest, CommandDeclinedOrRefusedChangesNothing) {
    editor.SetText("unsaved");
    editor.SetTextModified(true);
    editor.SetConfirmAnswer(false);
    EXPECT_EQ(RunDownloadCommand(InstrumentFamily::Brenno, env), std::nullopt);
    EXPECT_EQ(editor.Text(), "unsaved");
    EXPECT_TRUE(opener.OpenedNames().empty());

    // While another worker runs, the command is refused before it asks anything.
    std::mutex gate;
    std::unique_lock hold(gate);
    ASSERT_TRUE(workers.Start([&] { std::lock_guard wait(gate); }));
    EXPECT_EQ(RunDownloadCommand(InstrumentFamily::Brenno, env), std::nullopt);
    EXPECT_EQ(editor.ConfirmQuestions(), 1);
    EXPECT_EQ(dialogs.Texts().back(), kTransferRunningMessage);
    hold.unlock();
    workers.WaitIdle();
}

TEST_F(DownloadWorkerTest, CommandStartsTheWorkerWithItsMode) {
    device->QueueInput(
        "a\n\x04"
        "b\n\x03");
    EXPECT_EQ(RunDownloadCommand(InstrumentFamily::Brenno, env), InstrumentFamily::Brenno);
    workers.WaitIdle();
    EXPECT_EQ(editor.Text(),
              "a\n\x04"
              "b\n");
    EXPECT_EQ(opener.OpenedNames(), std::vector<std::string>{"COM1"});
}

}  // namespace
}  // namespace halvex
