// Line traces recorded with halvex-transfer against the simulated instrument, one or two per
// family (tests/data/traces), played back by halvex-station's replay against halvex-transfer:
// the program must send exactly what it sent when the trace was made. A trace with one byte
// changed must fail, naming that byte.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "ToolProcess.h"
#include "port/SerialPort.h"
#include "station/lib/TraceReplay.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using Args = std::vector<std::string>;

const std::string kTraces = HALVEX_TEST_DATA_DIR "/traces/";

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct Recorded {
    const char* name;  // of the trace file, without ".trace"
    Args transfer;     // the halvex-transfer command it was recorded with, without --device
};

const Recorded kRecorded[] = {
    {"tamsel-download-acknak", {"download", "--family", "tamsel", "--protocol", "acknak"}},
    {"tamsel-upload-acknak",
     {"upload", "tamsel-coordinate", kTraces + "points.txt", "--protocol", "acknak"}},
    {"brenno-download", {"download", "--family", "brenno"}},
    {"brenno-upload-acknak",
     {"upload", "brenno-coordinate", kTraces + "points.txt", "--protocol", "acknak"}},
    {"corvane-upload", {"upload", "other-data", kTraces + "points.txt", "--delay", "1"}},
};

class RecordedTrace : public ::testing::TestWithParam<Recorded> {};

TEST_P(RecordedTrace, ReplaysAgainstHalvexTransfer) {
    const ParsedTrace trace = ParseTrace(FileText(kTraces + GetParam().name + ".trace"));
    ASSERT_EQ(trace.error, "");
    std::string error;
    const std::unique_ptr<station::StationLine> line =
        station::StationLine::CreatePseudoTerminal(error);
    ASSERT_NE(line, nullptr) << error;
    station::ReplayOutcome replayed;
    std::thread instrument([&] {
        replayed = station::ReplayTrace(*line, trace.data, {true, 10s, 300ms});
    });
    Args args = GetParam().transfer;
    args.insert(args.end(), {"--device", line->DevicePath(), "--timeout", "10"});
    const testing::ToolResult result = testing::RunTool(args);
    instrument.join();
    EXPECT_TRUE(replayed.same) << replayed.difference;
    EXPECT_EQ(result.status, 0) << result.err;
}

INSTANTIATE_TEST_SUITE_P(Traces, RecordedTrace, ::testing::ValuesIn(kRecorded),
                         [](const ::testing::TestParamInfo<Recorded>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) c = c == '-' ? '_' : c;
                             return name;
                         });

TEST(TraceReplay, OneChangedByteFailsAndIsNamed) {
    const ParsedTrace trace = ParseTrace(FileText(kTraces + "tamsel-upload-acknak.trace"));
    ASSERT_EQ(trace.error, "");
    // The trace again without header and events, with the last byte of the computer's first
    // record (its checksum's last digit) changed.
    std::string changed = std::string(kTraceFirstLine) + "\n";
    std::size_t position = 0;
    std::size_t changedLine = 0;
    std::size_t records = 0;
    for (TraceData data : trace.data) {
        const bool sent = data.direction == TraceDirection::Sent;
        if (sent && !changedLine && data.bytes.ends_with("\x03\r\n") && ++records == 3) {
            data.bytes[data.bytes.size() - 4] ^= 1;
            position += data.bytes.size() - 3;
            changedLine = changed.size();
        } else if (sent && !changedLine) {
            position += data.bytes.size();
        }
        AppendTraceData(changed, data.at, data.direction, BytesOf(data.bytes));
    }
    ASSERT_NE(changedLine, 0u);
    const std::string lineNumber =
        std::to_string(std::count(changed.begin(), changed.begin() + changedLine, '\n') + 1);
    const std::string path = ::testing::TempDir() + "halvex-changed.trace";
    std::ofstream(path, std::ios::binary) << changed;

    const std::string command =
        std::string(HALVEX_STATION_BIN) + " replay --fast --idle 300 " + path + " 2>&1";
    std::FILE* station = ::popen(command.c_str(), "r");
    ASSERT_NE(station, nullptr);
    char firstLine[256] = {};
    ASSERT_NE(std::fgets(firstLine, sizeof firstLine, station), nullptr);
    const std::string device(firstLine, std::strlen(firstLine) - 1);  // without its LF
    const testing::ToolResult result =
        testing::RunTool({"upload", "tamsel-coordinate", kTraces + "points.txt", "--protocol",
                          "acknak", "--timeout", "1", "--device", device});
    std::string said;
    for (char buffer[512]; std::fgets(buffer, sizeof buffer, station) != nullptr;) said += buffer;
    const int status = ::pclose(station);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(said.find("the computer's byte " + std::to_string(position) + " (trace line " +
                        lineNumber + ") differs"),
              std::string::npos)
        << said;
    EXPECT_EQ(result.status, 1);  // the instrument never answered the changed frame
}

}  // namespace
}  // namespace halvex
