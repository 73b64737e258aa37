// A whole download from the simulated instrument over a pseudo-terminal into the fake editor:
// about 1 MiB in 30,000 lines, as fast as the line allows. Bytes per second are the figure.

#include <benchmark/benchmark.h>

#include <thread>

#include "DownloadData.h"
#include "port/PosixSerialPort.h"
#include "station/lib/DownloadScript.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/TransferModes.h"
#include "transfers/DownloadWorker.h"

namespace {

using namespace halvex;
using halvex::bench::MakeDownload;

constexpr std::size_t kLines = 30'000;


void RunDownloadBenchmark(benchmark::State& state, std::int16_t mode, station::Family family,
                          bool ackNak, const std::string& data, std::size_t expectedText) {
    for (auto _ : state) {
        std::string error;
        auto line = station::StationLine::CreatePseudoTerminal(error);
        if (!line) {
            state.SkipWithError(error.c_str());
            return;
        }
        testing::FakeEditor editor;
        testing::FakeDialogs dialogs;
        CommSettings settings;
        settings.Protocol = ackNak ? 1 : 0;
        settings.BaudIndex = 7;
        PosixPortOpener ports([&](const std::string&) { return line->DevicePath(); });
        WorkerRegistry workers;
        station::DownloadScript script;
        script.family = family;
        script.ackNak = ackNak;
        script.data = data;

        std::thread instrument([&] { station::RunDownload(*line, script); });
        StartDownload({editor, dialogs, settings, ports, workers}, testing::FamilyForMode(mode));
        workers.WaitIdle();
        instrument.join();
        if (editor.Text().size() != expectedText) {
            state.SkipWithError("the editor did not receive the whole download");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
    state.counters["goal_bytes_per_second"] = 50.0 * 11'520;
}

// Brenno family, no handshake: the text is exactly what was sent, up to the editor's capacity.
void BM_DownloadBrennoNoHandshake(benchmark::State& state) {
    const std::string data = MakeDownload(kLines, kEditorCapacity);
    RunDownloadBenchmark(state, 2, station::Family::Brenno, false, data, data.size());
}

// Tamsel family with Ack/Nak: one ACK round trip per line; every line after the first gets one
// extra LF in the editor, so the sent data is smaller by that much.
void BM_DownloadTamselAckNak(benchmark::State& state) {
    const std::string data = MakeDownload(kLines, kEditorCapacity - (kLines - 1));
    RunDownloadBenchmark(state, 1, station::Family::Tamsel, true, data, kEditorCapacity);
}

BENCHMARK(BM_DownloadBrennoNoHandshake)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_DownloadTamselAckNak)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
