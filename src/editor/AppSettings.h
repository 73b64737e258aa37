#pragma once
// The per-user settings store: organisation "Local AppWizard-Generated Applications",
// application "Halvex". It holds the recent-file list, the print-preview page count and the
// devices chosen for COM1..COM6 (section "Ports", one key per port name; no key: the default).

#include <QSettings>
#include <QString>
#include <memory>

#include "serial/PortChoices.h"

namespace halvex {

inline constexpr const char* kSettingsOrganization = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Halvex";

std::unique_ptr<QSettings> OpenAppSettings();

// "Settings"/"PreviewPages": 2 shows two pages side by side, anything else one.
int ReadPreviewPages();
void WritePreviewPages(int pages);

// "Ports/COM1".."Ports/COM6" into `choices`, and back.
void ReadPortChoices(PortChoices& choices);
void WritePortChoices(const PortChoices& choices);

}  // namespace halvex
