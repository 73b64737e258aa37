// halvex-transfer itself, over pseudo-terminals against the simulated instrument: the exchange
// on the line, the text it writes, its messages and its exit statuses, and that the window's
// commands put the same bytes on the line.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>

#include "ToolProcess.h"
#include "serial/DownloadCommand.h"
#include "serial/DownloadWorker.h"
#include "serial/OpenCommPort.h"
#include "serial/PosixSerialPort.h"
#include "serial/UploadWorker.h"
#include "station/lib/DownloadScript.h"
#include "station/lib/UploadReceiver.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "upload/UploadCommand.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using station::DownloadScript;
using station::Family;
using station::StationLine;
using station::UploadScript;
using testing::RunTool;
using testing::ToolResult;

const std::string kStationFirst = std::string(kDownloadPromptStationFirst) + "\n";
const std::string kComputerFirst = std::string(kDownloadPromptComputerFirst) + "\n";
const std::string kFinished = std::string(kCommunicationFinished) + "\n";

std::string TempFile(const std::string& name, const std::string& content) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

DownloadScript Script(Family family, bool ackNak, std::string data) {
    DownloadScript script;
    script.family = family;
    script.ackNak = ackNak;
    script.data = std::move(data);
    script.handshakeTimeout = 5s;
    return script;
}

UploadScript Receiver(Family family, bool ackNak) {
    UploadScript script;
    script.family = family;
    script.ackNak = ackNak;
    script.timeout = 5s;
    script.idle = 500ms;
    return script;
}

std::vector<std::string> Joined(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// One instrument on a fresh pseudo-terminal.
class Instrument {
public:
    Instrument() {
        std::string error;
        line_ = StationLine::CreatePseudoTerminal(error);
        EXPECT_NE(line_, nullptr) << error;
    }
    const std::string& Device() const { return line_->DevicePath(); }
    StationLine& Line() { return *line_; }
    // Every byte the computer wrote.
    std::string FromComputer() {
        line_->TakePending(20ms);
        return line_->ReceivedLog();
    }

    // Runs the tool with `args` and --device while the instrument plays `script`.
    ToolResult Download(const DownloadScript& script, const std::vector<std::string>& args) {
        std::thread station([&] { station::RunDownload(*line_, script); });
        ToolResult result = RunTool(Joined(args, {"--device", Device()}));
        station.join();
        return result;
    }
    ToolResult Upload(const UploadScript& script, const std::vector<std::string>& args) {
        std::thread station([&] { received = station::ReceiveUpload(*line_, script); });
        ToolResult result = RunTool(Joined(args, {"--device", Device()}));
        station.join();
        return result;
    }

    station::UploadOutcome received;

private:
    std::unique_ptr<StationLine> line_;
};

TEST(TransferTool, DownloadsEachFamily) {
    struct Row {
        const char* family;
        Family stationFamily;
        bool ackNak;
        std::string data;
        std::string text;
        std::string fromComputer;
        std::string prompt;
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
         "", kComputerFirst},
        {"corvane", Family::Corvane, true, "x\x03y\n", "x\x03y\n", "", kComputerFirst},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.family);
        Instrument instrument;
        const std::string output = ::testing::TempDir() + "halvex-transfer-" + row.family;
        const ToolResult result =
            instrument.Download(Script(row.stationFamily, row.ackNak, row.data),
                                {"download", "--family", row.family, "--protocol",
                                 row.ackNak ? "acknak" : "none", "--timeout", "5", "-o", output});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(ReadFile(output), row.text);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(instrument.FromComputer(), row.fromComputer);
        const std::string nulNote =
            row.text.find('\x1a') == std::string::npos ? "" : NulBytesReplacedMessage(1) + "\n";
        EXPECT_EQ(result.err, row.prompt + nulNote);
    }
}

TEST(TransferTool, UploadsEachFamilyAndEchoesTheRecordsSent) {
    struct Row {
        const char* kind;
        Family stationFamily;
        bool ackNak;
        std::string file;
        std::vector<std::string> records;  // as the instrument accepted them
        std::string echo;
    };
    const Row rows[] = {
        {"tamsel-coordinate",
         Family::Tamsel,
         true,
         "P1,,100.5,200.25,-3.1\r\n",
         {kJobHeaderFirst, kJobHeaderSecond,
          "_+P1        _ x+000200250_ y+000100500_ z-000003100_" + std::string(76, ' ')},
         "_+P1        _ x+000200250_ y+000100500_ z-000003100_" + std::string(76, ' ') + "\r\n"},
        {"brenno-pcode",
         Family::Brenno,
         true,
         "TREE, POLE ,WELL\r\nA,,B",
         {"/Dh TREE,POLE,WELL", "/Dh A,,B"},
         "/Dh TREE,POLE,WELL\r\n/Dh A,,B\r\n"},
        {"other-data",
         Family::Corvane,
         false,
         "first\r\nsecond",
         {"first", "second"},
         "first\r\nsecond\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        Instrument instrument;
        const std::string file = TempFile("halvex-transfer-upload.txt", row.file);
        const ToolResult result =
            instrument.Upload(Receiver(row.stationFamily, row.ackNak),
                              {"upload", row.kind, file, "--protocol",
                               row.ackNak ? "acknak" : "none", "--timeout", "5", "--delay", "1"});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, row.echo);
        EXPECT_EQ(result.err, kStationFirst + kFinished);
        EXPECT_TRUE(instrument.received.ok) << instrument.received.error;
        std::vector<std::string> accepted;
        for (const station::ReceivedRecord& record : instrument.received.records) {
            accepted.push_back(record.data);
        }
        EXPECT_EQ(accepted, row.records);
        EXPECT_EQ(instrument.received.trailerSeen, row.stationFamily != Family::Brenno);
    }
}

// The window's command path: the core's command frames as the view runs them, over a port that
// COM1 maps to the instrument's pseudo-terminal.
struct WindowCommands {
    explicit WindowCommands(const std::string& device)
        : ports([device](const std::string& name) -> std::optional<std::string> {
              if (name == "HALVEX_COM1") return device;
              return std::nullopt;
          }) {
        settings.Protocol = 1;
        settings.TimeoutSeconds = 5;
    }
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    PosixPortOpener ports;
    WorkerRegistry workers;
    TransferEnvironment env{editor, dialogs, settings, ports, workers};
};

TEST(TransferTool, PutsTheSameBytesOnTheLineAsTheWindowsCommands) {
    const std::string points =
        "P1,,100.5,200.25,-3.1\r\nP2,K,1,2,3\r\nP3,K,-7.25,8,9\r\nLONGNAME12,X,1e3,2,3\r\n";
    Instrument windowSide;
    WindowCommands window(windowSide.Device());
    window.editor.SetText(points);
    std::thread receiver(
        [&] { station::ReceiveUpload(windowSide.Line(), Receiver(Family::Tamsel, true)); });
    ASSERT_TRUE(RunUploadCommand(UploadKind::TamselCoordinate, window.env));
    window.workers.WaitIdle();
    receiver.join();

    Instrument toolSide;
    const ToolResult upload =
        toolSide.Upload(Receiver(Family::Tamsel, true),
                        {"upload", "tamsel-coordinate",
                         TempFile("halvex-transfer-same.txt", points), "--protocol", "acknak"});
    EXPECT_EQ(upload.status, 0) << upload.err;
    EXPECT_EQ(toolSide.FromComputer(), windowSide.FromComputer());
    EXPECT_EQ(upload.out, window.editor.Text());

    const std::string data = "first\nsecond\nthird\n";
    Instrument windowSource;
    WindowCommands downloadWindow(windowSource.Device());
    std::thread station(
        [&] { station::RunDownload(windowSource.Line(), Script(Family::Tamsel, true, data)); });
    ASSERT_TRUE(RunDownloadCommand(1, downloadWindow.env));
    downloadWindow.workers.WaitIdle();
    station.join();

    Instrument toolSource;
    const ToolResult download = toolSource.Download(
        Script(Family::Tamsel, true, data),
        {"download", "--family", "tamsel", "--protocol", "acknak", "--timeout", "5"});
    EXPECT_EQ(download.status, 0) << download.err;
    EXPECT_EQ(toolSource.FromComputer(), windowSource.FromComputer());
    EXPECT_EQ(download.out, downloadWindow.editor.Text());
}

TEST(TransferTool, ATimeOutOrAHangUpFailsAndKeepsTheLinesReceived) {
    DownloadScript unfinished = Script(Family::Brenno, false, "A\nB\nC");
    unfinished.sendTerminator = false;
    DownloadScript dropped = Script(Family::Brenno, false, "A\nB\nC\n");
    dropped.hangupAfterLines = 2;
    struct Row {
        const char* name;
        DownloadScript script;
        std::string message;
    };
    const Row rows[] = {
        {"time-out", unfinished, kCommunicationTimeOutMessage},
        {"hang-up", dropped, kCommunicationFailedMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Instrument instrument;
        const ToolResult result =
            instrument.Download(row.script, {"download", "--family", "brenno", "--timeout", "1"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "A\nB\n");
        EXPECT_EQ(result.err, kComputerFirst + row.message + "\n");
    }
}

TEST(TransferTool, CtrlCStopsADownloadAndWritesItsCompleteLines) {
    Instrument instrument;
    testing::ToolProcess tool({"download", "--family", "tamsel", "--protocol", "acknak",
                               "--timeout", "30", "--device", instrument.Device()});
    ASSERT_TRUE(tool.Started());
    StationLine& line = instrument.Line();
    std::uint8_t byte = 0;
    ASSERT_EQ(line.ReceiveByte(byte, 5s), station::ReceiveStatus::Byte);
    EXPECT_EQ(byte, 0x05);
    ASSERT_TRUE(line.Send("L1\nL2\nhalf", 5s));
    for (int ack = 0; ack < 2; ++ack) {
        ASSERT_EQ(line.ReceiveByte(byte, 5s), station::ReceiveStatus::Byte);
        EXPECT_EQ(byte, 0x06);
    }
    tool.Signal(SIGINT);
    const ToolResult result = tool.Wait();
    EXPECT_EQ(result.status, 130);
    EXPECT_EQ(result.out, "L1\n\nL2\n");
    EXPECT_EQ(result.err, kStationFirst + DownloadStoppedMessage(2) + "\n");
}

TEST(TransferTool, PortNamesOpenTheDevicesTheWindowWouldOpen) {
    // The device chosen for COM2 in the window's Serial Ports dialog, kept in its settings file.
    Instrument instrument;
    const std::string config = ::testing::TempDir() + "halvex-transfer-config";
    const std::string folder = config + "/Local AppWizard-Generated Applications";
    ::mkdir(config.c_str(), 0700);
    ::mkdir(folder.c_str(), 0700);
    std::ofstream(folder + "/Halvex.conf") << "[Ports]\nCOM2=" << instrument.Device() << "\n";
    const std::vector<std::string> args = {"download", "--family", "brenno", "--port", "COM2"};
    std::thread station(
        [&] { station::RunDownload(instrument.Line(), Script(Family::Brenno, false, "A\n")); });
    const ToolResult chosen = RunTool(args, {"XDG_CONFIG_HOME=" + config});
    station.join();
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_EQ(chosen.out, "A\n");

    // HALVEX_COM2 wins over the choice.
    const ToolResult environment =
        RunTool(args, {"XDG_CONFIG_HOME=" + config, "HALVEX_COM2=/nonexistent/halvex-port"});
    EXPECT_EQ(environment.status, 1);
    EXPECT_EQ(environment.err.rfind(
                  std::string(kPortNotFoundMessage) + "\n/nonexistent/halvex-port (COM2): ", 0),
              0u)
        << environment.err;
}

TEST(TransferTool, RefusedUploadsAndWrongCommandLinesSendNothing) {
    // Refused by the builder before the port is opened: no "Cannot found COMM port!".
    const std::string text = std::string(300, 'x');
    const ToolResult refused =
        RunTool({"upload", "other-data", TempFile("halvex-transfer-long.txt", text), "--device",
                 "/nonexistent/halvex-port"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, BuildUpload(UploadKind::OtherData, text, kProtocolNone).refusal + "\n");

    const ToolResult wrong = RunTool({"download", "--family", "tamsel", "--delay", "1001"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.err.rfind("halvex-transfer: --delay: Please enter an integer between 1 and "
                              "1000.\n",
                              0),
              0u)
        << wrong.err;
}

}  // namespace
}  // namespace halvex
