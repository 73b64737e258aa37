// The DXF drawing of 30,000 CASS point lines (about 1 MiB, a full editor), built in memory and
// written to a file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "convert/CassDxf.h"
#include "convert/DxfExport.h"

namespace {

std::string FullPointList() {
    std::string text;
    for (int i = 0; i < 30000; ++i) {
        text += 'P';
        text += std::to_string(i);
        text += ",T,";
        text += std::to_string(545000 + i % 9000);
        text += ".12,";
        text += std::to_string(120000 + i);
        text += ".5,";
        text += std::to_string(10 + i % 90);
        text += ".2\r\n";
    }
    return text;
}

void BuildDrawing(benchmark::State& state) {
    const std::string text = FullPointList();
    int points = 0;
    for (auto _ : state) {
        halvex::DxfDrawing drawing = halvex::BuildCassDxf(text);
        points = drawing.points;
        benchmark::DoNotOptimize(drawing);
    }
    state.counters["points"] = points;
    state.counters["input_bytes"] = static_cast<double>(text.size());
}

void ExportToFile(benchmark::State& state) {
    const std::string text = FullPointList();
    const std::string path = "/tmp/halvex-bench-" + std::to_string(::getpid()) + ".dxf";
    int points = 0;
    for (auto _ : state) {
        const halvex::DxfExportOutcome outcome = halvex::ExportCassToDxf(text, path);
        if (!outcome.written) state.SkipWithError(outcome.error.c_str());
        points = outcome.points;
    }
    ::unlink(path.c_str());
    state.counters["points"] = points;
}

BENCHMARK(BuildDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportToFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
