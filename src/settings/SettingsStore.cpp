#include "settings/SettingsStore.h"

#include <QString>

namespace halvex {

std::unique_ptr<QSettings> OpenAppSettings() {
    return std::make_unique<QSettings>(QString::fromLatin1(kSettingsOrganization),
                                       QString::fromLatin1(kSettingsApplication));
}

}  // namespace halvex
