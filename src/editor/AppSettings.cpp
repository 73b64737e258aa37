#include "editor/AppSettings.h"

namespace halvex {

int ReadPreviewPages() {
    return OpenAppSettings()->value(QStringLiteral("Settings/PreviewPages"), 0).toInt() == 2 ? 2
                                                                                            : 1;
}

void WritePreviewPages(int pages) {
    OpenAppSettings()->setValue(QStringLiteral("Settings/PreviewPages"), pages == 2 ? 2 : 1);
}

bool ReadTraceEnabled() {
    return OpenAppSettings()->value(QStringLiteral("Trace/Enabled"), false).toBool();
}

void WriteTraceEnabled(bool enabled) {
    OpenAppSettings()->setValue(QStringLiteral("Trace/Enabled"), enabled);
}

}  // namespace halvex
