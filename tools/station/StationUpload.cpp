// "upload": receives an upload as an instrument of the chosen family would, checks every frame,
// answers under Ack/Nak (misbehaving on request), and writes the accepted records out.

#include <iostream>

#include "StationCommands.h"
#include "shared/StreamIo.h"
#include "station/lib/StationOptions.h"
#include "station/lib/UploadReceiver.h"

namespace halvex::station {

namespace {

// Fills the script from the options; false, with the broken rule in `error`, when they do not
// make sense.
bool BuildScript(ParsedOptions& options, UploadScript& script, std::string& error) {
    if (!ReadSharedOptions(options, script.family, script.ackNak, error)) return false;
    if (options.Has("fault")) {
        const auto fault = ReplyFaultFromName(options.Value("fault"));
        if (!fault) {
            error = "--fault must be nak, short, silent or wrong";
            return false;
        }
        script.fault = *fault;
        script.faultEvery = options.Number("fault-every").value_or(1);
    }
    script.idle = std::chrono::milliseconds(options.Number("idle").value_or(5000));
    script.timeout = std::chrono::milliseconds(options.Number("timeout").value_or(60000));
    if (!options.error.empty()) {
        error = options.error;
        return false;
    }
    if (!options.positional.empty()) {
        error = "upload takes no FILE; use --output";
        return false;
    }
    return true;
}

}  // namespace

std::vector<OptionDef> UploadOptionSpecs() {
    return WithLineOptions({
        {"family", "NAME", "tamsel, brenno or corvane (required)"},
        {"protocol", "NAME", "none or acknak (default none); corvane never answers"},
        {"fault", "NAME", "nak, short, silent or wrong: how every Nth answered\nframe is answered"},
        {"fault-every", "N", "N for --fault (default 1: every frame)"},
        {"output", "FILE",
         "write the accepted records there instead of to standard\noutput (\"-\")"},
        {"idle", "MS", "quiet time that ends the upload (default 5000)"},
        {"timeout", "MS", "longest wait for the first byte and inside a record\n(default 60000)"},
    });
}

int RunStationUpload(ParsedOptions& options) {
    UploadScript script;
    std::string error;
    if (!BuildScript(options, script, error)) return RefuseCommandLine(error);
    const std::string outputPath = options.Value("output", "-");
    const std::unique_ptr<tool::GrowingOutput> records =
        tool::GrowingOutput::Open(outputPath, error);
    if (!records) {
        std::cerr << kStationProgram << ": cannot write " << tool::DescribePath(outputPath, false)
                  << ": " << error << "\n";
        return kExitBadRequest;
    }
    auto opened = OpenLine(options, std::cout, std::cerr);
    if (!opened) return kExitLineFault;

    bool written = true;
    const UploadOutcome outcome =
        ReceiveUpload(opened->line(), script, [&](const ReceivedRecord& r) {
            written = written && records->Write(r.data + "\r\n", error);
        });
    std::cerr << kStationProgram << ": accepted " << outcome.records.size() << " records in "
              << outcome.frames << " frames" << (outcome.trailerSeen ? ", trailer" : "")
              << (outcome.hungUp ? ", line closed" : "") << "\n";
    if (!outcome.ok) std::cerr << kStationProgram << ": " << outcome.error << "\n";
    if (!written) {
        std::cerr << kStationProgram << ": cannot write " << tool::DescribePath(outputPath, false)
                  << ": " << error << "\n";
    }
    return outcome.ok && written ? 0 : kExitLineFault;
}

}  // namespace halvex::station
