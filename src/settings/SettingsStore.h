#pragma once
// The per-user settings store: organisation "Local AppWizard-Generated Applications",
// application "Halvex". The window keeps its recent-file list, print-preview page count and
// chosen serial devices there; halvex-transfer reads the devices from the same file. Qt Core
// only, so a program without a window can use it.

#include <QSettings>
#include <memory>

namespace halvex {

inline constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Halvex";

std::unique_ptr<QSettings> OpenAppSettings();

}  // namespace halvex
