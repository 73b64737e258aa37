// A traced transfer: when its trace is written, how it ends, and what its failure message says.

#include <gtest/gtest.h>

#include <mutex>

#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeSerialPort.h"
#include "transfers/DownloadCommand.h"
#include "upload/UploadCommand.h"

namespace halvex {
namespace {

class RecordingSink : public TraceSink {
public:
    std::optional<TracePlace> PlaceTrace(const std::string& command,
                                         std::chrono::system_clock::time_point) override {
        std::lock_guard lock(mutex_);
        commands.push_back(command);
        if (!givePlace) return std::nullopt;
        return TracePlace{"/traces/t.trace", "halvex 1.0.0"};
    }
    std::string WriteTrace(const TracePlace&, std::string_view text) override {
        std::lock_guard lock(mutex_);
        written.emplace_back(text);
        return error;
    }
    std::vector<std::string> Written() const {
        std::lock_guard lock(mutex_);
        return written;
    }

    bool givePlace = true;
    std::string error;
    std::vector<std::string> commands;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> written;
};

struct TracedRun {
    TracedRun() { env.traces = &sink; }

    RecordingSink sink;
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    testing::FakePortOpener opener;
    WorkerRegistry workers;
    TransferEnvironment env{editor, dialogs, settings, opener, workers};
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(TracedTransfer, AFailureWritesTheTraceBeforeItsMessageWhichThenNamesTheFile) {
    for (const std::string error : {"", "Permission denied"}) {
        TracedRun run;  // no port COM1
        run.sink.error = error;
        std::size_t writtenBeforeMessage = 0;
        run.dialogs.OnMessage([&](const testing::ShownMessage&) {
            writtenBeforeMessage = run.sink.Written().size();
        });
        ASSERT_TRUE(RunDownloadCommand(InstrumentFamily::Brenno, run.env));
        run.workers.WaitIdle();

        EXPECT_EQ(run.sink.commands, std::vector<std::string>{"Download Brenno Data"});
        EXPECT_EQ(writtenBeforeMessage, 1u);
        ASSERT_EQ(run.sink.Written().size(), 1u);
        const std::string trace = run.sink.Written()[0];
        EXPECT_NE(trace.find("# port: COM1 fake:COM1\n"), std::string::npos);
        EXPECT_TRUE(EndsWith(trace, "# end: failed: Cannot found COMM port!\n")) << trace;
        ASSERT_EQ(run.dialogs.Messages().size(), 1u);
        EXPECT_EQ(run.dialogs.Messages()[0].details,
                  std::string("fake:COM1 does not exist\n") +
                      (error.empty() ? "The line trace of this transfer is in /traces/t.trace."
                                     : "The line trace of this transfer could not be written to "
                                       "/traces/t.trace: Permission denied."));
    }
}

TEST(TracedTransfer, AnotherEndIsWrittenOnceWhenTheWorkerHasEnded) {
    TracedRun run;
    run.opener.Add("COM1");
    run.settings.LineDelayMs = 1;
    run.editor.SetText("R1\r\n");
    ASSERT_TRUE(RunUploadCommand(UploadKind::OtherData, run.env));
    run.workers.WaitIdle();

    EXPECT_EQ(run.sink.commands, std::vector<std::string>{"Upload Other Data"});
    ASSERT_EQ(run.sink.Written().size(), 1u);
    const std::string trace = run.sink.Written()[0];
    EXPECT_NE(trace.find("# message: Please press enter on total station first"),
              std::string::npos);
    EXPECT_NE(trace.find("> 52 31 0d 0a "), std::string::npos);
    EXPECT_TRUE(EndsWith(trace, "# message: Communication finished\n# end: completed\n")) << trace;
}

TEST(TracedTransfer, WithoutAPlaceNothingIsRecorded) {
    TracedRun run;
    run.sink.givePlace = false;
    ASSERT_TRUE(RunDownloadCommand(InstrumentFamily::Tamsel, run.env));
    run.workers.WaitIdle();
    EXPECT_EQ(run.sink.commands.size(), 1u);
    EXPECT_TRUE(run.sink.Written().empty());
    ASSERT_EQ(run.dialogs.Messages().size(), 1u);
    EXPECT_EQ(run.dialogs.Messages()[0].details, "fake:COM1 does not exist");
}

}  // namespace
}  // namespace halvex
