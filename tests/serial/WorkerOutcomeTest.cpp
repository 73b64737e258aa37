// How a transfer worker says it ended, for a caller that waits for it: completed only at a
// download's terminator or an upload's "Communication finished"; stopped when a stop came first.

#include <gtest/gtest.h>

#include "serial/DownloadWorker.h"
#include "serial/UploadWorker.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeSerialPort.h"

namespace halvex {
namespace {

using namespace std::string_literals;

struct Worker {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    testing::FakePortOpener opener;
    WorkerRegistry workers;
    TransferEnvironment env{editor, dialogs, settings, opener, workers};
};

TransferOutcome Download(const std::string& input, bool portExists = true) {
    Worker worker;
    if (portExists) worker.opener.Add("COM1")->QueueInput(input);
    return DownloadWorker(worker.env, 1);
}

TransferOutcome Upload(std::int32_t protocol, bool stopFirst = false) {
    Worker worker;
    worker.settings.Protocol = protocol;
    worker.opener.Add("COM1");  // answers nothing
    if (stopFirst) worker.workers.StopAll(StopNotice::Report);
    return UploadWorker(worker.env, {2, 0, "R\x02"}, [](std::chrono::milliseconds) {});
}

TEST(WorkerOutcome, CompletedFailedOrStopped) {
    EXPECT_EQ(Download("a\n\x04"), TransferOutcome::Completed);
    EXPECT_EQ(Download("a\n\x00\n\x04"s),
              TransferOutcome::Completed);                    // the NUL note is no failure
    EXPECT_EQ(Download("a\n"), TransferOutcome::Failed);      // time-out
    EXPECT_EQ(Download("", false), TransferOutcome::Failed);  // no port
    EXPECT_EQ(Upload(0), TransferOutcome::Completed);
    EXPECT_EQ(Upload(1), TransferOutcome::Failed);  // no reply under Ack/Nak
    EXPECT_EQ(Upload(0, true), TransferOutcome::Stopped);

    Worker stopped;
    stopped.opener.Add("COM1")->QueueInput("a\n");
    stopped.workers.StopAll(StopNotice::Report);
    EXPECT_EQ(DownloadWorker(stopped.env, 1), TransferOutcome::Stopped);
}

}  // namespace
}  // namespace halvex
