// The command line of halvex-transfer: what each option sets, and the rule a refused one breaks.

#include <gtest/gtest.h>

#include "transfer/lib/TransferArguments.h"

namespace halvex::transfer {
namespace {

using Kind = tool::CommandLineReading::Kind;

// The arguments when the command line makes a transfer; otherwise nothing, with the reading's
// text (what is wrong) in `error`.
std::optional<TransferArguments> Parse(std::vector<std::string> args,
                                       std::string* error = nullptr) {
    const TransferCommandLine line = ReadTransferCommandLine(args);
    if (error) *error = line.reading.text;
    if (line.reading.kind != Kind::Run) return std::nullopt;
    return line.arguments;
}

TEST(TransferArguments, DefaultsAreTheParameterDialogsAndOptionsChangeThem) {
    const auto plain = Parse({"download", "--family", "brenno"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->direction, Direction::Download);
    EXPECT_EQ(plain->family, InstrumentFamily::Brenno);
    EXPECT_EQ(plain->settings, CommSettingsValues{});
    EXPECT_EQ(plain->output, "-");
    EXPECT_EQ(plain->device, "");

    const auto full = Parse({"--port=com6", "download",      "--family", "corvane", "--protocol",
                             "acknak",      "--baud",        "115200",   "--data",  "7",
                             "--parity",    "even",          "--stop",   "2",       "--timeout",
                             " 25\t",       "--delay=+1000", "-o",       "day.txt", "-q"});
    ASSERT_TRUE(full);
    EXPECT_EQ(full->family, InstrumentFamily::Corvane);
    EXPECT_EQ(full->settings, (CommSettingsValues{5, 1, 25, 7, 0, 1, 2, 1000}));
    EXPECT_EQ(full->output, "day.txt");
    EXPECT_TRUE(full->quiet);

    const auto upload = Parse({"upload", "--device", "/dev/ttyUSB0", "brenno-pcode", "--", "-"});
    ASSERT_TRUE(upload);
    EXPECT_EQ(upload->direction, Direction::Upload);
    EXPECT_EQ(upload->uploadKind, UploadKind::BrennoCodeList);
    EXPECT_EQ(upload->input, "-");
    EXPECT_EQ(upload->device, "/dev/ttyUSB0");

    EXPECT_EQ(
        ReadTransferCommandLine({"upload", "--baud", "7", "--help", "--version"}).reading.kind,
        Kind::Help);
    EXPECT_EQ(ReadTransferCommandLine({"--bogus", "--version"}).reading.kind, Kind::Version);
}

TEST(TransferArguments, RefusalsNameTheRuleBroken) {
    const std::string range = "Please enter an integer between 1 and 1000.";
    struct Row {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<std::string> download = {"download", "--family", "tamsel"};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = download;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const Row rows[] = {
        {{}, "no command given"},
        {{"download"}, "download needs --family tamsel, brenno or corvane"},
        {{"download", "--family", "sextant"}, "--family must be tamsel, brenno or corvane"},
        {with({"extra"}), "download takes no FILE; use -o FILE for the received text"},
        {{"upload", "tamsel-coordinate"}, "upload needs KIND and FILE"},
        {{"upload", "other-data", "f", "-o", "x"},
         "-o is for download; an upload's echo goes to standard output"},
        {{"upload", "other-data", "f", "--family", "tamsel"},
         "--family is for download; an upload's KIND names the family"},
        {with({"--colour", "red"}), "unknown option --colour"},
        {with({"--baud"}), "--baud needs a value"},
        {with({"--baud", "9600", "--baud=1200"}), "--baud given twice"},
        {with({"--port", "COM7"}), "--port must be COM1 to COM6"},
        {with({"--port", "COM1", "--device", "/dev/ttyUSB0"}),
         "--port and --device cannot both be given"},
        {with({"--baud", "300"}),
         "--baud must be 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200"},
        {with({"--timeout", "ten"}), "--timeout: Please enter an integer."},
        {with({"--timeout", "1001"}), "--timeout: " + range},
        {with({"--delay", "-5"}), "--delay: Please enter a positive integer."},
        // The time-out is checked first, as in the dialog.
        {with({"--delay", "x", "--timeout", "x"}), "--timeout: Please enter an integer."},
    };
    for (const Row& row : rows) {
        std::string error;
        EXPECT_FALSE(Parse(row.args, &error));
        EXPECT_EQ(error, row.error);
    }
}

}  // namespace
}  // namespace halvex::transfer
