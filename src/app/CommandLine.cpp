#include "app/CommandLine.h"

namespace halvex {
namespace {

const char* const kKnownSwitches[] = {"p", "pt", "unregister", "unregserver", "command"};

bool IsKnownSwitch(const QString& name) {
    for (const char* known : kKnownSwitches) {
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

// The switch name of `argument`, or an empty string when it is a parameter.
QString SwitchName(const QString& argument) {
    if (argument.size() < 2) return {};
    if (argument.startsWith(QLatin1Char('-'))) return argument.mid(1);
    if (argument.startsWith(QLatin1Char('/')) && IsKnownSwitch(argument.mid(1))) {
        return argument.mid(1);
    }
    return {};
}

bool Is(const QString& name, const char* expected) {
    return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

}  // namespace

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CommandLineInfo info;
    QStringList parameters;
    bool switchesEnded = false;
    bool print = false;
    bool printTo = false;
    bool unregister = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name = switchesEnded ? QString() : SwitchName(argument);
        if (!switchesEnded && argument == QLatin1String("--")) {
            switchesEnded = true;
        } else if (name.isEmpty()) {
            parameters.push_back(argument);
        } else if (Is(name, "p")) {
            print = true;
        } else if (Is(name, "pt")) {
            printTo = true;
        } else if (Is(name, "unregister") || Is(name, "unregserver")) {
            unregister = true;
        } else if (Is(name, "-help")) {
            info.showHelp = true;
        } else if (Is(name, "-version")) {
            info.showVersion = true;
        } else if (Is(name, "command") && i + 1 < arguments.size()) {
            bool isNumber = false;
            const int id = arguments[++i].toInt(&isNumber);
            if (isNumber) info.commands.push_back(id);
        }
    }
    if (!parameters.isEmpty()) info.fileName = parameters[0];
    if (unregister) {
        info.action = CommandLineInfo::Action::Unregister;
    } else if (printTo && parameters.size() >= 2) {
        info.action = CommandLineInfo::Action::FilePrintTo;
        info.printerName = parameters[1];
    } else if ((print || printTo) && !info.fileName.isEmpty()) {
        info.action = CommandLineInfo::Action::FilePrint;
    } else if (!info.fileName.isEmpty()) {
        info.action = CommandLineInfo::Action::FileOpen;
    }
    return info;
}

}  // namespace halvex
