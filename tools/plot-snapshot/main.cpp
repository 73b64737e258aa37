// Makes a picture of the point plot with the program's own windows and the plot's own save:
// opens FILE as the desktop program would, chooses "Point Plot" (command 32792) and saves the
// plot as PNG (or SVG, by the extension of OUTPUT). Used for the README's picture; runs on the
// offscreen platform when there is no display.
//
//   halvex-plot-snapshot FILE OUTPUT [WIDTH HEIGHT]

#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "editor/CommandIds.h"
#include "plot/PointPlotCanvas.h"
#include "plot/PointPlotWindow.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3 && arguments.size() != 5) {
        std::fputs("usage: halvex-plot-snapshot FILE OUTPUT [WIDTH HEIGHT]\n", stderr);
        return 2;
    }
    halvex::CHalvexApp halvex;
    if (!halvex.InitInstance({arguments[1]})) return 1;
    halvex.MainFrame()->RouteCommand(halvex::ids::kWindowPointPlot);
    halvex::PointPlotWindow* plot = halvex.MainFrame()->PointPlot();
    if (arguments.size() == 5) plot->resize(arguments[3].toInt(), arguments[4].toInt());
    QApplication::processEvents();
    plot->Canvas()->FitAll();
    QString error;
    if (!plot->SaveImage(arguments[2], &error)) {
        QTextStream(stderr) << "Cannot save " << arguments[2] << ": " << error << "\n";
        return 1;
    }
    return 0;
}
