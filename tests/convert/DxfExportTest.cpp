#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "DataFile.h"
#include "convert/DxfExport.h"
#include "convert/FileWrite.h"
#include "convert/LineEnds.h"
#include "support/ChildProcess.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"

namespace halvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadDataFile;
using testing::ReadFileBytes;

class DxfExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("halvex-dxf-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Only the named files are in the directory: nothing left over from writing.
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

TEST_F(DxfExportTest, WritesTheDrawingAndReportsThePoints) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText(ReadDataFile("two_points.txt"));
    const std::string path = PathOf("out.dxf");
    const DxfExportOutcome outcome = RunCassDxfExport(editor, dialogs, path);
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.points, 2);
    EXPECT_EQ(ReadFileBytes(path), ReadDataFile("two_points.dxf"));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Successfully transformed 2 points");
    EXPECT_EQ(dialogs.Messages()[0].caption, "Halvex");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(editor.Calls(), std::vector<std::string>{});  // the editor is only read
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(DxfExportTest, WithoutPointsTheEmptyDrawingIsStillWritten) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText("not a point list\r\n");
    const std::string path = PathOf("out.dxf");
    Put(path, std::string(5000, 'o'));  // replaced, not appended to
    RunCassDxfExport(editor, dialogs, path);
    EXPECT_EQ(ReadFileBytes(path), ReadDataFile("empty.dxf"));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"The file is not CASS DAT format"});
    EXPECT_EQ(dialogs.Messages()[0].caption, "Halvex");
}

TEST_F(DxfExportTest, NoPointInLfLinesSaysWhy) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText("P,C,1,2,3\nQ,C,4,5,6\n");
    RunCassDxfExport(editor, dialogs, PathOf("lf.dxf"));
    editor.SetText("not a point list\r\n");
    RunCassDxfExport(editor, dialogs, PathOf("cr.dxf"));
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(dialogs.Messages()[0].text, "The file is not CASS DAT format");
    EXPECT_EQ(dialogs.Messages()[0].details, kLfLineEndsHint);
    EXPECT_EQ(dialogs.Messages()[0].caption, "Halvex");
    EXPECT_EQ(dialogs.Messages()[1].details, "");
}

TEST_F(DxfExportTest, WhenEveryPointLineIsLeftOutTheDetailsNameThem) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText("5,,x12.5,250.000,10.000\r\n");
    const std::string path = PathOf("out.dxf");
    EXPECT_EQ(RunCassDxfExport(editor, dialogs, path).points, 0);
    EXPECT_EQ(ReadFileBytes(path), ReadDataFile("empty.dxf"));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "The file is not CASS DAT format");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.Messages()[0].details,
              "1 point line was left out of the drawing:\n"
              "Line 1: the east coordinate \"x12.5\" is not a number.");
}

TEST_F(DxfExportTest, AFileThatCannotBeMadeIsAnErrorNamingIt) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText("P,C,1,2,3\r\n");
    const std::string path = PathOf("missing-dir/out.dxf");
    const DxfExportOutcome outcome = RunCassDxfExport(editor, dialogs, path);
    EXPECT_FALSE(outcome.written);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Cannot write the file " + path +
                                              ": No such file or directory. Nothing was exported.");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::Error);
}

TEST_F(DxfExportTest, AFullDeviceIsAFailureNotASuccess) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const DxfExportOutcome outcome = ExportCassToDxf("P,C,1,2,3\r\n", "/dev/full");
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.error, "No space left on device");
    EXPECT_EQ(DxfExportMessage(outcome).find("Successfully"), std::string::npos);
}

TEST_F(DxfExportTest, FailureKeepsTheEarlierFile) {
    // Root ignores write protection: the export runs as an ordinary user, in a folder that user
    // may make files in.
    const std::string path = PathOf("kept.dxf");
    Put(path, "earlier drawing");
    ::chmod(path.c_str(), 0444);
    ::chmod(dir_.c_str(), 0777);
    const int status = testing::RunInChild([&] {
        if (!testing::BecomeOrdinaryUser()) return testing::kChildSetupFailed;
        return ExportCassToDxf("P,C,1,2,3\r\n", path).written ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFileBytes(path), "earlier drawing");
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(DxfExportTest, ReplacingKeepsPermissionsAndSymbolicLinks) {
    const std::string target = PathOf("real.dxf");
    const std::string link = PathOf("link.dxf");
    Put(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.dxf", link);
    const DxfExportOutcome outcome = ExportCassToDxf("", link);
    ASSERT_TRUE(outcome.written) << outcome.error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), ReadDataFile("empty.dxf"));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FilesInDir(), 2u);
}

TEST_F(DxfExportTest, ADirectoryWithoutWritePermissionFallsBackToWritingInPlace) {
    // Root may make files in any folder: the write runs as an ordinary user, who may write the
    // file but not make new files beside it.
    const std::string path = PathOf("in-place.dxf");
    Put(path, "older and longer");
    ::chmod(path.c_str(), 0666);
    ::chmod(dir_.c_str(), 0555);
    const int status = testing::RunInChild([&] {
        if (!testing::BecomeOrdinaryUser()) return testing::kChildSetupFailed;
        return WriteWholeFile(path, "new bytes").ok ? 0 : 1;
    });
    ::chmod(dir_.c_str(), 0700);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFileBytes(path), "new bytes");
}

TEST_F(DxfExportTest, MessagesForEachOutcome) {
    EXPECT_EQ(DxfExportMessage({true, 1, "a.dxf", ""}), "Successfully transformed 1 points");
    EXPECT_EQ(DxfExportMessage({true, 30000, "a.dxf", ""}),
              "Successfully transformed 30000 points");
    EXPECT_EQ(DxfExportMessage({true, 0, "a.dxf", ""}), "The file is not CASS DAT format");
    EXPECT_EQ(DxfExportMessage({false, 3, "/x/a.dxf", "Permission denied"}),
              "Cannot write the file /x/a.dxf: Permission denied. Nothing was exported.");
}

}  // namespace
}  // namespace halvex
