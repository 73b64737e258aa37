// "download": sends a file as the chosen instrument family would, then waits until the computer
// has taken it.

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "StationCommands.h"
#include "station/lib/DownloadScript.h"
#include "station/lib/StationOptions.h"

namespace halvex::station {

namespace {

std::vector<OptionDef> DownloadOptionSpecs() {
    return WithLineOptions({
        {"family", "NAME", "tamsel, brenno or corvane (required)"},
        {"protocol", "NAME", "none or acknak (default none); only tamsel waits for ENQ and ACKs"},
        {"pause-before", "MS", "wait before the first line (after ENQ, if any)"},
        {"line-pause", "MS", "wait between lines"},
        {"no-terminator", "", "stop short of the family's terminator (EOT or ETX)"},
        {"hangup-after-bytes", "N", "drop the line after N bytes of the file"},
        {"hangup-after-lines", "N", "drop the line after N complete lines"},
        {"timeout", "MS", "longest wait for ENQ, each ACK and the computer (default 60000)"},
        {"help", "", "print these options"},
    });
}

bool ReadFile(const std::string& path, std::string& data) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

std::string HexBytes(const std::string& bytes) {
    std::ostringstream out;
    out << std::hex;
    for (unsigned char byte : bytes) out << " 0x" << static_cast<int>(byte);
    return out.str();
}

// Fills the script from the options; false (with a message) when they do not make sense.
bool BuildScript(ParsedOptions& options, DownloadScript& script) {
    if (!ReadFamilyAndProtocol(options, script.family, script.ackNak)) return false;
    if (options.positional.size() != 1) {
        std::cerr << "halvex-station: download needs exactly one FILE\n";
        return false;
    }
    script.sendTerminator = !options.Has("no-terminator");
    script.pauseBeforeStart = std::chrono::milliseconds(options.Number("pause-before").value_or(0));
    script.pauseBetweenLines = std::chrono::milliseconds(options.Number("line-pause").value_or(0));
    script.hangupAfterBytes = options.Number("hangup-after-bytes");
    script.hangupAfterLines = options.Number("hangup-after-lines");
    script.handshakeTimeout = std::chrono::milliseconds(options.Number("timeout").value_or(60000));
    if (!options.error.empty()) {
        std::cerr << "halvex-station: " << options.error << "\n";
        return false;
    }
    if (!ReadFile(options.positional[0], script.data)) {
        std::cerr << "halvex-station: cannot read " << options.positional[0] << "\n";
        return false;
    }
    return true;
}

}  // namespace

void PrintDownloadHelp(std::ostream& out) {
    out << "usage: halvex-station download --family NAME [options] FILE\n"
           "Sends FILE line by line (a line ends with LF) as the instrument's download, then the\n"
           "family's terminator, and waits until the computer has taken everything.\n";
    PrintOptions(out, DownloadOptionSpecs());
}

int RunStationDownload(const std::vector<std::string>& args) {
    ParsedOptions options = ParseOptions(args, DownloadOptionSpecs());
    if (!options.error.empty()) {
        std::cerr << "halvex-station: " << options.error << "\n";
        return 2;
    }
    if (options.Has("help")) {
        PrintDownloadHelp(std::cout);
        return 0;
    }
    DownloadScript script;
    if (!BuildScript(options, script)) return 2;
    auto opened = OpenLine(options, std::cout, std::cerr);
    if (!opened) return 1;
    StationLine& line = opened->line();

    const DownloadOutcome outcome = RunDownload(line, script);
    if (!outcome.hungUp) line.WaitDelivered(script.handshakeTimeout);
    const std::string stray = line.HungUp() ? "" : line.TakePending(std::chrono::milliseconds(200));
    std::cerr << "halvex-station: sent " << outcome.bytesSent << " bytes, " << outcome.linesSent
              << " lines" << (outcome.terminatorSent ? ", terminator" : "")
              << (outcome.hungUp ? ", then hung up" : "") << "\n";
    if (!outcome.ok) std::cerr << "halvex-station: " << outcome.error << "\n";
    if (!stray.empty()) std::cerr << "halvex-station: unexpected bytes:" << HexBytes(stray) << "\n";
    return outcome.ok && stray.empty() ? 0 : 1;
}

}  // namespace halvex::station
