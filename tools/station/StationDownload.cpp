// "download": sends a file as the chosen instrument family would, then waits until the computer
// has taken it (with --no-terminator, until the computer gives up and closes the line).

#include <iostream>
#include <sstream>

#include "StationCommands.h"
#include "shared/StreamIo.h"
#include "station/lib/DownloadScript.h"
#include "station/lib/StationOptions.h"
#include "station/lib/StationStop.h"

namespace halvex::station {

namespace {

// A stop by a signal exits with 128 and the signal's number, as the shell reports a program the
// signal ended: 130 for Ctrl+C, 143 for SIGTERM.
constexpr int kExitSignalBase = 128;

std::string HexBytes(const std::string& bytes) {
    std::ostringstream out;
    out << std::hex;
    for (unsigned char byte : bytes) out << " 0x" << static_cast<int>(byte);
    return out.str();
}

// Fills the script from the options; false, with the broken rule in `error`, when they do not
// make sense.
bool BuildScript(ParsedOptions& options, DownloadScript& script, std::string& error) {
    if (!ReadSharedOptions(options, script.family, script.ackNak, error)) return false;
    if (options.positional.size() != 1) {
        error = "download needs exactly one FILE";
        return false;
    }
    script.sendTerminator = !options.Has("no-terminator");
    script.pauseBeforeStart = std::chrono::milliseconds(options.Number("pause-before").value_or(0));
    script.pauseBetweenLines = std::chrono::milliseconds(options.Number("line-pause").value_or(0));
    script.hangupAfterBytes = options.Number("hangup-after-bytes");
    script.hangupAfterLines = options.Number("hangup-after-lines");
    script.handshakeTimeout = std::chrono::milliseconds(options.Number("timeout").value_or(60000));
    error = options.error;
    return error.empty();
}

// After a script that stopped short of its terminator, the instrument stays silent on an open
// line until the computer has given up and closed its end, or the station is stopped.
HoldEnd HoldUntilTheComputerGivesUp(StationLine& line, bool programHasLine) {
    std::cerr << kStationProgram
              << ": holding the line open until the computer closes it (Ctrl+C ends)" << std::endl;
    const StationStop stop;
    HoldEnd end = line.HoldOpen(programHasLine, stop);
    std::cerr << kStationProgram << ": "
              << (end.signal == 0 ? "the computer closed the line" : "stopped") << "\n";
    return end;
}

}  // namespace

std::vector<OptionDef> DownloadOptionSpecs() {
    return WithLineOptions({
        {"family", "NAME", "tamsel, brenno or corvane (required)"},
        {"protocol", "NAME", "none or acknak (default none); only tamsel waits for ENQ\nand ACKs"},
        {"pause-before", "MS", "wait before the first line (after ENQ, if any)"},
        {"line-pause", "MS", "wait between lines"},
        {"no-terminator", "",
         "stop short of the family's terminator (EOT or ETX) and\nhold the line open until the "
         "computer closes it"},
        {"hangup-after-bytes", "N", "drop the line after N bytes of the file"},
        {"hangup-after-lines", "N", "drop the line after N complete lines"},
        {"timeout", "MS", "longest wait for ENQ, each ACK and the computer\n(default 60000)"},
    });
}

int RunStationDownload(ParsedOptions& options) {
    DownloadScript script;
    std::string error;
    if (!BuildScript(options, script, error)) return RefuseCommandLine(error);
    const auto data = tool::ReadInput(options.positional[0], [](const std::string& line) {
        std::cerr << kStationProgram << ": " << line << "\n";
    });
    if (!data) return kExitBadRequest;
    script.data = *data;
    auto opened = OpenLine(options, std::cout, std::cerr);
    if (!opened) return kExitLineFault;
    StationLine& line = opened->line();

    const DownloadOutcome outcome = RunDownload(line, script);
    const bool delivered = !outcome.hungUp && line.WaitDelivered(script.handshakeTimeout);
    std::cerr << kStationProgram << ": sent " << outcome.bytesSent << " bytes, "
              << outcome.linesSent << " lines" << (outcome.terminatorSent ? ", terminator" : "")
              << (outcome.hungUp ? ", then hung up" : "") << std::endl;
    HoldEnd held;
    if (outcome.ok && !outcome.hungUp && !script.sendTerminator) {
        held = HoldUntilTheComputerGivesUp(
            line, (delivered && outcome.bytesSent > 0) || !line.ReceivedLog().empty());
    } else if (!line.HungUp()) {
        held.received = line.TakePending(std::chrono::milliseconds(200));
    }
    if (!outcome.ok) std::cerr << kStationProgram << ": " << outcome.error << "\n";
    if (!held.received.empty()) {
        std::cerr << kStationProgram << ": unexpected bytes:" << HexBytes(held.received) << "\n";
    }
    if (held.signal != 0) return kExitSignalBase + held.signal;
    return outcome.ok && held.received.empty() ? 0 : kExitLineFault;
}

}  // namespace halvex::station
