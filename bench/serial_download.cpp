// A whole download from the simulated instrument over a pseudo-terminal into the fake editor:
// about 1 MiB in 30,000 lines, as fast as the line allows. Bytes per second are the figure. Each
// download runs untraced (trace:0) and with its line trace written to a file (trace:1), so that
// the cost of the trace shows in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <thread>

#include "DownloadData.h"
#include "convert/FileWrite.h"
#include "port/PosixSerialPort.h"
#include "station/lib/DownloadScript.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"
#include "support/TransferModes.h"
#include "transfers/DownloadCommand.h"
#include "transfers/DownloadWorker.h"
#include "transfers/TracedTransfer.h"

namespace {

using namespace halvex;
using halvex::bench::MakeDownload;

constexpr std::size_t kLines = 30'000;

// The trace of every download goes to one temporary file.
class TraceToFile : public TraceSink {
public:
    ~TraceToFile() override { std::remove(path_.c_str()); }
    std::optional<TracePlace> PlaceTrace(const std::string&,
                                         std::chrono::system_clock::time_point) override {
        return TracePlace{path_, "bench"};
    }
    std::string WriteTrace(const TracePlace& place, std::string_view text) override {
        bytes_ = text.size();
        return WriteWholeFile(place.path, text).error;
    }
    std::size_t Bytes() const { return bytes_; }

private:
    std::string path_ = "/tmp/halvex-bench-download.trace";
    std::size_t bytes_ = 0;
};

// Notes when the download has ended: the editor becomes writable again as the worker's last step.
class TimedEditor : public testing::FakeEditor {
public:
    using Clock = std::chrono::steady_clock;
    void SetEditorReadOnly(bool readOnly) override {
        FakeEditor::SetEditorReadOnly(readOnly);
        if (!readOnly) ended = Clock::now();
    }
    Clock::time_point ended;
};

void RunDownloadBenchmark(benchmark::State& state, std::int16_t mode, station::Family family,
                          bool ackNak, const std::string& data, std::size_t expectedText) {
    using Clock = TimedEditor::Clock;
    const bool traced = state.range(0) != 0;
    TraceToFile traces;
    // Until the download has ended, and from then until the worker is done (the trace written).
    Clock::duration transfer{0};
    Clock::duration afterwards{0};
    for (auto _ : state) {
        std::string error;
        auto line = station::StationLine::CreatePseudoTerminal(error);
        if (!line) {
            state.SkipWithError(error.c_str());
            return;
        }
        TimedEditor editor;
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
        const auto started = Clock::now();
        const InstrumentFamily downloaded = testing::FamilyForMode(mode);
        StartTraced({editor, dialogs, settings, ports, workers, traced ? &traces : nullptr},
                    DownloadCommandName(downloaded),
                    [downloaded](const TransferEnvironment& env, TransferDone done) {
                        return StartDownload(env, downloaded, std::move(done));
                    });
        workers.WaitIdle();
        transfer += editor.ended - started;
        afterwards += Clock::now() - editor.ended;
        instrument.join();
        if (editor.Text().size() != expectedText) {
            state.SkipWithError("the editor did not receive the whole download");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
    state.counters["trace_bytes"] = static_cast<double>(traces.Bytes());
    const auto perIteration = [&](Clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["download_ms"] = perIteration(transfer);
    state.counters["then_ms"] = perIteration(afterwards);
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
    ->ArgName("trace")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_DownloadTamselAckNak)
    ->ArgName("trace")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
