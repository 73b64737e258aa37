// Building the upload queue from a full editor (1,048,575 bytes of CASS point lines), for each
// of the six upload commands.

#include <benchmark/benchmark.h>

#include <string>

#include "common/EditorOps.h"
#include "upload/UploadCommand.h"

namespace {

std::string FullPointList() {
    std::string text;
    for (int i = 0; text.size() < halvex::kEditorCapacity; ++i) {
        const std::string n = std::to_string(i);
        text += "PT" + n + ",TREE," + std::to_string(2545000 + i % 9000) + "." +
                std::to_string(100 + i % 900) + "," + std::to_string(3120000 + i % 7000) + ".25," +
                std::to_string(i % 300) + ".125\r\n";
    }
    text.resize(halvex::kEditorCapacity);
    return text;
}

void BuildQueue(benchmark::State& state, halvex::UploadKind kind) {
    const std::string text = FullPointList();
    std::size_t queued = 0;
    for (auto _ : state) {
        halvex::UploadBuild build = halvex::BuildUpload(kind, text, halvex::Handshake::None);
        queued = build.queue.size();
        benchmark::DoNotOptimize(build);
    }
    state.counters["queue_bytes"] = static_cast<double>(queued);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK_CAPTURE(BuildQueue, TamselCoordinate, halvex::UploadKind::TamselCoordinate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildQueue, BrennoCoordinate, halvex::UploadKind::BrennoCoordinate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildQueue, CorvaneCoordinate, halvex::UploadKind::CorvaneCoordinate)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildQueue, TamselCodeList, halvex::UploadKind::TamselCodeList)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildQueue, BrennoCodeList, halvex::UploadKind::BrennoCodeList)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildQueue, OtherData, halvex::UploadKind::OtherData)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
