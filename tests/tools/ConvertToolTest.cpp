#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convert/LineEnds.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs halvex-convert with the arguments (given to the shell as they are) and the bytes on its
// standard input, in a fresh directory.
class ConvertTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("halvex-convert-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    ToolRun Convert(const std::string& args, const std::string& input = "") {
        std::ofstream(dir_ / "stdin", std::ios::binary) << input;
        const std::string command = "cd '" + dir_.string() + "' && '" HALVEX_CONVERT_BIN "' " +
                                    args + " <stdin >stdout 2>stderr";
        const int raw = std::system(command.c_str());
        ToolRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadFile(dir_ / "stdout");
        run.err = ReadFile(dir_ / "stderr");
        return run;
    }

    fs::path dir_;
};

TEST_F(ConvertTool, ConvertsStandardInputToStandardOutput) {
    const ToolRun run = Convert("dulmar-cass", "P1,100.5,200.25,3.1,TREE\r\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "P1,TREE,100.5,200.25,3.1\r\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(ConvertTool, ReadsTheInputFileAndWritesTheOutputFile) {
    std::ofstream(dir_ / "in.txt", std::ios::binary) << "02tp  A\r\n";
    const ToolRun run = Convert("brenno-nez in.txt -o out.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(dir_ / "out.txt"), "A,,0.000,0.000,0.000\r\n");
}

struct FailureCase {
    std::string command;
    std::string input;
    std::string message;
};

TEST_F(ConvertTool, FailuresPrintTheMessageAndWhyAndWriteNothing) {
    const std::vector<FailureCase> cases{
        {"tamsel-cass", "TITLE\nmore\n", "The file has wrong format\n"},
        {"tamsel-cass", "", "Transform failed\nThe text is empty.\n"},
        {"brenno-cass", "08TP\n",
         "Transform failed\n" + std::string(halvex::kLfLineEndsConvertHint) + "\n"},
        {"dulmar-cass", "A,B\r\n",
         "Transform failed\nNo line has the four commas of a Dulmar point line (name, east, "
         "north, height, code). Lines are read up to the first empty line.\n"},
        {"tamsel-pcode", "no entries\n",
         "Transform failed\nNo line has the 128 characters of a Tamsel data record and a colon, "
         "as the lines of a code list have.\n"},
    };
    for (const FailureCase& c : cases) {
        const ToolRun run = Convert(c.command + " -o out.txt", c.input);
        EXPECT_EQ(run.status, 1) << c.command;
        EXPECT_EQ(run.err, c.message) << c.command;
        EXPECT_EQ(run.out, "") << c.command;
        EXPECT_FALSE(fs::exists(dir_ / "out.txt")) << c.command;
    }
}

TEST_F(ConvertTool, DxfIsWrittenInBothOutcomes) {
    const ToolRun success = Convert("cass-dxf -o points.dxf", "P1,C,1,2,3\r\nP2,C,4,5,6\r\n");
    EXPECT_EQ(success.status, 0);
    EXPECT_EQ(success.err, "Successfully transformed 2 points\n");
    EXPECT_EQ(ReadFile(dir_ / "points.dxf").size(), 1446u + 2 * 167u);

    const ToolRun empty = Convert("cass-dxf", "no points\r\n");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "The file is not CASS DAT format\n");
    EXPECT_EQ(empty.out, ReadFile(HALVEX_TEST_DATA_DIR "/empty.dxf"));

    const ToolRun lfLines = Convert("cass-dxf", "P1,C,1,2,3\n");
    EXPECT_EQ(lfLines.status, 1);
    EXPECT_EQ(lfLines.err, "The file is not CASS DAT format\n" +
                               std::string(halvex::kLfLineEndsConvertHint) + "\n");
}

TEST_F(ConvertTool, BytesAfterANulAreIgnoredWithAWarning) {
    const ToolRun run = Convert("dulmar-cass", std::string("P,1,2,3,C\r\n\0Q,1,2,3,D\r\n", 22));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "P,C,1,2,3\r\n");
    EXPECT_NE(run.err.find("NUL"), std::string::npos);
}

TEST_F(ConvertTool, CrlfPutsACrBeforeEveryLfWithoutOne) {
    const ToolRun run = Convert("crlf -o out.txt", "P1,C,1,2,3\nP2,C,4,5,6\r\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(dir_ / "out.txt"), "P1,C,1,2,3\r\nP2,C,4,5,6\r\n");
}

TEST_F(ConvertTool, FilesThatCannotBeUsedAreNamed) {
    const ToolRun unreadable = Convert("dulmar-cass missing.txt");
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.err,
              "halvex-convert: cannot read missing.txt: No such file or directory\n");

    const ToolRun unwritable = Convert("dulmar-cass -o no-dir/out.txt", "P,1,2,3,C\r\n");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("no-dir/out.txt"), std::string::npos);
}

TEST_F(ConvertTool, CommandLineErrorsAreOneLinePointingToTheHelp) {
    for (const std::string args : {"", "frobnicate", "dulmar-cass a b", "dulmar-cass -o",
                                   "dulmar-cass -x", "dulmar-cass -o a -o b"}) {
        const ToolRun run = Convert(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.err.rfind("halvex-convert: ", 0), 0u) << args;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << args;
        EXPECT_NE(run.err.find(". Run 'halvex-convert --help' for more."), std::string::npos)
            << args;
        EXPECT_EQ(run.out, "") << args;
    }
    const ToolRun help = Convert("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* name :
         {"tamsel-cass", "brenno-cass", "brenno-nez", "dulmar-cass", "tamsel-pcode", "cass-dxf"})
        EXPECT_NE(help.out.find(name), std::string::npos) << name;
}

}  // namespace
