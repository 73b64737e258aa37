// The programs' file input: a file that cannot be read is named with the system's reason.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shared/StreamIo.h"

namespace halvex::tool {
namespace {

TEST(StreamIo, AnUnreadableInputIsNamedWithTheSystemsReason) {
    const std::string folder = ::testing::TempDir();
    const std::string missing = folder + "halvex-no-such-file";
    std::vector<std::string> told;
    const auto tell = [&](const std::string& line) { told.push_back(line); };
    EXPECT_FALSE(ReadInput(missing, tell));
    EXPECT_FALSE(ReadInput(folder, tell));  // opens on some systems, but cannot be read
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], "cannot read " + missing + ": No such file or directory");
    const std::string folderPrefix = "cannot read " + folder + ": ";
    EXPECT_EQ(told[1].rfind(folderPrefix, 0), 0u) << told[1];
    EXPECT_GT(told[1].size(), folderPrefix.size());
}

}  // namespace
}  // namespace halvex::tool
