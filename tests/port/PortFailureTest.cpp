#include <gtest/gtest.h>

#include <cerrno>

#include "port/PortFailure.h"

namespace halvex {
namespace {

TEST(PortFailure, EachOpenFailureNamesTheDeviceAndTheRemedy) {
    struct Row {
        int error;
        const char* remedy;
    };
    const Row rows[] = {
        {ENOENT,
         "Is the adapter plugged in? Choose the device for COM2 under Comm > Serial Ports..."},
        {EACCES, "group dialout"},
        {EWOULDBLOCK, "held by another program or another transfer"},
        {ENOTTY, "is not a serial device"},
        {EIO, "/dev/ttyUSB0 (COM2): Input/output error."},
    };
    for (const Row& row : rows) {
        const std::string text = DescribeOpenFailure("COM2", "/dev/ttyUSB0", row.error);
        EXPECT_EQ(text.rfind("/dev/ttyUSB0 (COM2)", 0), 0u) << text;
        EXPECT_NE(text.find(row.remedy), std::string::npos) << text;
    }
}

TEST(PortFailure, ADeviceSetInTheEnvironmentIsChangedThereNotInSerialPorts) {
    const std::string text =
        DescribeOpenFailure("COM1", "/tmp/pty", ENOENT, PortDeviceSource::Environment);
    EXPECT_EQ(text,
              "/tmp/pty (COM1): No such file or directory. Is the adapter plugged in? The "
              "environment variable HALVEX_COM1 decides the device for COM1: set it to "
              "another device, or unset it to use the one chosen under Comm > Serial "
              "Ports...");
}

TEST(PortFailure, RefusedSettingsAreTheOnesTheDeviceDidNotTake) {
    const LineSettings wanted{115200, 7, Parity::Even, 2};
    EXPECT_EQ(DescribeRefusedSettings("/dev/ttyUSB0", wanted, {115200, 8, Parity::None, 2}),
              "/dev/ttyUSB0 does not take 7 data bits and even parity. Choose settings the "
              "device and the instrument both support under Comm > ParameTer.");
    EXPECT_NE(DescribeRefusedSettings("/dev/ttyUSB0", wanted, wanted)
                  .find("115200 baud, 7 data bits, even parity and 2 stop bits"),
              std::string::npos);
}

}  // namespace
}  // namespace halvex
