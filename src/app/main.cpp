#include <QApplication>

#include "app/HalvexApp.h"
#include "app/ToolbarIcons.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(halvex::ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("halvex"));
    halvex::CHalvexApp halvex;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (!halvex.InitInstance(arguments)) return halvex.ExitCode();
    return QApplication::exec();
}
