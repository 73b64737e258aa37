// The simulated instrument's receiving side must itself catch faults on the line, or the upload
// tests that rely on it would pass on a wrong sender. Here the program's side writes frames by
// hand through the POSIX port.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "port/PosixSerialPort.h"
#include "station/lib/UploadReceiver.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using station::Family;

struct ReceiverCase {
    const char* label;
    Family family;
    bool ackNak;
    std::vector<std::string> frames;  // written in turn; under Ack/Nak each waits for its reply
    std::string replies;              // what the instrument answered, in order
    std::vector<std::string> records;
    bool trailer;
    std::string errorStart;  // empty: no fault expected
};

TEST(TransferStationReceiver, ChecksFramingDecorationAndAnswers) {
    // clang-format off
    const std::vector<ReceiverCase> cases = {
        {"Tamsel records and trailer", Family::Tamsel, false,
         {"\x02" "abc0080\x03\r\n", "\x02" "A1112\x03\r\n", "\x02\x04\x03\r\n"}, "",
         {"abc", "A"}, true, ""},
        {"Tamsel job header", Family::Tamsel, true,
         {"\x02" "F00F000\x03\r\n", "\x02" "abc0080\x03\r\n"}, "\x06" "00\x06" "00",
         {"F00F000", "abc"}, false, ""},
        {"Tamsel wrong sequence digit", Family::Tamsel, false, {"\x02" "abc1081\x03\r\n"}, "",
         {}, false, "frame 1: sequence digit 1"},
        {"Tamsel wrong checksum gets NAK", Family::Tamsel, true,
         {"\x02" "abc0081\x03\r\n", "\x02" "abc0080\x03\r\n"}, "\x15" "00\x06" "00", {"abc"},
         false, "frame 1: checksum 081"},
        {"bytes before STX", Family::Tamsel, false, {"x\x02" "abc0080\x03\r\n"}, "", {"abc"},
         false, "expected STX"},
        {"Brenno sum bytes CR and LF", Family::Brenno, true,
         {"\xe1,\r\r\n", "\xde,\n\r\n", "abc,\x52\r\n"}, "\x06\x06\x06",
         {"\xe1", "\xde", "abc"}, false, ""},
        {"Brenno wrong sum gets NAK", Family::Brenno, true, {"abc,\x53\r\n"}, "\x15", {}, false,
         "frame 1: no valid sum byte"},
        {"Brenno without handshake", Family::Brenno, false, {"/Dg 1,2,3,P\r\n", "x,y\r\n"}, "",
         {"/Dg 1,2,3,P", "x,y"}, false, ""},
        {"Corvane records and trailer", Family::Corvane, true, {"R1\r\n", "\x04\r\n"}, "",
         {"R1"}, true, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::string error;
        auto line = station::StationLine::CreatePseudoTerminal(error);
        ASSERT_NE(line, nullptr) << error;
        auto port = PosixSerialPort::Open(line->DevicePath());
        ASSERT_NE(port, nullptr) << c.label;
        port->SetReadTimeout(5000);

        station::UploadScript script;
        script.family = c.family;
        script.ackNak = c.ackNak;
        script.timeout = 10s;
        script.idle = 500ms;
        station::UploadOutcome outcome;
        std::thread instrument([&] { outcome = station::ReceiveUpload(*line, script); });

        std::string replies;
        const bool answers = c.ackNak && c.family != Family::Corvane;
        for (const auto& frame : c.frames) {
            port->Write(BytesOf(frame));
            if (!answers) continue;
            std::uint8_t reply[3] = {};
            const std::size_t size = c.family == Family::Tamsel ? 3 : 1;
            ReadResult got = port->Read(reply, size);
            replies.append(reinterpret_cast<char*>(reply), got.count);
        }
        instrument.join();
        port->Close();

        EXPECT_EQ(replies, c.replies) << c.label;
        std::vector<std::string> records;
        for (const auto& record : outcome.records) records.push_back(record.data);
        EXPECT_EQ(records, c.records) << c.label;
        EXPECT_EQ(outcome.trailerSeen, c.trailer) << c.label;
        EXPECT_EQ(outcome.ok, c.errorStart.empty()) << c.label;
        EXPECT_EQ(outcome.error.substr(0, c.errorStart.size()), c.errorStart) << c.label;
    }
}

}  // namespace
}  // namespace halvex
