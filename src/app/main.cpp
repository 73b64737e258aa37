#include <QApplication>
#include <cstdio>

#include "app/ApplicationIcon.h"
#include "app/CommandLine.h"
#include "app/HalvexApp.h"
#include "app/Usage.h"
#include "common/Version.h"

namespace {

QStringList ArgumentsAfterProgramName(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version are answered before QApplication exists, so they need no display.
    const halvex::CommandLineInfo request =
        halvex::ParseCommandLine(ArgumentsAfterProgramName(argc, argv));
    if (request.showHelp) {
        std::fputs(halvex::HalvexUsage(), stdout);
        return 0;
    }
    if (request.showVersion) {
        std::fputs(halvex::VersionLine("halvex").c_str(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setWindowIcon(halvex::ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("halvex"));
    halvex::CHalvexApp halvex;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (!halvex.InitInstance(arguments)) return halvex.ExitCode();
    return QApplication::exec();
}
