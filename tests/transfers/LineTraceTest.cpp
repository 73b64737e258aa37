// The line trace: its text, reading it back, and what a traced port records of each operation.

#include <gtest/gtest.h>

#include "support/FakeSerialPort.h"
#include "transfers/LineTrace.h"
#include "transfers/TracedPort.h"

namespace halvex {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using namespace std::string_literals;

std::span<const std::uint8_t> Bytes(const std::string& text) { return BytesOf(text); }

TraceHeader UploadHeader() {
    CommSettingsValues settings;
    settings.Protocol = 1;
    return {"halvex 1.0.0", "Upload Tamsel Coordinate", std::nullopt, settings,
            sys_days{2026y / 12 / 7} + 18h + 30min + 5s + 700ms};
}

// The trace's lines after the header, with the time column left out.
std::vector<std::string> BodyWithoutTimes(const std::string& text) {
    std::vector<std::string> body;
    std::size_t start = text.find("# start: ");
    start = text.find('\n', start) + 1;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line[0] != '#') {  // "> 41 42"
            line = line.substr(9, line.find(" |") - 9);
            while (line.back() == ' ') line.pop_back();
        }
        body.push_back(line);
    }
    return body;
}

TEST(LineTrace, WritesHeaderChunksEventsAndOneEnd) {
    LineTrace trace(UploadHeader());
    CommSettingsValues settings = UploadHeader().settings;
    settings.BaudIndex = 3;
    settings.ParityIndex = 2;
    settings.DataBitsIndex = 0;
    const auto opened = LineTrace::Clock::time_point{} + 1h;
    trace.PortRequested({"COM1", "/dev/ttyUSB0"}, settings, true, opened);
    trace.Bytes(TraceDirection::Sent, Bytes("\x02"s + "F00F000\x03\r\n0123456789"), opened);
    trace.Event("drained");
    // Received within one millisecond, nothing between: one chunk.
    trace.Bytes(TraceDirection::Received, Bytes("\x06"), opened + 153ms);
    trace.Bytes(TraceDirection::Received, Bytes("~\x7f"), opened + 153ms + 400us);
    trace.Bytes(TraceDirection::Received, Bytes("|"), opened + 12345678ms);
    EXPECT_TRUE(trace.End("failed: Fail to receive the returned signal"));
    EXPECT_FALSE(trace.End("completed"));
    trace.Event("too late");

    EXPECT_EQ(trace.Text(),
              "# halvex line trace 1\n"
              "# program: halvex 1.0.0\n"
              "# command: Upload Tamsel Coordinate\n"
              "# port: COM1 /dev/ttyUSB0\n"
              "# line: 9600 7E1\n"
              "# protocol: Ack/Nak\n"
              "# time-out: 10 s\n"
              "# delay: 800 ms\n"
              "# start: 2026-12-07T18:30:05Z\n"
              "   0.000 > 02 46 30 30 46 30 30 30 03 0d 0a 30 31 32 33 34 |.F00F000...01234|\n"
              "   0.000 > 35 36 37 38 39                                  |56789|\n"
              "# drained\n"
              "   0.153 < 06 7e 7f                                        |.~.|\n"
              "12345.678 < 7c                                              |||\n"
              "# end: failed: Fail to receive the returned signal\n");
}

TEST(LineTrace, ReadsBackTheDataLinesAndNamesAMalformedLine) {
    LineTrace trace(UploadHeader());
    const auto opened = LineTrace::Clock::now();
    trace.PortRequested({"", "/dev/pts/3"}, {}, true, opened);
    const std::string frame = "\x02" + std::string(17, 'A') + "\r\n";
    trace.Bytes(TraceDirection::Sent, Bytes(frame), opened);
    trace.Bytes(TraceDirection::Received, Bytes("\x06|"), opened + 2500ms);
    trace.End("completed");
    const std::string text = trace.Text();
    EXPECT_NE(text.find("# port: /dev/pts/3\n"), std::string::npos);

    const ParsedTrace parsed = ParseTrace(text);
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.data.size(), 3u);
    EXPECT_EQ(parsed.data[0].bytes + parsed.data[1].bytes, frame);
    EXPECT_EQ(parsed.data[1].lineNumber, 11u);
    EXPECT_EQ(parsed.data[2].direction, TraceDirection::Received);
    EXPECT_EQ(parsed.data[2].at, 2500ms);
    EXPECT_EQ(parsed.data[2].bytes, "\x06|");

    EXPECT_EQ(ParseTrace("hello\n").error, "line 1: not a halvex line trace of version 1");
    const std::string head = "# halvex line trace 1\n# a note\n";
    EXPECT_EQ(ParseTrace(head + "   0.000 > 0g |.|\n").error, "line 3: '0g' is not a byte in hex");
    EXPECT_EQ(ParseTrace(head + "   0.5 < 06\n").error,
              "line 3: the time is not seconds with three decimals");
    EXPECT_EQ(ParseTrace(head + "   0.500 = 06\n").error,
              "line 3: the direction is neither > nor <");
}

TEST(LineTrace, TheTracedPortRecordsEveryOperationAndPassesItOn) {
    testing::FakePortOpener ports;
    std::shared_ptr<testing::FakeSerialPort> fake = ports.Add("COM2");
    CommSettings settings;
    LineTrace trace(UploadHeader());
    TracedPortOpener opener(ports, settings, trace);
    PortOpenResult opened = opener.Open("COM2");
    ASSERT_TRUE(opened.port);
    SerialPort& port = *opened.port;

    EXPECT_TRUE(port.Write(Bytes("AB")));
    EXPECT_TRUE(port.DrainOutput());
    fake->QueueInput("xy");
    std::uint8_t buffer[3] = {};
    EXPECT_EQ(port.Read(buffer, 3).count, 2u);
    fake->FailReadsWhenEmpty(true);
    EXPECT_EQ(port.Read(buffer, 1).status, ReadStatus::Failed);
    fake->FailWritesAfter(2);
    EXPECT_FALSE(port.Write(Bytes("C")));
    port.Abort();
    port.Abort();
    port.Close();
    trace.End("stopped");

    EXPECT_EQ(fake->Written(), "AB");
    EXPECT_TRUE(fake->Closed());
    const std::string text = trace.Text();
    EXPECT_NE(text.find("# port: COM2 fake:COM2\n"), std::string::npos);
    EXPECT_EQ(
        BodyWithoutTimes(text),
        (std::vector<std::string>{"> 41 42", "# drained", "< 78 79", "# time-out", "# read failed",
                                  "> 43", "# write failed", "# stopped", "# end: stopped"}));
}

}  // namespace
}  // namespace halvex
