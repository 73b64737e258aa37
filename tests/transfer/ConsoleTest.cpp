// halvex-transfer's standard error: messages as lines, the progress line rewritten in place, and
// the prompts that wait for Enter only where a user can press it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "serial/DownloadWorker.h"
#include "transfer/lib/ConsoleDialogs.h"

namespace halvex::transfer {
namespace {

using namespace std::chrono_literals;

class Pipe {
public:
    Pipe() { EXPECT_EQ(::pipe2(fds_, O_CLOEXEC | O_NONBLOCK), 0); }
    ~Pipe() {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    int In() const { return fds_[1]; }
    int Out() const { return fds_[0]; }
    void Write(const std::string& bytes) const {
        EXPECT_EQ(::write(In(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string Take() const {
        std::string bytes;
        char buffer[256];
        for (ssize_t got; (got = ::read(Out(), buffer, sizeof buffer)) > 0;) {
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        return bytes;
    }

private:
    int fds_[2] = {-1, -1};
};

TEST(TransferConsole, ALinePrintedOverTheProgressErasesItFirst) {
    Pipe screen;
    ErrorConsole console(screen.In(), true);
    console.ShowProgress("Record 1 of 3");
    console.ShowProgress("Record 2 of 3");
    console.PrintLine("Communication finished");
    EXPECT_EQ(screen.Take(),
              "\rRecord 1 of 3\x1b[K\rRecord 2 of 3\x1b[K\r\x1b[KCommunication finished\n");

    console.HoldProgress(true);
    console.ShowProgress("Record 3 of 3");
    console.HoldProgress(false);
    console.ClearProgress();
    EXPECT_EQ(screen.Take(), "");

    ErrorConsole quiet(screen.In(), false);
    quiet.ShowProgress("Received 1 lines, 3 bytes");
    quiet.PrintLine("Communication time out");
    EXPECT_EQ(screen.Take(), "Communication time out\n");
}

TEST(TransferConsole, MessagesAreLinesWithTheirDetailsBelow) {
    Pipe screen;
    Pipe keyboard;
    ErrorConsole console(screen.In(), false);
    WorkerRegistry workers;
    ConsoleDialogs dialogs(console, workers, keyboard.Out(), false);
    dialogs.ShowMessage("Cannot found COMM port!", kProgramCaption, MessageIcon::None,
                        "/dev/ttyS0 (COM1): No such file or directory.");
    // Nobody at a terminal: the prompt goes on at once.
    dialogs.ShowMessage(kDownloadPromptComputerFirst, kProgramCaption);
    EXPECT_EQ(screen.Take(), std::string("Cannot found COMM port!\n/dev/ttyS0 (COM1): No such file "
                                         "or directory.\n") +
                                 kDownloadPromptComputerFirst + "\n");
}

TEST(TransferConsole, APromptAtATerminalWaitsForEnterOrAStop) {
    Pipe screen;
    Pipe keyboard;
    ErrorConsole console(screen.In(), false);
    WorkerRegistry workers;
    ConsoleDialogs dialogs(console, workers, keyboard.Out(), true);

    std::atomic<bool> closed{false};
    std::thread worker([&] {
        dialogs.ShowMessage(kDownloadPromptStationFirst, kProgramCaption);
        closed = true;
    });
    keyboard.Write("ok");
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(closed);  // a line without its Enter does not close the prompt
    keyboard.Write("\n");
    worker.join();

    // Other messages never wait.
    dialogs.ShowMessage(kCommunicationTimeOutMessage, kProgramCaption);

    std::thread stopped([&] { dialogs.ShowMessage(kDownloadPromptStationFirst, kProgramCaption); });
    workers.StopAll(StopNotice::Report);
    stopped.join();
}

}  // namespace
}  // namespace halvex::transfer
