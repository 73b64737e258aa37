#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeSerialPort.h"
#include "transfers/UploadWorker.h"
#include "upload/UploadCommand.h"

namespace halvex {
namespace {

using testing::FakeDialogs;
using testing::FakeEditor;
using testing::FakePortOpener;
using testing::FakeSerialPort;

struct CommandFixture {
    FakeEditor editor;
    FakeDialogs dialogs;
    CommSettings settings;
    FakePortOpener ports;
    std::shared_ptr<FakeSerialPort> port = ports.Add("COM1");
    WorkerRegistry workers;

    CommandFixture() { settings.LineDelayMs = 1; }
    TransferEnvironment Env() { return {editor, dialogs, settings, ports, workers}; }
};

TEST(RunUploadCommand, BuildsStartsAndHandsBackTheWorkersFields) {
    CommandFixture f;
    f.editor.SetText("P1,K,100.5,200.25,-3.1\r\nP2,,1,2,3\r\n");
    std::optional<TransferFields> fields = RunUploadCommand(UploadKind::CorvaneCoordinate, f.Env());
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->TransferMode, InstrumentFamily::Corvane);
    EXPECT_EQ(fields->SiteHeader, 1);
    EXPECT_EQ(fields->UploadQueue,
              "P1,100.5000,200.2500,-3.1000,K\x02P2,1.0000,2.0000,3.0000,\x02");
    f.workers.WaitIdle();
    EXPECT_EQ(f.port->Written(),
              "P1,100.5000,200.2500,-3.1000,K\r\nP2,1.0000,2.0000,3.0000,\r\n\x04\r\n");
    EXPECT_EQ(f.editor.Text(), "P1,100.5000,200.2500,-3.1000,K\r\nP2,1.0000,2.0000,3.0000,\r\n");
    EXPECT_EQ(f.dialogs.Texts(), (std::vector<std::string>{kUploadPrompt, kCommunicationFinished}));
}

TEST(RunUploadCommand, DecliningTheUnsavedQuestionChangesNothing) {
    CommandFixture f;
    f.editor.SetText("P1,K,1,2,3\r\n");
    f.editor.SetTextModified(true);
    f.editor.SetConfirmAnswer(false);
    EXPECT_FALSE(RunUploadCommand(UploadKind::TamselCoordinate, f.Env()).has_value());
    EXPECT_EQ(f.editor.ConfirmQuestions(), 1);
    EXPECT_EQ(f.workers.RunningCount(), 0u);
    EXPECT_TRUE(f.ports.OpenedNames().empty());
    EXPECT_TRUE(f.dialogs.Texts().empty());
    EXPECT_EQ(f.editor.Text(), "P1,K,1,2,3\r\n");
}

TEST(RunUploadCommand, RefusedTextIsReportedAndNothingIsOpened) {
    CommandFixture f;
    f.editor.SetText("ok line\r\n" + std::string(300, 'x') + "\r\n");
    EXPECT_FALSE(RunUploadCommand(UploadKind::OtherData, f.Env()).has_value());
    f.workers.WaitIdle();
    EXPECT_TRUE(f.ports.OpenedNames().empty());
    ASSERT_EQ(f.dialogs.Messages().size(), 1u);
    EXPECT_EQ(f.dialogs.Messages()[0].text,
              "Line 2 cannot be uploaded: the record would be longer than 255 characters. "
              "Nothing was sent.");
    EXPECT_EQ(f.dialogs.Messages()[0].caption, "Veltra");
    EXPECT_EQ(f.editor.Text(), "ok line\r\n" + std::string(300, 'x') + "\r\n");
}

TEST(RunUploadCommand, StartsAlsoWhenNothingWasQueued) {
    CommandFixture f;
    std::optional<TransferFields> fields = RunUploadCommand(UploadKind::BrennoCodeList, f.Env());
    ASSERT_TRUE(fields.has_value());
    EXPECT_EQ(fields->UploadQueue, "");
    f.workers.WaitIdle();
    EXPECT_EQ(f.port->Written(), "");
    EXPECT_EQ(f.dialogs.Texts(), (std::vector<std::string>{kUploadPrompt, kCommunicationFinished}));
}

}  // namespace
}  // namespace halvex
