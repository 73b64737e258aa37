// Start-up to a shown window, opening the largest file, and a worker appending 30,000 lines
// one by one (the time per line must stay flat as the text grows).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <thread>

#include "app/HalvexApp.h"
#include "app/MainFrame.h"
#include "common/EditorOps.h"
#include "editor/HalvexDoc.h"
#include "editor/HalvexView.h"

namespace {

void BM_StartupToShownWindow(benchmark::State& state) {
    for (auto _ : state) {
        halvex::CHalvexApp app;
        if (!app.InitInstance({})) state.SkipWithError("start-up failed");
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(app.MainFrame()->isVisible());
    }
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);

void BM_OpenLargestFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largest.txt"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        std::string line = "1234,PT,512345.678,3456789.012,123.456\r\n";
        std::string text;
        while (text.size() + line.size() <= halvex::kEditorCapacity) text += line;
        text.append(halvex::kEditorCapacity - text.size(), 'x');
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    halvex::CHalvexApp app;
    app.InitInstance({});
    for (auto _ : state) {
        if (!app.Document()->OnOpenDocument(path)) state.SkipWithError("open failed");
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(halvex::kEditorCapacity));
}
BENCHMARK(BM_OpenLargestFile)->Unit(benchmark::kMillisecond);

// A worker appends state.range(0) lines of 35 bytes (33 characters and CR LF), one call each,
// while the user-interface thread runs its event loop.
void BM_WorkerAppendsLines(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const std::string line = std::string(33, 'd') + "\r\n";
    halvex::CHalvexApp app;
    app.InitInstance({});
    halvex::CHalvexView* view = app.View();
    int refused = 0;
    for (auto _ : state) {
        view->SetEditorText({});
        QEventLoop loop;
        std::thread worker([&] {
            refused = 0;
            for (int i = 0; i < lines; ++i) refused += view->AppendEditorText(line) ? 0 : 1;
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
    }
    // 30,000 lines of 35 bytes are 1,050,000 bytes: the last 41 do not fit and are refused.
    state.counters["refused"] = refused;
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_WorkerAppendsLines)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
