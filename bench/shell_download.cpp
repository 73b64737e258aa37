// A whole download into the real editor view: about 1 MiB in 30,000 lines from the simulated
// instrument over a pseudo-terminal, with the window's event loop running. Reports bytes per
// second and the longest time the user-interface thread did not get to run its event loop.
//
// The argument picks the data and the windows: 0 survey-like lines ending in LF; 2 a CASS point
// list (30,000 lines ending in CR LF, 1,048,575 bytes); 3 that point list with the point plot
// window open, following the editor during the download.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <thread>

#include "DownloadData.h"
#include "PointListData.h"
#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "editor/HalvexView.h"
#include "editor/MessageBoxes.h"
#include "port/PosixSerialPort.h"
#include "station/lib/DownloadScript.h"

namespace {

using namespace halvex;
using halvex::bench::MakeDownload;

constexpr std::size_t kLines = 30'000;

void BM_DownloadIntoView(benchmark::State& state) {
    const bool pointList = state.range(0) & 2;
    const bool plotOpen = state.range(0) & 1;
    const std::string data =
        pointList ? halvex::bench::MakePointList(kLines) : MakeDownload(kLines, kEditorCapacity);
    SetBoxAnswerer([](const BoxRequest&) { return BoxAnswer::Ok; });
    double longestBlockMs = 0;
    for (auto _ : state) {
        std::string error;
        auto line = station::StationLine::CreatePseudoTerminal(error);
        if (!line) {
            state.SkipWithError(error.c_str());
            break;
        }
        CHalvexApp app;
        if (!app.InitInstance({})) {
            state.SkipWithError("the main window did not start");
            break;
        }
        CHalvexView* view = app.View();
        const std::string device = line->DevicePath();
        view->SetPortOpener(std::make_unique<PosixPortOpener>(
            [device](const std::string&) { return std::optional<std::string>(device); }));
        view->CommSettings.BaudIndex = 7;

        station::DownloadScript script;
        script.family = station::Family::Brenno;
        script.data = data;
        std::thread instrument([&] { station::RunDownload(*line, script); });

        // A 1 ms timer runs whenever the event loop is free; the longest gap between
        // two of its ticks is the longest time the window could not react.
        QElapsedTimer sinceTick;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longestBlockMs = std::max(longestBlockMs, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        if (plotOpen) app.MainFrame()->RouteCommand(32792);  // the point plot
        app.MainFrame()->RouteCommand(32784);
        sinceTick.start();
        ticker.start(1);
        while (view->Workers.RunningCount() > 0) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        ticker.stop();
        instrument.join();
        if (view->GetEditorText().size() != data.size()) {
            state.SkipWithError("the editor did not receive the whole download");
            break;
        }
    }
    SetBoxAnswerer(nullptr);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
    state.counters["longest_ui_block_ms"] = longestBlockMs;
}

BENCHMARK(BM_DownloadIntoView)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->Arg(0)
    ->Arg(2)
    ->Arg(3);

}  // namespace
