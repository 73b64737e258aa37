// halvex-transfer itself, over pseudo-terminals against the simulated instrument: the exchange
// on the line, the text it writes, its messages and exit statuses, and that the window's
// commands put the same bytes on the line.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "ToolProcess.h"
#include "common/Version.h"
#include "port/OpenCommPort.h"
#include "port/ParameterValidation.h"
#include "port/PosixSerialPort.h"
#include "station/lib/DownloadScript.h"
#include "station/lib/UploadReceiver.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "transfers/DownloadWorker.h"
#include "transfers/TraceFormat.h"
#include "transfers/UploadWorker.h"
#include "upload/UploadCommand.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using station::Family;
using station::StationLine;
using testing::RunTool;
using testing::ToolResult;

using Args = std::vector<std::string>;
using Instrument = std::function<void(StationLine&)>;

const std::string kStationFirst = kDownloadPromptStationFirst + "\n"s;
const std::string kComputerFirst = kDownloadPromptComputerFirst + "\n"s;

std::string TempFile(const std::string& name, const std::string& content) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

Instrument Sends(Family family, bool ackNak, std::string data) {
    station::DownloadScript script;
    script.family = family;
    script.ackNak = ackNak;
    script.data = std::move(data);
    script.handshakeTimeout = 5s;
    return [script](StationLine& line) { station::RunDownload(line, script); };
}

Instrument Receives(Family family, bool ackNak, station::UploadOutcome* outcome = nullptr) {
    station::UploadScript script;
    script.family = family;
    script.ackNak = ackNak;
    script.timeout = 5s;
    script.idle = 500ms;
    return [script, outcome](StationLine& line) {
        const station::UploadOutcome received = station::ReceiveUpload(line, script);
        if (outcome) *outcome = received;
    };
}

// Plays `instrument` on a fresh pseudo-terminal while `computer` runs with its device path;
// returns every byte the computer wrote.
std::string OverALine(const Instrument& instrument,
                      const std::function<void(const std::string&)>& computer) {
    std::string error;
    const std::unique_ptr<StationLine> line = StationLine::CreatePseudoTerminal(error);
    if (!line) {
        ADD_FAILURE() << error;
        return {};
    }
    std::thread station([&] { instrument(*line); });
    computer(line->DevicePath());
    station.join();
    line->TakePending(20ms);
    return line->ReceivedLog();
}

std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The bytes of one direction in a line trace.
std::string Traced(const std::string& trace, TraceDirection direction) {
    const ParsedTrace parsed = ParseTrace(trace);
    EXPECT_EQ(parsed.error, "");
    std::string bytes;
    for (const TraceData& data : parsed.data) {
        if (data.direction == direction) bytes += data.bytes;
    }
    return bytes;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The tool with `args` on the line.
std::function<void(const std::string&)> Tool(const Args& args, ToolResult& result) {
    return [args, &result](const std::string& device) {
        Args all = args;
        all.insert(all.end(), {"--device", device});
        result = RunTool(all);
    };
}

TEST(TransferTool, DownloadsEachFamily) {
    struct Row {
        const char* family;
        Family stationFamily;
        bool ackNak;
        std::string data;
        std::string text;
        std::string fromComputer;
        std::string messages;
    };
    const Row rows[] = {
        {"tamsel", Family::Tamsel, true, "P1\nP2\n", "P1\n\nP2\n", "\x05\x06\x06", kStationFirst},
        {"brenno", Family::Brenno, false,
         "a\x04"
         "b\n\x00"
         "c\n"s,
         "a\x04"
         "b\n\x1a"
         "c\n",
         "", kComputerFirst + NulBytesReplacedMessage(1) + "\n"},
        {"corvane", Family::Corvane, true, "x\x03y\n", "x\x03y\n", "", kComputerFirst},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.family);
        const std::string output = ::testing::TempDir() + "halvex-transfer-" + row.family;
        ToolResult result;
        const std::string written =
            OverALine(Sends(row.stationFamily, row.ackNak, row.data),
                      Tool({"download", "--family", row.family, "--protocol",
                            row.ackNak ? "acknak" : "none", "--timeout", "5", "-o", output},
                           result));
        EXPECT_EQ(result.status, 0) << result.err;
        std::ifstream file(output, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), row.text);
        EXPECT_EQ(written, row.fromComputer);
        EXPECT_EQ(result.err, row.messages);
    }
}

TEST(TransferTool, UploadsEachFamilyAndEchoesTheRecordsSent) {
    const std::string entry = "_+P1        _ x+000200250_ y+000100500_ z-000003100_";
    struct Row {
        const char* kind;
        Family stationFamily;
        bool ackNak;
        std::string file;
        std::vector<std::string> records;  // as the instrument accepted them
    };
    const Row rows[] = {
        {"tamsel-coordinate",
         Family::Tamsel,
         true,
         "P1,,100.5,200.25,-3.1\r\n",
         {kJobHeaderFirst, kJobHeaderSecond, entry + std::string(76, ' ')}},
        {"brenno-pcode",
         Family::Brenno,
         true,
         "TREE, POLE ,WELL\r\nA,,B",
         {"/Dh TREE,POLE,WELL", "/Dh A,,B"}},
        {"other-data", Family::Corvane, false, "first\r\nsecond", {"first", "second"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        station::UploadOutcome received;
        ToolResult result;
        OverALine(Receives(row.stationFamily, row.ackNak, &received),
                  Tool({"upload", row.kind, TempFile("halvex-transfer-upload.txt", row.file),
                        "--protocol", row.ackNak ? "acknak" : "none", "--delay", "1"},
                       result));
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, kStationFirst + kCommunicationFinished + "\n");
        EXPECT_TRUE(received.ok) << received.error;
        EXPECT_EQ(received.trailerSeen, row.stationFamily != Family::Brenno);
        std::string echo;
        std::vector<std::string> accepted;
        for (const station::ReceivedRecord& record : received.records) {
            accepted.push_back(record.data);
            if (!record.jobHeader) echo += record.data + "\r\n";
        }
        EXPECT_EQ(accepted, row.records);
        EXPECT_EQ(result.out, echo);
    }
}

TEST(TransferTool, PutsTheSameBytesOnTheLineAsTheWindowsUploadCommand) {
    const std::string points = "P1,,100.5,200.25,-3.1\r\nP2,K,1,2,3\r\nP3,K,-7.25,8,9\r\n";
    // The window's path: the core's command frame as the view runs it, COM1 mapped to the line.
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    settings.Protocol = 1;
    WorkerRegistry workers;
    editor.SetText(points);
    const std::string fromWindow = OverALine(Receives(Family::Tamsel, true), [&](const std::string&
                                                                                     device) {
        PosixPortOpener ports([device](const std::string&) { return device; });
        RunUploadCommand(UploadKind::TamselCoordinate, {editor, dialogs, settings, ports, workers});
        workers.WaitIdle();
    });
    ToolResult tool;
    EXPECT_EQ(OverALine(Receives(Family::Tamsel, true),
                        Tool({"upload", "tamsel-coordinate",
                              TempFile("halvex-transfer-same.txt", points), "--protocol", "acknak"},
                             tool)),
              fromWindow);
    EXPECT_EQ(tool.out, editor.Text());
}

TEST(TransferTool, ATimeOutOrAHangUpFailsAndKeepsTheLinesReceived) {
    const Instrument stopsShort = [](StationLine& line) { line.Send("A\nB\nC", 5s); };
    const Instrument hangsUp = [](StationLine& line) {
        line.Send("A\nB\nC", 5s);
        line.Hangup();
    };
    const std::pair<Instrument, std::string> rows[] = {
        {stopsShort, kCommunicationTimeOutMessage},
        {hangsUp, kCommunicationFailedMessage},
    };
    for (const auto& [instrument, message] : rows) {
        ToolResult result;
        OverALine(instrument, Tool({"download", "--family", "brenno", "--timeout", "1"}, result));
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "A\nB\n");
        EXPECT_EQ(result.err, kComputerFirst + message + "\n");
    }
}

TEST(TransferTool, CtrlCStopsADownloadAndWritesItsCompleteLines) {
    std::string error;
    const std::unique_ptr<StationLine> line = StationLine::CreatePseudoTerminal(error);
    ASSERT_NE(line, nullptr) << error;
    testing::ToolProcess tool({"download", "--family", "tamsel", "--protocol", "acknak",
                               "--timeout", "30", "--device", line->DevicePath()});
    std::string handshake;
    std::uint8_t byte = 0;
    const auto receive = [&] {
        if (line->ReceiveByte(byte, 5s) == station::ReceiveStatus::Byte) handshake += byte;
    };
    receive();
    line->Send("L1\nL2\nhalf", 5s);
    receive();
    receive();
    EXPECT_EQ(handshake, "\x05\x06\x06");
    tool.Signal(SIGINT);
    const ToolResult result = tool.Wait();
    EXPECT_EQ(result.status, 130);
    EXPECT_EQ(result.out, "L1\n\nL2\n");
    EXPECT_EQ(result.err, kStationFirst + DownloadStoppedMessage(2) + "\n");
}

TEST(TransferTool, PortNamesOpenTheDevicesTheWindowWouldOpen) {
    const std::string config = ::testing::TempDir() + "halvex-transfer-config";
    const std::string folder = config + "/Local AppWizard-Generated Applications";
    ::mkdir(config.c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
    const Args args = {"download", "--family", "brenno", "--port", "COM2"};
    ToolResult chosen;
    OverALine(Sends(Family::Brenno, false, "A\n"), [&](const std::string& device) {
        // The device chosen for COM2 in the window's Serial Ports dialog.
        std::ofstream(folder + "/Halvex.conf") << "[Ports]\nCOM2=" << device << "\n";
        chosen = RunTool(args, {"XDG_CONFIG_HOME=" + config});
    });
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(chosen.out, "A\n");

    // A port that does not open leaves an earlier output file as it was.
    const std::string earlier = TempFile("halvex-transfer-earlier.txt", "yesterday\n");
    Args toFile = args;
    toFile.insert(toFile.end(), {"-o", earlier});
    const ToolResult environment =
        RunTool(toFile, {"XDG_CONFIG_HOME=" + config, "HALVEX_COM2=/nonexistent/halvex-port"});
    EXPECT_EQ(environment.status, 1);
    std::ifstream kept(earlier, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "yesterday\n");
    EXPECT_EQ(environment.err.rfind(kPortNotFoundMessage + "\n/nonexistent/halvex-port (COM2)"s, 0),
              0u)
        << environment.err;
}

TEST(TransferTool, ADownloadsTraceHoldsTheBytesOnTheLineAndNamesTheFailure) {
    const std::string trace = ::testing::TempDir() + "halvex-transfer-download.trace";
    // ENQ, one line with its ACK, then half a line and silence.
    const Instrument stopsShort = [](StationLine& line) {
        std::uint8_t byte = 0;
        line.ReceiveByte(byte, 5s);
        line.Send("A\0\n"s, 5s);
        line.ReceiveByte(byte, 5s);
        line.Send("B", 5s);
    };
    ToolResult result;
    const std::string fromComputer =
        OverALine(stopsShort, Tool({"download", "--family", "tamsel", "--protocol", "acknak",
                                    "--timeout", "1", "--trace", trace},
                                   result));
    EXPECT_EQ(result.status, 1);
    const std::string text = FileText(trace);
    EXPECT_EQ(Traced(text, TraceDirection::Sent), fromComputer);
    EXPECT_EQ(fromComputer, "\x05\x06");
    EXPECT_EQ(Traced(text, TraceDirection::Received), "A\0\nB"s);
    EXPECT_TRUE(EndsWith(text, "# time-out\n# end: failed: Communication time out\n")) << text;
    EXPECT_NE(result.err.find(kCommunicationTimeOutMessage +
                              "\nThe line trace of this transfer is in "s + trace + ".\n"),
              std::string::npos)
        << result.err;
}

TEST(TransferTool, AnUploadsTraceHoldsTheBytesOnTheLine) {
    const std::string trace = ::testing::TempDir() + "halvex-transfer-upload.trace";
    ToolResult result;
    const std::string fromComputer =
        OverALine(Receives(Family::Brenno, true),
                  Tool({"upload", "brenno-coordinate",
                        TempFile("halvex-transfer-traced.txt", "P1,,1,2,3\r\nP2,,4,5,6\r\n"),
                        "--protocol", "acknak", "--trace", trace},
                       result));
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string text = FileText(trace);
    EXPECT_NE(text.find("\n# program: halvex-transfer " + std::string(kVersion) +
                        "\n# command: Upload Brenno Coordinate\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(Traced(text, TraceDirection::Sent), fromComputer);
    EXPECT_EQ(Traced(text, TraceDirection::Received), "\x06\x06");
    EXPECT_TRUE(EndsWith(text, "# end: completed\n")) << text;
}

TEST(TransferTool, RefusedUploadsAndWrongCommandLinesSendNothing) {
    // The builder refuses before the port is opened: no "Cannot found COMM port!".
    const std::string text(300, 'x');
    const ToolResult refused =
        RunTool({"upload", "other-data", TempFile("halvex-transfer-long.txt", text), "--device",
                 "/nonexistent/halvex-port"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              BuildUpload(UploadKind::OtherData, text, Handshake::None).refusal + "\n");

    const ToolResult wrong = RunTool({"download", "--family", "tamsel", "--delay", "1001"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.err, "halvex-transfer: --delay: " + RangeMessage(1, 1000) +
                             " Run 'halvex-transfer --help' for more.\n");
}

}  // namespace
}  // namespace halvex
