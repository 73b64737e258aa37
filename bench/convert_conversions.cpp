// Each editor-rewriting conversion on a full editor (1,048,575 bytes of its input layout), and
// the Tamsel conversion on a stream whose one field spans every line (the reader's longest
// carry).

#include <benchmark/benchmark.h>

#include <string>

#include "common/EditorOps.h"
#include "convert/BrennoConversion.h"
#include "convert/DulmarConversion.h"
#include "convert/TamselCassConversion.h"
#include "convert/TamselPcodeConversion.h"

namespace {

using halvex::kEditorCapacity;

std::string Filled(std::string text) {
    text.resize(kEditorCapacity, ' ');
    return text;
}

// Downloaded lines: STX, 128 bytes of the field stream, ETX, a checksum, CR LF. The letters x, y
// and z after the block let a line whose block holds only part of a field pass the format test.
std::string TamselDownload(const std::string& stream) {
    std::string text;
    for (std::size_t pos = 0; text.size() < kEditorCapacity; pos += 128) {
        std::string block = stream.substr(pos % stream.size(), 128);
        block.resize(128, ' ');
        text += "\x02" + block +
                "\x03"
                "xyz\r\n";
    }
    return Filled(text);
}

std::string TamselCoordinates() {
    std::string stream;
    for (int i = 0; stream.size() < kEditorCapacity; ++i)
        stream += "_+P" + std::to_string(i) + "       _ x+00" + std::to_string(1000000 + i) +
                  "_ y-00" + std::to_string(2000000 + i) + "_ z+000" + std::to_string(10000 + i);
    return TamselDownload(stream);
}

std::string TamselOneLongField() { return TamselDownload("_" + std::string(130000, 'n')); }

std::string TamselCodes() {
    std::string stream;
    for (int i = 0; stream.size() < kEditorCapacity; ++i)
        stream += "_:" + std::to_string(100 + i % 900) + "TREE" + std::to_string(i % 1000000);
    return TamselDownload(stream);
}

std::string BrennoRecords() {
    std::string text;
    for (int i = 0; text.size() < kEditorCapacity; ++i) {
        std::string record = "08TP01PT" + std::to_string(i);
        record.resize(20, ' ');
        record += "     1234567.891       2345678.912         123.456TREE";
        text += record + "\r\n";
    }
    return Filled(text);
}

std::string DulmarLines() {
    std::string text;
    for (int i = 0; text.size() < kEditorCapacity; ++i) {
        text += 'P';
        text += std::to_string(i);
        text += ",2545123.456,3120456.789,";
        text += std::to_string(i % 500);
        text += ".25,TREE\r\n";
    }
    return Filled(text);
}

void Convert(benchmark::State& state, halvex::ConversionResult (*convert)(std::string_view),
             std::string (*make)()) {
    const std::string text = make();
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        halvex::ConversionResult result = convert(text);
        outputBytes = result.output.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["output_bytes"] = static_cast<double>(outputBytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK_CAPTURE(Convert, TamselCass, halvex::ConvertTamselToCass, TamselCoordinates)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, TamselCassOneLongField, halvex::ConvertTamselToCass, TamselOneLongField)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, BrennoCass, halvex::ConvertBrennoToCass, BrennoRecords)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, BrennoNez, halvex::ConvertBrennoToNez, BrennoRecords)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, DulmarCass, halvex::ConvertDulmarToCass, DulmarLines)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Convert, TamselPcode, halvex::ConvertTamselPcode, TamselCodes)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
