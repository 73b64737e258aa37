#pragma once
// How a Windows serial port is named to CreateFileA. "COM1" to "COM9" open by their names, but
// "COM10" and above only in the device namespace ("\\.\COM10"); the device form works for all,
// so every COM name is opened in it. Other device names (a virtual port driver's "\\.\CNCA0")
// are opened as given.

#include <string>

namespace halvex {

// "\\.\COM7" for "COM7" or "com7"; any other name as it is.
std::string ComDeviceName(const std::string& name);

}  // namespace halvex
