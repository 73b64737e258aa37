#include <gtest/gtest.h>

#include "port/ComPortName.h"

namespace halvex {
namespace {

TEST(ComPortName, ComNamesOpenInTheDeviceNamespaceOtherNamesAsGiven) {
    EXPECT_EQ(ComDeviceName("COM7"), "\\\\.\\COM7");
    EXPECT_EQ(ComDeviceName("com12"), "\\\\.\\COM12");
    EXPECT_EQ(ComDeviceName("\\\\.\\COM12"), "\\\\.\\COM12");
    EXPECT_EQ(ComDeviceName("\\\\.\\CNCA0"), "\\\\.\\CNCA0");
    EXPECT_EQ(ComDeviceName("COM0"), "COM0");
    EXPECT_EQ(ComDeviceName("COM"), "COM");
    EXPECT_EQ(ComDeviceName("COM1x"), "COM1x");
}

}  // namespace
}  // namespace halvex
