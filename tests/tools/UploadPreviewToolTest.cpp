// halvex-convert's upload previews: the queue an upload command would send, byte for byte.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct PreviewRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

PreviewRun Preview(const std::string& command, const std::string& input) {
    const fs::path dir =
        fs::temp_directory_path() / ("halvex-upload-preview-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    const std::string shell =
        "cd '" + dir.string() + "' && '" HALVEX_CONVERT_BIN "' " + command + " in >out 2>err";
    const int raw = std::system(shell.c_str());
    PreviewRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir / "out"),
                   ReadFile(dir / "err")};
    fs::remove_all(dir);
    return run;
}

struct PreviewCase {
    const char* command;
    std::string input;
    std::string queue;
};

TEST(UploadPreviewTool, WritesTheQueueOfEachUploadCommand) {
    const std::string point = "P1,K,100.5,200.25,-3.1\r\n";
    // clang-format off
    const std::vector<PreviewCase> cases = {
        {"upload-tamsel-coordinate", point,
         "_+P1        _ x+000200250_ y+000100500_ z-000003100_" + std::string(76, ' ') + "\x02"},
        {"upload-brenno-coordinate", point, "/Dg 200.250,100.500,-3.100,P1\x02"},
        {"upload-corvane-coordinate", point, "P1,100.5000,200.2500,-3.1000,K\x02"},
        {"upload-tamsel-pcode", "5,TREE\r\n",
         "_:005TREE      _" + std::string(112, ' ') + "\x02"},
        {"upload-brenno-pcode", "TREE, POLE ,WELL\r\n", "/Dh TREE,POLE,WELL\x02"},
        {"upload-other-data", "A\r\n\r\nB", "A\x02\x02" "B\x02"},
        {"upload-brenno-coordinate", "", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        const PreviewRun run = Preview(c.command, c.input);
        EXPECT_EQ(run.status, 0) << c.command;
        EXPECT_EQ(run.out, c.queue) << c.command;
        EXPECT_EQ(run.err, "") << c.command;
    }
}

TEST(UploadPreviewTool, RefusedInputWritesNothingAndNamesTheLine) {
    const PreviewRun run =
        Preview("upload-tamsel-coordinate", "P1,,1,2,3\r\n" + std::string(40, 'N') + ",,1,2,3\r\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "Line 2 cannot be uploaded: the point name is longer than 31 characters. Nothing "
              "was sent.\n");
}

}  // namespace
