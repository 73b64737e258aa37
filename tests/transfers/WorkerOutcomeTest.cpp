// How a transfer worker says it ended, for a caller that waits for it: completed only at a
// download's terminator or an upload's "Communication finished"; stopped when a stop came first.

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeSerialPort.h"
#include "transfers/DownloadWorker.h"
#include "transfers/UploadWorker.h"

namespace halvex {
namespace {

using namespace std::string_literals;

struct Worker {
    // `input` for a port COM1 that answers nothing else; no port without it.
    Worker(std::optional<std::string> input, bool stopFirst = false) {
        if (input) opener.Add("COM1")->QueueInput(*input);
        if (stopFirst) workers.StopAll(StopNotice::Report);
    }
    TransferOutcome Download() { return DownloadWorker(env, InstrumentFamily::Tamsel); }
    TransferOutcome Upload(std::int32_t protocol) {
        settings.Protocol = protocol;
        return UploadWorker(env, {InstrumentFamily::Brenno, 0, "R\x02"},
                            [](std::chrono::milliseconds) {});
    }
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    testing::FakePortOpener opener;
    WorkerRegistry workers;
    TransferEnvironment env{editor, dialogs, settings, opener, workers};
};

TEST(WorkerOutcome, CompletedFailedOrStopped) {
    EXPECT_EQ(Worker("\x00\n\x04"s).Download(), TransferOutcome::Completed);  // a note, no failure
    EXPECT_EQ(Worker(std::nullopt).Download(), TransferOutcome::Failed);      // no port
    EXPECT_EQ(Worker("").Upload(0), TransferOutcome::Completed);
    EXPECT_EQ(Worker("").Upload(1), TransferOutcome::Failed);  // no reply under Ack/Nak
    EXPECT_EQ(Worker("", true).Upload(0), TransferOutcome::Stopped);
}

}  // namespace
}  // namespace halvex
