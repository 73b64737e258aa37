// How the export's file behaves on a Linux file system: the system's reasons, a full device,
// write protection and permissions under another user, symbolic links.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "DataFile.h"
#include "DxfExportFolder.h"
#include "convert/DxfExport.h"
#include "convert/FileWrite.h"
#include "support/ChildProcess.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"

namespace halvex {
namespace {

namespace fs = std::filesystem;
using testing::DxfExportTest;
using testing::ReadDataFile;
using testing::ReadFileBytes;

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

}  // namespace
}  // namespace halvex
