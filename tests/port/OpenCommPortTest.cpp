#include <gtest/gtest.h>

#include "port/OpenCommPort.h"
#include "support/FakeDialogs.h"
#include "support/FakeSerialPort.h"

namespace halvex {
namespace {

using testing::FakeDialogs;
using testing::FakePortOpener;
using testing::FakeSerialPort;

class OpenCommPortTest : public ::testing::Test {
protected:
    std::unique_ptr<SerialPort> Open() { return OpenCommPort(settings, opener, dialogs); }

    CommSettings settings;
    FakePortOpener opener;
    FakeDialogs dialogs;
};

TEST_F(OpenCommPortTest, AppliesTheMappedLineSettingsQueuesAndTimeout) {
    auto device = opener.Add("COM3");
    settings.PortIndex = 2;
    settings.BaudIndex = 7;
    settings.DataBitsIndex = 0;
    settings.ParityIndex = 2;
    settings.StopBitsIndex = 1;
    settings.TimeoutSeconds = 1;
    auto port = Open();
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(device->Settings(), (LineSettings{115200, 7, Parity::Even, 2}));
    EXPECT_EQ(device->QueueIn(), 128u);
    EXPECT_EQ(device->QueueOut(), 128u);
    EXPECT_EQ(device->ReadTimeoutMs(), 1000u);
    EXPECT_FALSE(device->Closed());
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(opener.OpenedNames(), std::vector<std::string>{"COM3"});
}

TEST_F(OpenCommPortTest, LargestTimeoutGivesAMillionMilliseconds) {
    auto device = opener.Add("COM1");
    settings.TimeoutSeconds = 1000;
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(device->ReadTimeoutMs(), 1'000'000u);
}

TEST_F(OpenCommPortTest, ReadsTheSettingsLiveAtEachOpen) {
    auto device = opener.Add("COM1");
    auto first = Open();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(device->Settings().baudRate, 1200u);
    first->Close();
    settings.BaudIndex = 3;
    settings.TimeoutSeconds = 5;
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(device->Settings().baudRate, 9600u);
    EXPECT_EQ(device->ReadTimeoutMs(), 5000u);
}

TEST_F(OpenCommPortTest, EachFailureShowsItsMessageAndLeavesThePortClosed) {
    enum class Fault { Missing, Held, Queues, LineSettings, IndexOutOfRange };
    struct Row {
        Fault fault;
        const char* message;
        int expectedCloses;  // of the fake device, when it was opened
    };
    const Row rows[] = {
        {Fault::Missing, "Cannot found COMM port!", 0},
        {Fault::Held, "Cannot found COMM port!", 0},
        {Fault::Queues, "Cannot found buffer!", 1},
        {Fault::LineSettings, "Cannot set COMM parameter!", 1},
        {Fault::IndexOutOfRange, "Cannot found COMM port!", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        FakePortOpener ports;
        FakeDialogs shown;
        CommSettings live;
        std::shared_ptr<FakeSerialPort> device;
        std::unique_ptr<SerialPort> holder;
        if (row.fault != Fault::Missing) device = ports.Add("COM1");
        if (row.fault == Fault::Held) holder = ports.Open("COM1").port;
        if (row.fault == Fault::Queues) device->FailSetupQueues(true);
        if (row.fault == Fault::LineSettings) device->FailSetLineSettings(true);
        if (row.fault == Fault::IndexOutOfRange) live.PortIndex = -1;

        // The port must still be open while the message is up, and closed after it.
        bool openWhileShown = false;
        shown.OnMessage(
            [&](const testing::ShownMessage&) { openWhileShown = device && !device->Closed(); });
        EXPECT_EQ(OpenCommPort(live, ports, shown), nullptr);
        ASSERT_EQ(shown.Messages().size(), 1u);
        EXPECT_EQ(shown.Messages()[0].text, row.message);
        EXPECT_EQ(shown.Messages()[0].caption, "Veltra");
        EXPECT_EQ(shown.Messages()[0].icon, MessageIcon::Warning);
        if (row.fault == Fault::Queues || row.fault == Fault::LineSettings) {
            EXPECT_TRUE(openWhileShown);
            EXPECT_EQ(device->CloseCount(), row.expectedCloses);
            // The exclusive hold has ended: the device can be opened again.
            EXPECT_NE(ports.Open("COM1").port, nullptr);
        }
    }
}

TEST_F(OpenCommPortTest, FailuresSayWhyBelowTheMessage) {
    FakeDialogs missing;
    EXPECT_EQ(OpenCommPort(settings, opener, missing), nullptr);
    ASSERT_EQ(missing.Messages().size(), 1u);
    EXPECT_EQ(missing.Messages()[0].details, "fake:COM1 does not exist");

    auto device = opener.Add("COM1");
    device->FailSetLineSettings(true);  // keeps reporting its 9600 baud, 8N1
    settings.DataBitsIndex = 0;
    EXPECT_EQ(Open(), nullptr);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].details.rfind("fake:COM1 does not take 1200 baud and 7 data "
                                                  "bits.",
                                                  0),
              0u)
        << dialogs.Messages()[0].details;
}

TEST_F(OpenCommPortTest, KeepsWhatTheDriverReportsBeyondTheFourFields) {
    // The fake only has the four fields; what matters is that the request starts from what was
    // read, so a read of 7E2 at 9600 becomes exactly the mapped values.
    auto device = opener.Add("COM1");
    device->SetInitialSettings({9600, 7, Parity::Even, 2});
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(device->Settings(), (LineSettings{1200, 8, Parity::None, 1}));
}

TEST(ReadTimeoutMs, ConvertsSecondsAndClampsNonsense) {
    EXPECT_EQ(ReadTimeoutMsFor(1), 1000u);
    EXPECT_EQ(ReadTimeoutMsFor(10), 10000u);
    EXPECT_EQ(ReadTimeoutMsFor(0), 0u);
    EXPECT_EQ(ReadTimeoutMsFor(-3), 0u);
    EXPECT_EQ(ReadTimeoutMsFor(std::numeric_limits<std::int32_t>::max()),
              std::numeric_limits<std::uint32_t>::max());
}

}  // namespace
}  // namespace halvex
