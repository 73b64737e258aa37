// The simulator program's "upload" command, driven by the upload worker over a pseudo-terminal.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "port/PosixSerialPort.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "transfers/UploadWorker.h"

namespace halvex {
namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string output;  // after the first line (the device path)
};

// Runs the simulator; `withDevice` gets the device path from its first output line.
ProgramRun RunStation(const std::string& args,
                      const std::function<void(const std::string&)>& withDevice = {}) {
    const std::string command = std::string(HALVEX_STATION_BIN) + " " + args + " 2>/dev/null";
    ProgramRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::string first;
    for (int c; (c = std::fgetc(pipe)) != EOF && c != '\n';) first += static_cast<char>(c);
    if (!first.empty() && withDevice) withDevice(first);
    for (int c; (c = std::fgetc(pipe)) != EOF;) run.output += static_cast<char>(c);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void Upload(const std::string& device, std::int32_t protocol, const TransferFields& fields) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    CommSettings settings;
    settings.Protocol = protocol;
    settings.TimeoutSeconds = 5;
    settings.LineDelayMs = 1;
    PosixPortOpener ports(
        [device](const std::string&) { return std::optional<std::string>(device); });
    WorkerRegistry workers;
    ASSERT_TRUE(StartUploadTransfer({editor, dialogs, settings, ports, workers}, fields));
    workers.WaitIdle();
    EXPECT_EQ(dialogs.Texts().back(), kCommunicationFinished);
}

TEST(TransferStationProgram, ReceivesAnUploadAndWritesTheAcceptedRecords) {
    const ProgramRun run = RunStation(
        "upload --family tamsel --protocol acknak --fault nak --fault-every 2 --idle 2000",
        [](const std::string& device) {
            Upload(device, 1, {InstrumentFamily::Tamsel, 1, "R1\x02R2\x02"});
        });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "F00F000\r\nSite1     +00001.000000200020-100000S113\r\nR1\r\nR2\r\n");
}

TEST(TransferStationProgram, WritesRecordsToAFile) {
    const std::string file = ::testing::TempDir() + "halvex-station-upload.txt";
    const ProgramRun run =
        RunStation("upload --family brenno --protocol acknak --idle 500 --output " + file,
                   [](const std::string& device) {
                       Upload(device, 1, {InstrumentFamily::Brenno, 0, "/Dh A,B\x02xyz\x02"});
                   });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "/Dh A,B\r\nxyz\r\n");
}

TEST(TransferStationProgram, RefusesBadArguments) {
    for (const char* args :
         {"upload", "upload --family sextant", "upload --family tamsel --protocol x",
          "upload --family tamsel --fault loud", "upload --family tamsel --idle 1x",
          "upload --family tamsel extra"}) {
        EXPECT_EQ(RunStation(args).exitCode, 2) << args;
    }
    const ProgramRun help = RunStation("upload --help");
    EXPECT_EQ(help.exitCode, 0);
}

}  // namespace
}  // namespace halvex
