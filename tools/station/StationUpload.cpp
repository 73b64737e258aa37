// "upload": receives an upload as an instrument of the chosen family would, checks every frame,
// answers under Ack/Nak (misbehaving on request), and writes the accepted records out.

#include <fstream>
#include <iostream>

#include "StationCommands.h"
#include "station/lib/StationOptions.h"
#include "station/lib/UploadReceiver.h"

namespace halvex::station {

namespace {

std::vector<OptionDef> UploadOptionSpecs() {
    return WithLineOptions({
        {"family", "NAME", "tamsel, brenno or corvane (required)"},
        {"protocol", "NAME", "none or acknak (default none); corvane never answers"},
        {"fault", "NAME", "nak, short, silent or wrong: how every Nth answered frame is answered"},
        {"fault-every", "N", "N for --fault (default 1: every frame)"},
        {"output", "FILE", "write the accepted records there instead of to standard output"},
        {"idle", "MS", "quiet time that ends the upload (default 5000)"},
        {"timeout", "MS", "longest wait for the first byte and inside a record (default 60000)"},
        {"help", "", "print these options"},
    });
}

// Fills the script from the options; false (with a message) when they do not make sense.
bool BuildScript(ParsedOptions& options, UploadScript& script) {
    if (!ReadFamilyAndProtocol(options, script.family, script.ackNak)) return false;
    if (options.Has("fault")) {
        const auto fault = ReplyFaultFromName(options.Value("fault"));
        if (!fault) {
            std::cerr << "halvex-station: --fault must be nak, short, silent or wrong\n";
            return false;
        }
        script.fault = *fault;
        script.faultEvery = options.Number("fault-every").value_or(1);
    }
    script.idle = std::chrono::milliseconds(options.Number("idle").value_or(5000));
    script.timeout = std::chrono::milliseconds(options.Number("timeout").value_or(60000));
    if (!options.error.empty()) {
        std::cerr << "halvex-station: " << options.error << "\n";
        return false;
    }
    if (!options.positional.empty()) {
        std::cerr << "halvex-station: upload takes no FILE; use --output\n";
        return false;
    }
    return true;
}

}  // namespace

void PrintUploadHelp(std::ostream& out) {
    out << "usage: halvex-station upload --family NAME [options]\n"
           "Receives an upload from the computer as the instrument would: checks framing,\n"
           "sequence digits and checksums (tamsel) or sum bytes (brenno with acknak), answers,\n"
           "and writes each accepted record followed by CR LF. Ends at the family's trailer or\n"
           "when the line stays quiet; exits 1 when a fault was found on the line.\n";
    PrintOptions(out, UploadOptionSpecs());
}

int RunStationUpload(const std::vector<std::string>& args) {
    ParsedOptions options = ParseOptions(args, UploadOptionSpecs());
    if (!options.error.empty()) {
        std::cerr << "halvex-station: " << options.error << "\n";
        return 2;
    }
    if (options.Has("help")) {
        PrintUploadHelp(std::cout);
        return 0;
    }
    UploadScript script;
    if (!BuildScript(options, script)) return 2;
    std::ofstream file;
    if (options.Has("output")) {
        file.open(options.Value("output"), std::ios::binary | std::ios::trunc);
        if (!file) {
            std::cerr << "halvex-station: cannot write " << options.Value("output") << "\n";
            return 2;
        }
    }
    std::ostream& records = options.Has("output") ? static_cast<std::ostream&>(file) : std::cout;
    auto opened = OpenLine(options, std::cout, std::cerr);
    if (!opened) return 1;

    const UploadOutcome outcome =
        ReceiveUpload(opened->line(), script, [&](const ReceivedRecord& r) {
            records << r.data << "\r\n" << std::flush;
        });
    std::cerr << "halvex-station: accepted " << outcome.records.size() << " records in "
              << outcome.frames << " frames" << (outcome.trailerSeen ? ", trailer" : "")
              << (outcome.hungUp ? ", line closed" : "") << "\n";
    if (!outcome.ok) std::cerr << "halvex-station: " << outcome.error << "\n";
    return outcome.ok && records.good() ? 0 : 1;
}

}  // namespace halvex::station
