// "replay": plays the instrument's side of a line trace that Halvex recorded, and checks that the
// computer sends exactly what the trace holds.

#include <iostream>

#include "StationCommands.h"
#include "shared/StreamIo.h"
#include "station/lib/StationOptions.h"
#include "station/lib/TraceReplay.h"

namespace halvex::station {

namespace {

// Fills the options; false, with the broken rule in `error`, when they do not make sense.
bool ReadReplayOptions(ParsedOptions& options, ReplayOptions& replay, std::string& error) {
    if (options.positional.size() != 1) {
        error = "replay needs exactly one TRACE";
        return false;
    }
    if (options.Has("format") && !FormatFromText(options.Value("format"))) {
        error = "--format must look like 9600,8N1";
        return false;
    }
    replay.fast = options.Has("fast");
    replay.timeout = std::chrono::milliseconds(options.Number("timeout").value_or(60000));
    replay.idle = std::chrono::milliseconds(options.Number("idle").value_or(1000));
    error = options.error;
    return error.empty();
}

}  // namespace

std::vector<OptionDef> ReplayOptionSpecs() {
    return WithLineOptions({
        {"fast", "", "send without the gaps recorded in the trace"},
        {"timeout", "MS",
         "longest wait for each byte the trace expects of the\ncomputer "
         "(default 60000)"},
        {"idle", "MS",
         "after the trace's last byte, how long the computer must\nsend nothing "
         "more (default 1000)"},
    });
}

int RunStationReplay(ParsedOptions& options) {
    ReplayOptions replay;
    std::string error;
    if (!ReadReplayOptions(options, replay, error)) return RefuseCommandLine(error);
    const std::string& path = options.positional[0];
    const auto text = tool::ReadInput(path, [](const std::string& line) {
        std::cerr << kStationProgram << ": " << line << "\n";
    });
    if (!text) return kExitBadRequest;
    const ParsedTrace trace = ParseTrace(*text);
    if (!trace.error.empty()) {
        std::cerr << kStationProgram << ": " << tool::DescribePath(path, true)
                  << " is not a line trace: " << trace.error << "\n";
        return kExitBadRequest;
    }
    auto opened = OpenLine(options, std::cout, std::cerr);
    if (!opened) return kExitLineFault;

    const ReplayOutcome outcome = ReplayTrace(opened->line(), trace.data, replay);
    std::cerr << kStationProgram << ": sent " << outcome.bytesSent << " bytes, received "
              << outcome.bytesReceived << " as the trace holds" << std::endl;
    if (!outcome.same) {
        std::cerr << kStationProgram << ": " << outcome.difference << "\n";
        return kExitLineFault;
    }
    return 0;
}

}  // namespace halvex::station
