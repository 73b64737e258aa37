#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "port/StableDeviceLink.h"

namespace halvex {
namespace {

TEST(StableDeviceLink, FindsTheLinkThatLeadsToTheDevice) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::path(::testing::TempDir()) / ("halvex-by-id-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "by-id");
    std::ofstream(root / "ttyUSB0").put('\n');
    std::ofstream(root / "ttyUSB1").put('\n');
    fs::create_symlink(root / "ttyUSB1", root / "by-id" / "usb-Maker_Adapter_B2-if00-port0");
    fs::create_symlink("../ttyUSB0", root / "by-id" / "usb-Maker_Adapter_A1-if00-port0");
    const std::string folder = (root / "by-id").string();

    EXPECT_EQ(FindStableDeviceLink((root / "ttyUSB0").string(), folder),
              (root / "by-id" / "usb-Maker_Adapter_A1-if00-port0").string());
    EXPECT_EQ(FindStableDeviceLink((root / "missing").string(), folder), std::nullopt);
    EXPECT_EQ(FindStableDeviceLink((root / "ttyUSB0").string(), (root / "none").string()),
              std::nullopt);
    fs::remove_all(root);
}

}  // namespace
}  // namespace halvex
