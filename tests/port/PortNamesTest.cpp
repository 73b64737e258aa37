// Which device each port name opens on Linux, where the names are mapped to devices.
#include <gtest/gtest.h>

#include <map>

#include "port/PortChoices.h"
#include "port/PortNames.h"

namespace halvex {
namespace {

TEST(PortNames, DevicePathsDefaultToTtySAndFollowOverrides) {
    const std::map<std::string, std::string> environment = {
        {"HALVEX_COM2", "/dev/serial/by-id/usb-adapter"},
        {"HALVEX_COM3", ""},  // empty counts as unset
        {"HALVEX_COM7", "/dev/ttyUSB9"},
    };
    const EnvironmentLookup lookup = [&](const std::string& name) -> std::optional<std::string> {
        auto found = environment.find(name);
        if (found == environment.end()) return std::nullopt;
        return found->second;
    };
    const std::map<std::string, std::optional<std::string>> expected = {
        {"COM1", "/dev/ttyS0"}, {"COM2", "/dev/serial/by-id/usb-adapter"},
        {"COM3", "/dev/ttyS2"}, {"COM6", "/dev/ttyS5"},
        {"COM7", std::nullopt}, {"com1", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [name, path] : expected) {
        EXPECT_EQ(DevicePathForPort(name, lookup), path) << name;
    }
}

TEST(PortNames, TheEnvironmentWinsOverTheChosenDeviceWhichWinsOverTheDefault) {
    PortChoices choices;
    choices.Choose("COM1", "/dev/serial/by-id/usb-chosen");
    choices.Choose("COM2", "/dev/ttyUSB1");
    choices.Choose("COM2", "");  // back to the default
    choices.Choose("COM3", "/dev/ttyUSB3");
    const EnvironmentLookup environment = [](const std::string& name) {
        return name == "HALVEX_COM3" ? std::optional<std::string>("/dev/pts/7") : std::nullopt;
    };
    const auto device = [&](const char* name) {
        return DeviceForPort(name, environment, choices.Lookup()).value();
    };
    EXPECT_EQ(device("COM1").path, "/dev/serial/by-id/usb-chosen");
    EXPECT_EQ(device("COM1").source, PortDeviceSource::Chosen);
    EXPECT_EQ(device("COM2").path, "/dev/ttyS1");
    EXPECT_EQ(device("COM2").source, PortDeviceSource::Default);
    EXPECT_EQ(device("COM3").path, "/dev/pts/7");
    EXPECT_EQ(device("COM3").source, PortDeviceSource::Environment);
}

TEST(PortNames, ProcessEnvironmentPointsAPortElsewhere) {
    ASSERT_EQ(::setenv("HALVEX_COM5", "/tmp/halvex-test-port", 1), 0);
    EXPECT_EQ(DevicePathForPort("COM5", ProcessEnvironment), "/tmp/halvex-test-port");
    ASSERT_EQ(::unsetenv("HALVEX_COM5"), 0);
    EXPECT_EQ(DevicePathForPort("COM5", ProcessEnvironment), "/dev/ttyS4");
}

}  // namespace
}  // namespace halvex
