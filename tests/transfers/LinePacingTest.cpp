// Pacing on a line with a speed, which a pseudo-terminal cannot show: the per-record pause and
// the reply time-out count from when a frame has left the port, not from when it was queued.

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/FakeLinePort.h"
#include "support/FakeSerialPort.h"
#include "support/TransferModes.h"
#include "transfers/DownloadWorker.h"
#include "transfers/UploadWorker.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using testing::FakeLinePort;
using testing::LineTime;
using testing::WireByte;

struct LineFixture {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;  // COM1 at 1200 baud, 8 data bits, no parity, one stop bit
    testing::FakePortOpener ports;
    WorkerRegistry workers;
    std::shared_ptr<FakeLinePort> line = std::make_shared<FakeLinePort>();

    LineFixture() { ports.Install("COM1", line); }
    TransferEnvironment Env() { return {editor, dialogs, settings, ports, workers}; }
    void Upload(std::int16_t mode, std::uint8_t siteHeader, std::string queue) {
        UploadWorker(Env(),
                     TransferFields{testing::FamilyForMode(mode), siteHeader, std::move(queue)},
                     [this](std::chrono::milliseconds ms) { line->Pause(ms); });
    }
};

std::string Records(int count, std::size_t length) {
    std::string queue;
    for (int i = 0; i < count; ++i)
        queue += std::string(length, static_cast<char>('A' + i)) + '\x02';
    return queue;
}

TEST(LinePacing, RecordsAreSeparatedOnTheWireByTheLineDelay) {
    LineFixture f;
    f.settings.LineDelayMs = 800;
    // A Tamsel coordinate upload without handshake: job header, 128-byte records (about 1.1 s
    // each on the line), trailer; all of it fits into the driver's queue at once.
    f.Upload(1, 1, Records(3, 128));
    ASSERT_EQ(f.dialogs.Texts().back(), kCommunicationFinished);

    const std::vector<WireByte>& wire = f.line->Wire();
    int gaps = 0;
    for (std::size_t i = 0; i + 1 < wire.size(); ++i) {
        if (wire[i].byte != kLf) continue;
        ++gaps;
        EXPECT_GE(wire[i + 1].start - wire[i].end, LineTime(800ms)) << "after frame " << gaps;
    }
    EXPECT_EQ(gaps, 5);  // two header records and three data records, each before the next frame
}

TEST(LinePacing, TheReplyTimeOutCountsFromTheFramesLastByte) {
    LineFixture f;
    f.settings.Protocol = 1;
    f.settings.TimeoutSeconds = 1;
    // The instrument answers half a second after a frame has arrived, and a frame of a 128-byte
    // record needs more than a second on the line.
    f.line->OnSent([](const WireByte& sent, FakeLinePort& line) {
        if (sent.byte == kLf) line.Arrive("\x06\x06\x06", sent.end + LineTime(500ms));
    });
    f.Upload(1, 0, Records(2, 128));
    EXPECT_EQ(f.dialogs.Texts(), (std::vector<std::string>{kUploadPrompt, kCommunicationFinished}));
    ASSERT_EQ(f.line->Reads().size(), 2u);
    std::vector<LineTime> frameEnds;
    for (const WireByte& sent : f.line->Wire()) {
        if (sent.byte == kLf) frameEnds.push_back(sent.end);
    }
    EXPECT_EQ(f.line->Reads()[0].at, frameEnds[0]);
    EXPECT_EQ(f.line->Reads()[1].at, frameEnds[1]);
}

TEST(LinePacing, ADownloadWaitsForItsEnqAndAcksToLeaveBeforeTheNextRead) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    settings.Protocol = 1;
    testing::FakePortOpener ports;
    WorkerRegistry workers;
    auto device = ports.Add("COM1");
    device->QueueInput("a\nb\n\x04");
    DownloadWorker({editor, dialogs, settings, ports, workers}, InstrumentFamily::Tamsel);
    EXPECT_EQ(device->Written(), "\x05\x06\x06");
    // Drained after ENQ (before the first read) and after each ACK (after the LF's read, before
    // the next one).
    using Drain = testing::FakeSerialPort::Drain;
    EXPECT_EQ(device->Drains(), (std::vector<Drain>{{1, 0}, {2, 2}, {3, 4}}));
}

}  // namespace
}  // namespace halvex
