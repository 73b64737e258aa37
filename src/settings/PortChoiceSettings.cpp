#include "settings/PortChoiceSettings.h"

#include <QString>

#include "settings/SettingsStore.h"

namespace halvex {

namespace {

QString PortKey(const std::string& portName) {
    return QStringLiteral("Ports/") + QString::fromStdString(portName);
}

}  // namespace

void ReadPortChoices(PortChoices& choices) {
    const std::unique_ptr<QSettings> settings = OpenAppSettings();
    for (std::int32_t index = 0; index < kPortCount; ++index) {
        const std::string name = *PortNameForIndex(index);
        choices.Choose(name, settings->value(PortKey(name)).toString().toStdString());
    }
}

void WritePortChoices(const PortChoices& choices) {
    const std::unique_ptr<QSettings> settings = OpenAppSettings();
    for (std::int32_t index = 0; index < kPortCount; ++index) {
        const std::string name = *PortNameForIndex(index);
        if (const std::optional<std::string> device = choices.Chosen(name)) {
            settings->setValue(PortKey(name), QString::fromStdString(*device));
        } else {
            settings->remove(PortKey(name));
        }
    }
}

}  // namespace halvex
