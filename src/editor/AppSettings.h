#pragma once
// The per-user settings store: organisation "Local AppWizard-Generated Applications",
// application "Halvex". It holds the recent-file list and the print-preview page count.

#include <QSettings>
#include <QString>
#include <memory>

namespace halvex {

inline constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Halvex";

std::unique_ptr<QSettings> OpenAppSettings();

// "Settings"/"PreviewPages": 2 shows two pages side by side, anything else one.
int ReadPreviewPages();
void WritePreviewPages(int pages);

}  // namespace halvex
