// The termios port over real pseudo-terminals, with the simulator's line on the other end.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "port/PosixSerialPort.h"
#include "station/lib/StationLine.h"

namespace halvex {
namespace {

using station::ReceiveStatus;
using station::StationLine;
using namespace std::chrono_literals;

class TransferPosixPort : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        line = StationLine::CreatePseudoTerminal(error);
        ASSERT_NE(line, nullptr) << error;
    }

    std::unique_ptr<PosixSerialPort> OpenPort() {
        auto port = PosixSerialPort::Open(line->DevicePath());
        EXPECT_NE(port, nullptr);
        return port;
    }

    termios SlaveSettings() {
        const int fd = ::open(line->DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t{};
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::tcgetattr(fd, &t), 0);
        ::close(fd);
        return t;
    }

    std::unique_ptr<StationLine> line;
};

TEST_F(TransferPosixPort, OpenIsExclusiveAlsoThroughALinkAndEndsWithClose) {
    auto first = OpenPort();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(PosixSerialPort::Open(line->DevicePath()), nullptr);

    const std::string link =
        ::testing::TempDir() + "halvex-port-link-" + std::to_string(::getpid());
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink(line->DevicePath().c_str(), link.c_str()), 0);
    EXPECT_EQ(PosixSerialPort::Open(link), nullptr);

    first->Close();
    first->Close();  // twice is harmless
    auto again = PosixSerialPort::Open(link);
    EXPECT_NE(again, nullptr);
    ::unlink(link.c_str());
}

TEST_F(TransferPosixPort, MissingDevicesAndNonTerminalsDoNotOpenAndNothingIsCreated) {
    const std::string missing = ::testing::TempDir() + "halvex-no-such-port";
    ::unlink(missing.c_str());
    EXPECT_EQ(PosixSerialPort::Open(missing), nullptr);
    EXPECT_NE(::access(missing.c_str(), F_OK), 0);

    const std::string plain = ::testing::TempDir() + "halvex-plain-file";
    std::FILE* file = std::fopen(plain.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(PosixSerialPort::Open(plain), nullptr);
    ::unlink(plain.c_str());
}

TEST_F(TransferPosixPort, OpenerFollowsTheComNameMapping) {
    PosixPortOpener opener([&](const std::string& name) -> std::optional<std::string> {
        if (name == "HALVEX_COM4") return line->DevicePath();
        return std::nullopt;
    });
    EXPECT_NE(opener.Open("COM4").port, nullptr);
    EXPECT_EQ(opener.Open("COM9").port, nullptr);
}

TEST_F(TransferPosixPort, EveryByteValuePassesUnchangedBothWays) {
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    port->SetReadTimeout(2000);
    std::string all;
    for (int value = 0; value < 256; ++value) all.push_back(static_cast<char>(value));
    ASSERT_TRUE(line->Send(all + all, 2s));
    std::uint8_t got[512] = {};
    const ReadResult read = port->Read(got, sizeof got);
    EXPECT_EQ(read.status, ReadStatus::Ok);
    ASSERT_EQ(read.count, 512u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(got), 512), all + all);

    EXPECT_TRUE(port->Write(BytesOf(all)));
    std::string back;
    std::uint8_t byte = 0;
    while (back.size() < all.size() && line->ReceiveByte(byte, 2s) == ReceiveStatus::Byte) {
        back.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(back, all);
}

TEST_F(TransferPosixPort, ShortReadAfterTheTotalTimeOutIsNotAFailure) {
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    port->SetReadTimeout(150);
    ASSERT_TRUE(line->Send("\x06x", 1s));
    std::uint8_t got[3] = {};
    const auto start = std::chrono::steady_clock::now();
    const ReadResult read = port->Read(got, 3);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 140ms);
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.count, 2u);
    EXPECT_EQ(got[0], 0x06);
    EXPECT_EQ(got[1], 'x');
    // An empty line reads as a time-out too.
    EXPECT_EQ(port->Read(got, 1).count, 0u);
}

TEST_F(TransferPosixPort, HangUpIsAReadFailureAfterTheDeliveredBytes) {
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    port->SetReadTimeout(5000);
    ASSERT_TRUE(line->Send("ab", 1s));
    std::uint8_t got[2] = {};
    ASSERT_EQ(port->Read(got, 1).count, 1u);  // 'b' now sits in the port, 'a' was handed out
    line->Hangup();
    const auto start = std::chrono::steady_clock::now();
    ReadResult read = port->Read(got, 1);
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(got[0], 'b');
    read = port->Read(got, 1);
    EXPECT_EQ(read.status, ReadStatus::Failed);
    EXPECT_EQ(read.count, 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);  // not the 5 s time-out
    // A vanished device takes nothing and says so (the kernel may still take a byte while the
    // hang-up is under way, hence the retries).
    bool writeFailed = false;
    for (int attempt = 0; attempt < 100 && !writeFailed; ++attempt) {
        writeFailed = !port->Write(BytesOf("\x06"));
        if (!writeFailed) std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(writeFailed);
    // Bytes still waiting when the line went away never leave.
    port->SetOutputCounterForTesting([] { return 10; });
    EXPECT_FALSE(port->DrainOutput());
}

TEST_F(TransferPosixPort, AbortWakesABlockedReadAndFailsEveryLaterCall) {
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    port->SetReadTimeout(20000);
    std::atomic<bool> reading{false};
    ReadResult read{ReadStatus::Ok, 99};
    std::thread reader([&] {
        std::uint8_t byte = 0;
        reading = true;
        read = port->Read(&byte, 1);
    });
    while (!reading) std::this_thread::yield();
    std::this_thread::sleep_for(50ms);
    port->Abort();
    reader.join();
    EXPECT_EQ(read.status, ReadStatus::Failed);
    ASSERT_TRUE(line->Send("z", 1s));
    std::uint8_t byte = 0;
    EXPECT_EQ(port->Read(&byte, 1).status, ReadStatus::Failed);
}

TEST_F(TransferPosixPort, AbortWakesAWriteBlockedOnAFullLine) {
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    std::atomic<std::size_t> written{0};
    // The simulator never reads, so the line fills up and a write blocks.
    std::thread writer([&] {
        for (int i = 0; i < (1 << 22); ++i) {
            port->Write(BytesOf("w"));
            ++written;
        }
    });
    std::size_t before = 0;
    do {
        before = written;
        std::this_thread::sleep_for(100ms);
    } while (written != before);
    port->Abort();
    writer.join();
    EXPECT_LT(before, std::size_t{1} << 22);
}

TEST_F(TransferPosixPort, AbortEndsADrainThatALineHeldByFlowControlWouldNeverFinish) {
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    port->SetOutputCounterForTesting([] { return 100; });  // nothing ever leaves
    std::atomic<bool> drained{false};
    std::chrono::steady_clock::time_point returned;
    std::thread drainer([&] {
        drained = port->DrainOutput();
        returned = std::chrono::steady_clock::now();
    });
    std::this_thread::sleep_for(300ms);
    const auto aborted = std::chrono::steady_clock::now();
    port->Abort();
    drainer.join();
    EXPECT_FALSE(drained);
    EXPECT_LT(returned - aborted, 100ms);
}

TEST_F(TransferPosixPort, ClosingWithOutputThatNeverLeavesWaitsBoundedOrNotAtAllWhenAborted) {
    using Clock = std::chrono::steady_clock;
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    port->SetOutputCounterForTesting([] { return 10; });  // a line held by flow control
    auto start = Clock::now();
    port->Close();  // after a normal end: what the bytes need, plus two seconds
    EXPECT_GE(Clock::now() - start, 2s);
    EXPECT_LT(Clock::now() - start, 10s);

    port = OpenPort();
    ASSERT_NE(port, nullptr);
    port->SetOutputCounterForTesting([] { return 10; });
    port->Abort();  // a stopped transfer, or the program closing
    start = Clock::now();
    port->Close();
    EXPECT_LT(Clock::now() - start, 1s);
    EXPECT_NE(OpenPort(), nullptr);  // released either way
}

TEST_F(TransferPosixPort, TheOpenerSaysWhyADeviceDidNotOpen) {
    const std::string missing = ::testing::TempDir() + "halvex-unplugged-adapter";
    ::unlink(missing.c_str());
    auto holder = OpenPort();
    ASSERT_NE(holder, nullptr);
    PosixPortOpener opener([&](const std::string& name) -> std::optional<std::string> {
        if (name == "HALVEX_COM1") return missing;
        if (name == "HALVEX_COM2") return line->DevicePath();
        return std::nullopt;
    });
    const PortOpenResult unplugged = opener.Open("COM1");
    EXPECT_EQ(unplugged.port, nullptr);
    EXPECT_EQ(unplugged.device, missing);
    EXPECT_NE(unplugged.failure.find("Is the adapter plugged in?"), std::string::npos)
        << unplugged.failure;
    const PortOpenResult held = opener.Open("COM2");
    EXPECT_EQ(held.port, nullptr);
    EXPECT_NE(held.failure.find("held by another program"), std::string::npos) << held.failure;
}

TEST_F(TransferPosixPort, LineSettingsAreReadBackAndTheRestIsLeftAsFound) {
    // Hardware flow control and software flow control switched on before the program opens.
    {
        const int fd = ::open(line->DevicePath().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios t{};
        ASSERT_EQ(::tcgetattr(fd, &t), 0);
        t.c_cflag |= CRTSCTS | HUPCL;
        t.c_iflag |= IXON | ICRNL | ISTRIP;
        t.c_oflag |= OPOST;
        t.c_lflag |= ICANON | ECHO;
        ASSERT_EQ(::tcsetattr(fd, TCSANOW, &t), 0);
        ::close(fd);
    }
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    const LineSettings wanted{115200, 8, Parity::None, 2};
    EXPECT_TRUE(port->SetLineSettings(wanted));
    LineSettings read;
    ASSERT_TRUE(port->GetLineSettings(read));
    EXPECT_EQ(read, wanted);

    const termios t = SlaveSettings();
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_cflag & HUPCL);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    EXPECT_FALSE(t.c_iflag & (IXON | ICRNL | ISTRIP));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST_F(TransferPosixPort, SettingsTheDriverDoesNotTakeAreReportedAsFailure) {
    // A pseudo-terminal always keeps 8 data bits and no parity.
    auto port = OpenPort();
    ASSERT_NE(port, nullptr);
    EXPECT_FALSE(port->SetLineSettings({9600, 7, Parity::None, 1}));
    EXPECT_FALSE(port->SetLineSettings({9600, 8, Parity::Even, 1}));
    EXPECT_FALSE(port->SetLineSettings({12345, 8, Parity::None, 1}));
    EXPECT_TRUE(port->SetLineSettings({1200, 8, Parity::None, 1}));
    EXPECT_TRUE(port->SetupQueues(128, 128));
}

}  // namespace
}  // namespace halvex
