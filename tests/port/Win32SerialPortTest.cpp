// The Windows port through the communications calls, run under Wine against a loopback plug on a
// pseudo-terminal (scripts/wine-run.sh --loopback): what the port writes comes back to it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "port/ComPortName.h"
#include "port/Win32SerialPort.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class TransferWin32Port : public ::testing::Test {
protected:
    void SetUp() override {
        const char* name = std::getenv("HALVEX_LOOPBACK_PORT");
        if (name == nullptr) GTEST_SKIP() << "no loopback plug (run through scripts/wine-run.sh)";
        portName = name;
        port = OpenPort();
        ASSERT_NE(port, nullptr);
        ASSERT_TRUE(port->SetLineSettings({9600, 8, Parity::None, 1}));
        // Whatever an earlier test left on the line.
        port->SetReadTimeout(50);
        std::uint8_t stale[256];
        while (port->Read(stale, sizeof stale).count > 0) continue;
    }

    std::unique_ptr<Win32SerialPort> OpenPort(unsigned long* error = nullptr) {
        return Win32SerialPort::Open(ComDeviceName(portName), error);
    }

    std::string portName;
    std::unique_ptr<Win32SerialPort> port;
};

TEST_F(TransferWin32Port, EveryByteValuePassesUnchangedBothWays) {
    ASSERT_TRUE(port->SetupQueues(128, 128));
    port->SetReadTimeout(3000);
    std::string all;
    for (int value = 0; value < 256; ++value) all.push_back(static_cast<char>(value));
    ASSERT_TRUE(port->Write(BytesOf(all + all)));
    EXPECT_TRUE(port->DrainOutput());
    std::string back(512, '\0');
    const ReadResult read = port->Read(reinterpret_cast<std::uint8_t*>(back.data()), back.size());
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.count, 512u);
    EXPECT_EQ(back, all + all);
}

TEST_F(TransferWin32Port, AReadEndsAfterTheTotalTimeOutWithWhatArrived) {
    port->SetReadTimeout(300);
    ASSERT_TRUE(port->Write(BytesOf("\x06x")));
    std::uint8_t got[3] = {};
    const auto start = Clock::now();
    const ReadResult read = port->Read(got, 3);
    const auto took = Clock::now() - start;
    EXPECT_EQ(read.status, ReadStatus::Ok);
    ASSERT_EQ(read.count, 2u);
    EXPECT_EQ(got[0], 0x06);
    EXPECT_EQ(got[1], 'x');
    EXPECT_GE(took, 280ms);
    EXPECT_LT(took, 2s);
    EXPECT_EQ(port->Read(got, 1).count, 0u);  // an empty line reads as a time-out too
}

TEST_F(TransferWin32Port, AbortEndsAWaitingReadAtOnceAndFailsEveryLaterCall) {
    port->SetReadTimeout(20000);
    std::atomic<bool> reading{false};
    ReadResult read{ReadStatus::Ok, 99};
    Clock::time_point returned;
    std::thread reader([&] {
        std::uint8_t byte = 0;
        reading = true;
        read = port->Read(&byte, 1);
        returned = Clock::now();
    });
    while (!reading) std::this_thread::yield();
    std::this_thread::sleep_for(200ms);
    const auto aborted = Clock::now();
    port->Abort();
    reader.join();
    EXPECT_EQ(read.status, ReadStatus::Failed);
    EXPECT_LT(returned - aborted, 1s);
    EXPECT_FALSE(port->Write(BytesOf("z")));
    std::uint8_t byte = 0;
    EXPECT_EQ(port->Read(&byte, 1).status, ReadStatus::Failed);
}

TEST_F(TransferWin32Port, AbortEndsADrainThatALineHeldByFlowControlWouldNeverFinish) {
    port->SetOutputCounterForTesting([] { return 100; });  // nothing ever leaves
    std::atomic<bool> drained{true};
    Clock::time_point returned;
    std::thread drainer([&] {
        drained = port->DrainOutput();
        returned = Clock::now();
    });
    std::this_thread::sleep_for(300ms);
    const auto aborted = Clock::now();
    port->Abort();
    drainer.join();
    EXPECT_FALSE(drained);
    EXPECT_LT(returned - aborted, 200ms);
    const auto closing = Clock::now();
    port->Close();  // an aborted port discards what waits and closes at once
    EXPECT_LT(Clock::now() - closing, 1s);
    EXPECT_NE(OpenPort(), nullptr);
}

TEST_F(TransferWin32Port, LineSettingsAreReadBack) {
    EXPECT_TRUE(port->SetLineSettings({115200, 8, Parity::None, 2}));
    LineSettings read;
    ASSERT_TRUE(port->GetLineSettings(read));
    EXPECT_EQ(read, (LineSettings{115200, 8, Parity::None, 2}));
}

TEST_F(TransferWin32Port, APortThatDoesNotExistSaysWhereToLook) {
    Win32PortOpener opener;
    const PortOpenResult missing = opener.Open("COM6");  // mapped to nothing
    EXPECT_EQ(missing.port, nullptr);
    EXPECT_EQ(missing.failure.rfind("COM6: ", 0), 0u) << missing.failure;
    EXPECT_NE(missing.failure.find("Device Manager"), std::string::npos) << missing.failure;
}

}  // namespace
}  // namespace halvex
