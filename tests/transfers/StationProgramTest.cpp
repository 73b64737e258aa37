// The halvex-station program and its engine: what the simulated instrument does on the line
// when the computer misbehaves, and the command line a user or a script drives it with.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <thread>

#include "port/PosixSerialPort.h"
#include "station/lib/DownloadScript.h"
#include "station/lib/StationOptions.h"
#include "station/lib/StationStop.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "transfers/DownloadWorker.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;
using station::StationLine;

struct ProgramRun {
    int status = -1;
    std::string output;
};

// Runs the simulator with `args`; `whileRunning` gets the first output line (the device path).
ProgramRun RunStation(const std::string& args,
                      const std::function<void(const std::string&)>& whileRunning = {}) {
    const std::string command = std::string(HALVEX_STATION_BIN) + " " + args + " 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ProgramRun run;
    if (pipe == nullptr) return run;
    char buffer[512];
    bool first = true;
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        run.output += buffer;
        if (first && whileRunning) {
            std::string path = buffer;
            if (!path.empty() && path.back() == '\n') path.pop_back();
            whileRunning(path);
        }
        first = false;
    }
    run.status = ::pclose(pipe);
    return run;
}

int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

TEST(StationProgram, HelpListsTheOptionsAndBadArgumentsAreRefused) {
    const ProgramRun help = RunStation("--help");
    EXPECT_EQ(ExitCode(help.status), 0);
    EXPECT_EQ(RunStation("help").output, help.output);
    for (const char* option :
         {"download", "--family", "--protocol", "--pause-before", "--line-pause", "--no-terminator",
          "--hangup-after-bytes", "--hangup-after-lines", "--device", "--link"}) {
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(ExitCode(RunStation("").status), 2);
    EXPECT_EQ(ExitCode(RunStation("fly").status), 2);
    EXPECT_EQ(ExitCode(RunStation("download --family sextant x").status), 2);
    EXPECT_EQ(ExitCode(RunStation("download --family tamsel --bogus x").status), 2);
    EXPECT_EQ(ExitCode(RunStation("download --family tamsel --line-pause 1x x").status), 2);
    EXPECT_EQ(ExitCode(RunStation("download --family tamsel --format 9600 x").status), 2);
    EXPECT_EQ(ExitCode(RunStation("download --family tamsel /no/such/file").status), 2);
    EXPECT_EQ(ExitCode(RunStation("download --family tamsel " + ::testing::TempDir()).status), 2);
}

TEST(StationProgram, TransferFromTheProgramIntoTheDownloadWorker) {
    const std::string file = ::testing::TempDir() + "halvex-station-download.txt";
    std::ofstream(file, std::ios::binary) << "L1\nL2\n";
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    settings.Protocol = 1;
    settings.TimeoutSeconds = 5;
    WorkerRegistry workers;
    std::string device;
    const ProgramRun run =
        RunStation("download --family tamsel --protocol acknak --timeout 5000 " + file,
                   [&](const std::string& path) {
                       device = path;
                       PosixPortOpener ports([&](const std::string&) { return path; });
                       DownloadWorker({editor, dialogs, settings, ports, workers},
                                      InstrumentFamily::Tamsel);
                   });
    EXPECT_EQ(ExitCode(run.status), 0);
    EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
    EXPECT_EQ(editor.Text(), "L1\n\nL2\n");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{kDownloadPromptStationFirst});
}

TEST(StationProgram, TransferWithoutTerminatorEndsInTheComputersTimeOut) {
    const std::string file = ::testing::TempDir() + "halvex-station-no-terminator.txt";
    std::ofstream(file, std::ios::binary) << "L1\n";
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    settings.TimeoutSeconds = 1;
    WorkerRegistry workers;
    const ProgramRun run = RunStation(
        "download --family brenno --no-terminator " + file, [&](const std::string& path) {
            PosixPortOpener ports([&](const std::string&) { return path; });
            DownloadWorker({editor, dialogs, settings, ports, workers}, InstrumentFamily::Brenno);
        });
    // The station held the line until the worker gave up and closed it.
    EXPECT_EQ(ExitCode(run.status), 0);
    EXPECT_EQ(editor.Text(), "L1\n");
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{kDownloadPromptComputerFirst,
                                                         kCommunicationTimeOutMessage}));
}

TEST(StationProgram, TransferHeldOpenWaitsForAComputerThatHasNotOpenedItsEndYet) {
    std::string error;
    auto line = StationLine::CreatePseudoTerminal(error);
    ASSERT_NE(line, nullptr) << error;
    station::HoldEnd end;
    std::thread holder([&] {
        const station::StationStop stop;
        end = line->HoldOpen(false, stop);
    });
    // Late, as a computer is that opens the port only when the user starts the download: the
    // station must not take the missing other end for one that has already been closed.
    std::this_thread::sleep_for(200ms);
    if (const auto computer = PosixSerialPort::Open(line->DevicePath())) {
        computer->Write(BytesOf("x"));
    }  // closed here
    holder.join();
    EXPECT_EQ(end.signal, 0);
    EXPECT_EQ(end.received, "x");
}

TEST(StationProgram, TransferHeldOpenEndsOnAStopSignal) {
    std::string error;
    auto line = StationLine::CreatePseudoTerminal(error);
    ASSERT_NE(line, nullptr) << error;
    const auto computer = PosixSerialPort::Open(line->DevicePath());
    ASSERT_NE(computer, nullptr);
    std::atomic<bool> catching = false;
    station::HoldEnd end;
    std::thread holder([&] {
        const station::StationStop stop;
        catching = true;
        end = line->HoldOpen(true, stop);
    });
    while (!catching) std::this_thread::yield();
    ::pthread_kill(holder.native_handle(), SIGTERM);
    holder.join();
    EXPECT_EQ(end.signal, SIGTERM);
}

TEST(StationProgram, TransferMissingHandshakeIsReportedByTheInstrument) {
    // A computer that answers ENQ's line with NAK instead of ACK.
    std::string error;
    auto line = StationLine::CreatePseudoTerminal(error);
    ASSERT_NE(line, nullptr) << error;
    station::DownloadScript script;
    script.family = station::Family::Tamsel;
    script.ackNak = true;
    script.data = "A\nB\n";
    script.handshakeTimeout = 2s;
    station::DownloadOutcome outcome;
    std::thread instrument([&] { outcome = station::RunDownload(*line, script); });
    auto port = PosixSerialPort::Open(line->DevicePath());
    ASSERT_NE(port, nullptr);
    port->SetReadTimeout(2000);
    port->Write(BytesOf("\x05"));
    std::uint8_t got[2] = {};
    EXPECT_EQ(port->Read(got, 2).count, 2u);
    port->Write(BytesOf("\x15"));
    instrument.join();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "expected ACK, received 0x15");
    EXPECT_EQ(outcome.linesSent, 1u);
    EXPECT_FALSE(outcome.terminatorSent);
}

TEST(StationOptions, ParsesValuesFlagsAndPositionals) {
    const std::vector<station::OptionDef> definitions = {{"family", "NAME", ""}, {"quiet", "", ""}};
    struct Row {
        std::vector<std::string> args;
        std::string error;
    };
    const Row rows[] = {
        {{"--family", "brenno", "file"}, ""},
        {{"--family=brenno", "file"}, ""},
        {{"--quiet", "--family", "brenno", "file"}, ""},
        {{"--family"}, "--family needs a value"},
        {{"--quiet=1"}, "--quiet takes no value"},
        {{"--colour", "red"}, "unknown option --colour"},
    };
    for (const Row& row : rows) {
        tool::CommandLine line("halvex-station", "", {}, {});
        CLI::App& command = line.AddCommand("download", "");
        station::DeclareOptions(command, definitions);
        std::vector<std::string> words;
        command.add_option("FILE", words);
        std::vector<std::string> args = {"download"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const tool::CommandLineReading reading = line.Read(args);
        EXPECT_EQ(reading.kind == tool::CommandLineReading::Kind::Wrong ? reading.text : "",
                  row.error);
        if (!row.error.empty()) continue;
        const station::ParsedOptions parsed = station::CollectOptions(command, words);
        EXPECT_EQ(parsed.Value("family"), "brenno");
        EXPECT_EQ(parsed.positional, std::vector<std::string>{"file"});
    }
}

}  // namespace
}  // namespace halvex
