// What the one file-writing routine keeps of the file it writes. The cases with other users run
// as root and let a forked child act as the ordinary user.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "DataFile.h"
#include "convert/FileWrite.h"
#include "support/ChildProcess.h"

namespace halvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;

class FileWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("halvex-write-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        fs::permissions(dir_, fs::perms::all);  // an ordinary user may make files here
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Put(const std::string& name, const std::string& bytes) const {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static struct stat StatOf(const std::string& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info;
    }

    fs::path dir_;
};

TEST_F(FileWriteTest, OwnerGroupAndPermissionsAreKept) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file another owner needs root";
    // Root (as under sudo) replaces a user's file: the new file gets the user's ids.
    const std::string users = Put("users.txt", "old");
    ASSERT_EQ(::chown(users.c_str(), testing::kNobody, testing::kNoGroup), 0);
    ASSERT_EQ(::chmod(users.c_str(), 0640), 0);
    const ino_t before = StatOf(users).st_ino;
    ASSERT_TRUE(WriteWholeFile(users, "by root").ok);
    EXPECT_EQ(ReadFileBytes(users), "by root");
    EXPECT_NE(StatOf(users).st_ino, before);  // replaced as a whole
    EXPECT_EQ(StatOf(users).st_uid, testing::kNobody);
    EXPECT_EQ(StatOf(users).st_gid, testing::kNoGroup);
    EXPECT_EQ(StatOf(users).st_mode & 07777, 0640u);

    // An ordinary user writes root's file: a new file could not be root's, so it is written in
    // place and stays root's.
    const std::string roots = Put("roots.txt", "old and longer");
    ASSERT_EQ(::chmod(roots.c_str(), 0666), 0);
    const int status = testing::RunInChild([&] {
        if (!testing::BecomeOrdinaryUser()) return testing::kChildSetupFailed;
        return WriteWholeFile(roots, "by nobody").ok ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFileBytes(roots), "by nobody");
    EXPECT_EQ(StatOf(roots).st_uid, 0u);
}

TEST_F(FileWriteTest, AHardLinkedFileIsWrittenInPlace) {
    const std::string name = Put("name.txt", "old bytes");
    const std::string other = (dir_ / "other-name.txt").string();
    ASSERT_EQ(::link(name.c_str(), other.c_str()), 0);
    ASSERT_TRUE(WriteWholeFile(name, "new").ok);
    EXPECT_EQ(ReadFileBytes(other), "new");
}

TEST_F(FileWriteTest, WritingInPlaceOnAFullDiskKeepsTheOldFile) {
    const std::string mount = (dir_ / "small").string();
    fs::create_directory(mount);
    // The child returns 0 when all held, else the number of the check that failed.
    const int status = testing::RunInChild([&] {
        if (!testing::MountSmallFileSystem(mount.c_str(), 64)) return testing::kChildSetupFailed;
        const std::string linked = mount + "/linked.txt";
        std::ofstream(linked) << "old";
        if (::link(linked.c_str(), (mount + "/link").c_str()) != 0) return 1;
        std::ofstream filler(mount + "/filler", std::ios::binary);
        while (filler << std::string(4096, 'f') << std::flush) continue;
        const FileWriteResult result = WriteWholeFile(linked, std::string(16384, 'n'));
        if (result.ok || result.error != "No space left on device") return 2;
        return ReadFileBytes(linked) == "old" ? 0 : 3;
    });
    if (status == testing::kChildSetupFailed) GTEST_SKIP() << "cannot mount a small file system";
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace halvex
