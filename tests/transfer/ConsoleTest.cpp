// halvex-transfer's standard error: messages as lines over the progress line, and prompts that
// wait for Enter only where a user can press it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "transfer/lib/ConsoleDialogs.h"
#include "transfers/DownloadWorker.h"

namespace halvex::transfer {
namespace {

using namespace std::chrono_literals;

struct Pipe {
    Pipe() { EXPECT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0); }
    ~Pipe() {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    void Write(const std::string& bytes) const {
        EXPECT_EQ(::write(fds[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    std::string Take() const {
        char buffer[512];
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        return got > 0 ? std::string(buffer, std::size_t(got)) : "";
    }
    int fds[2] = {-1, -1};
};

TEST(TransferConsole, MessagesEraseTheProgressAndPromptsWaitForEnterOnlyAtATerminal) {
    Pipe screen;
    Pipe keyboard;
    ErrorConsole console(screen.fds[1], true);
    WorkerRegistry workers;
    ConsoleDialogs script(console, workers, keyboard.fds[0], false);
    console.ShowProgress("Received 2 lines");
    script.ShowMessage("Cannot found COMM port!", kProgramCaption, MessageIcon::None, "Why.");
    script.ShowMessage(kDownloadPromptComputerFirst, kProgramCaption);  // goes on at once
    EXPECT_EQ(screen.Take(), "\rReceived 2 lines\x1b[K\r\x1b[KCannot found COMM port!\nWhy.\n" +
                                 std::string(kDownloadPromptComputerFirst) + "\n");

    ConsoleDialogs terminal(console, workers, keyboard.fds[0], true);
    std::atomic<bool> closed{false};
    std::thread worker([&] {
        terminal.ShowMessage(kDownloadPromptStationFirst, kProgramCaption);
        closed = true;
    });
    keyboard.Write("ok");
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(closed);  // typing without Enter does not close the prompt
    keyboard.Write("\n");
    worker.join();
    terminal.ShowMessage(kCommunicationTimeOutMessage, kProgramCaption);  // never waits

    std::thread stopped(
        [&] { terminal.ShowMessage(kDownloadPromptStationFirst, kProgramCaption); });
    workers.StopAll(StopNotice::Report);
    stopped.join();
}

}  // namespace
}  // namespace halvex::transfer
