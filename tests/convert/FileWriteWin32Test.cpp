// The file writer on Windows: replacing through ReplaceFileW, the fall-backs, wide paths and the
// system's reasons.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/Win32Text.h"
#include "convert/FileWrite.h"

namespace halvex {
namespace {

namespace fs = std::filesystem;

class FileWriteWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("halvex-write-" + std::to_string(::GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        for (const auto& entry : fs::directory_iterator(dir_)) {
            ::SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        fs::remove_all(dir_);
    }

    fs::path Put(const std::string& name, const std::string& bytes) const {
        const fs::path path = dir_ / fs::u8path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::string Utf8(const fs::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

TEST_F(FileWriteWin32Test, AFileIsReplacedWholeWithNothingLeftBeside) {
    const fs::path path = Put("points.txt", "an older and longer content");
    // Named relative to the working folder and with forward slashes, as a command line may.
    const fs::path before = fs::current_path();
    fs::current_path(dir_.parent_path());
    const FileWriteResult result =
        WriteWholeFile(Utf8(dir_.filename()) + "/points.txt", "new\r\n");
    fs::current_path(before);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(Read(path), "new\r\n");
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(FileWriteWin32Test, AWriteProtectedFileIsNotReplaced) {
    const fs::path path = Put("kept.dxf", "earlier drawing");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const FileWriteResult result = WriteWholeFile(Utf8(path), "new drawing");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, Win32ErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Read(path), "earlier drawing");
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(FileWriteWin32Test, ANameOutsideTheCodePageIsWrittenByItsWideName) {
    const fs::path path = dir_ / fs::u8path("Vermessung \xc3\x98st \xe6\xb8\xac\xe9\x87\x8f.txt");
    ASSERT_TRUE(WriteWholeFile(Utf8(path), "P,C,1,2,3\r\n").ok);
    EXPECT_EQ(Read(path), "P,C,1,2,3\r\n");
}

TEST_F(FileWriteWin32Test, AHardLinkedFileIsWrittenInPlace) {
    const fs::path name = Put("name.txt", "old bytes");
    const fs::path other = dir_ / "other-name.txt";
    ASSERT_TRUE(::CreateHardLinkW(other.c_str(), name.c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(Utf8(name), "new").ok);
    EXPECT_EQ(Read(other), "new");
}

TEST_F(FileWriteWin32Test, AMissingFolderIsTheSystemsReason) {
    const FileWriteResult result = WriteWholeFile(Utf8(dir_ / "missing" / "out.dxf"), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, Win32ErrorText(ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace halvex
