#pragma once
// The window's use of the per-user settings store (settings/SettingsStore.h): the recent-file
// list, the print-preview page count, the Line Trace switch and the devices chosen for
// COM1..COM6 (settings/PortChoiceSettings.h, shared with halvex-transfer).

#include <QSettings>
#include <QString>
#include <memory>

#include "settings/PortChoiceSettings.h"
#include "settings/SettingsStore.h"

namespace halvex {

// "Settings"/"PreviewPages": 2 shows two pages side by side, anything else one.
int ReadPreviewPages();
void WritePreviewPages(int pages);

// "Trace/Enabled": whether Comm > Line Trace is on (off when absent).
bool ReadTraceEnabled();
void WriteTraceEnabled(bool enabled);

}  // namespace halvex
