// The line-end scan and change on a full editor (1,048,575 bytes of 30-byte lines). The scan
// decides whether "Line Ends to CR LF" is enabled and runs whenever the menus' states are
// refreshed, so it must stay far below a frame's time; the worst case is a text of CR LF lines,
// which it reads to the end.

#include <benchmark/benchmark.h>

#include <string>

#include "common/EditorOps.h"
#include "convert/LineEnds.h"

namespace {

std::string FullEditor(const char* lineEnd) {
    std::string text;
    while (text.size() < halvex::kEditorCapacity)
        text += std::string("P1,TREE,2345.678,1234.567,1.5") + lineEnd;
    text.resize(halvex::kEditorCapacity);
    return text;
}

void BM_ScanCrLfText(benchmark::State& state) {
    const std::string text = FullEditor("\r\n");
    for (auto _ : state) benchmark::DoNotOptimize(halvex::HasLfWithoutCr(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ScanCrLfText);

void BM_ChangeLfText(benchmark::State& state) {
    const std::string text = FullEditor("\n");
    for (auto _ : state) benchmark::DoNotOptimize(halvex::LfToCrLf(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ChangeLfText);

}  // namespace

BENCHMARK_MAIN();
