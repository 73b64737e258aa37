// The one file-writing routine: what it keeps of the file it writes (owner, group, permissions,
// hard links) and what a full disk leaves behind. The cases with other users run as root here
// and let a forked child act as the ordinary user.
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
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::permissions(dir_, fs::perms::all);  // an ordinary user may make files here
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
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
    // Root (as under sudo) replaces a user's file: the new file is given the user's ids.
    const std::string users = PathOf("users.txt");
    Put(users, "old");
    ASSERT_EQ(::chown(users.c_str(), testing::kNobody, testing::kNoGroup), 0);
    ASSERT_EQ(::chmod(users.c_str(), 0640), 0);
    const ino_t before = StatOf(users).st_ino;
    ASSERT_TRUE(WriteWholeFile(users, "by root").ok);
    EXPECT_EQ(ReadFileBytes(users), "by root");
    EXPECT_EQ(StatOf(users).st_uid, testing::kNobody);
    EXPECT_EQ(StatOf(users).st_gid, testing::kNoGroup);
    EXPECT_EQ(StatOf(users).st_mode & 07777, 0640u);
    EXPECT_NE(StatOf(users).st_ino, before);  // replaced as a whole, not overwritten

    // An ordinary user writes root's file: a new file could not be root's, so it is written in
    // place and stays root's.
    const std::string roots = PathOf("roots.txt");
    Put(roots, "old and longer");
    ASSERT_EQ(::chmod(roots.c_str(), 0666), 0);
    const int status = testing::RunInChild([&] {
        if (!testing::BecomeOrdinaryUser()) return testing::kChildSetupFailed;
        return WriteWholeFile(roots, "by nobody").ok ? 0 : 1;
    });
    ASSERT_NE(status, testing::kChildSetupFailed) << "could not drop to an ordinary user";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFileBytes(roots), "by nobody");
    EXPECT_EQ(StatOf(roots).st_uid, 0u);
    EXPECT_EQ(StatOf(roots).st_mode & 07777, 0666u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
}

TEST_F(FileWriteTest, AHardLinkedFileIsWrittenInPlace) {
    const std::string name = PathOf("name.txt");
    const std::string other = PathOf("other-name.txt");
    Put(name, "old bytes");
    ASSERT_EQ(::link(name.c_str(), other.c_str()), 0);
    ASSERT_TRUE(WriteWholeFile(name, "new").ok);
    EXPECT_EQ(ReadFileBytes(other), "new");
    EXPECT_EQ(StatOf(name).st_nlink, 2u);
}

TEST_F(FileWriteTest, AFullDiskKeepsTheOldFileWholeAndSaysWhy) {
    const std::string mount = PathOf("small");
    fs::create_directory(mount);
    // Results of the child: 0 when all held, else the number of the first check that failed.
    const int status = testing::RunInChild([&] {
        if (!testing::MountSmallFileSystem(mount.c_str(), 64)) return testing::kChildSetupFailed;
        const std::string replaced = mount + "/replaced.txt";
        const std::string linked = mount + "/linked.txt";
        Put(replaced, "old one");
        Put(linked, "old two");
        if (::link(linked.c_str(), (mount + "/link").c_str()) != 0) return 1;
        {
            std::ofstream filler(mount + "/filler", std::ios::binary);
            const std::string block(4096, 'f');
            while (filler.write(block.data(), block.size())) filler.flush();
        }
        const std::string large(16384, 'n');
        // Replacing beside it, and writing in place (a hard-linked file).
        const FileWriteResult replace = WriteWholeFile(replaced, large);
        const FileWriteResult inPlace = WriteWholeFile(linked, large);
        if (replace.ok || replace.error != "No space left on device") return 2;
        if (inPlace.ok || inPlace.error != "No space left on device") return 3;
        if (ReadFileBytes(replaced) != "old one" || ReadFileBytes(linked) != "old two") return 4;
        if (std::distance(fs::directory_iterator(mount), {}) != 4) return 5;  // nothing left over
        return 0;
    });
    if (status == testing::kChildSetupFailed) GTEST_SKIP() << "cannot mount a small file system";
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace halvex
