// The point plot with a full editor: 30,000 point lines in 1,048,575 bytes. Reading the text
// (copying it out of the editor and finding the points), opening the plot window until its
// first picture is painted, and repainting while the user pans and zooms, at the fitting scale
// (every point in the picture) and zoomed in (names written).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>

#include "PointListData.h"
#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "plot/PlotPainter.h"
#include "plot/PointPlotCanvas.h"
#include "plot/PointPlotWindow.h"
#include "editor/ByteEditor.h"
#include "editor/HalvexView.h"

namespace {

using namespace halvex;

// The program with the point list in its editor.
struct FullEditor {
    CHalvexApp app;
    CHalvexView* view = nullptr;

    bool Start() {
        if (!app.InitInstance({})) return false;
        view = app.View();
        view->SetEditorText(bench::MakePointList());
        return view->Editor()->Length() == kEditorCapacity;
    }
};

void BM_ReadFullEditor(benchmark::State& state) {
    FullEditor editor;
    if (!editor.Start()) return state.SkipWithError("the editor did not take the point list");
    std::size_t points = 0;
    for (auto _ : state) {
        const std::shared_ptr<const PlotData> data = ReadPlotData(editor.view->Editor()->Bytes());
        points = data->scan.points.size();
    }
    state.counters["points"] = static_cast<double>(points);
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void BM_OpenPlot(benchmark::State& state) {
    FullEditor editor;
    if (!editor.Start()) return state.SkipWithError("the editor did not take the point list");
    CMainFrame* frame = editor.app.MainFrame();
    for (auto _ : state) {
        frame->RouteCommand(32792);
        PointPlotWindow* plot = frame->PointPlot();
        // Until the window has shown its first picture.
        PaintCounter counter;
        plot->Canvas()->installEventFilter(&counter);
        while (counter.paints == 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        state.PauseTiming();
        delete plot;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Repaints a 1000 by 700 picture, panning by a few pixels or zooming in and out in turn.
void Repaint(benchmark::State& state, double zoom, bool panning) {
    const std::shared_ptr<const PlotData> data = ReadPlotData(bench::MakePointList());
    PlotViewport viewport;
    viewport.SetSize({1000, 700});
    viewport.Fit(data->bounds);
    viewport.ZoomAbout({500, 350}, zoom);
    QImage image(1000, 700, QImage::Format_RGB32);
    PaintedPlot painted;
    int step = 0;
    for (auto _ : state) {
        if (panning) {
            viewport.PanBy(step % 2 ? QPointF(-7, -3) : QPointF(7, 3));
        } else {
            viewport.ZoomAbout({480, 330}, step % 2 ? 1 / 1.25 : 1.25);
        }
        ++step;
        QPainter painter(&image);
        painted = PaintPlot(painter, *data, viewport);
    }
    state.counters["marks"] = painted.marks;
    state.counters["names"] = painted.labels;
}

void BM_RepaintPanningAllPoints(benchmark::State& state) { Repaint(state, 1, true); }
void BM_RepaintZoomingAllPoints(benchmark::State& state) { Repaint(state, 1, false); }
void BM_RepaintPanningZoomedIn(benchmark::State& state) { Repaint(state, 6, true); }
void BM_RepaintZoomingZoomedIn(benchmark::State& state) { Repaint(state, 6, false); }

BENCHMARK(BM_ReadFullEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPlot)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RepaintPanningAllPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintZoomingAllPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintPanningZoomedIn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintZoomingZoomedIn)->Unit(benchmark::kMillisecond);

}  // namespace
