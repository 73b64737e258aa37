#include "station/lib/DownloadScript.h"

#include <cstdio>
#include <thread>

#include "transfers/ControlBytes.h"

namespace halvex::station {

namespace {

std::string Hex(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// Waits for one expected byte from the program; describes what came instead.
bool Expect(StationLine& line, char expected, const char* name, std::chrono::milliseconds timeout,
            std::string& error) {
    std::uint8_t byte = 0;
    switch (line.ReceiveByte(byte, timeout)) {
        case ReceiveStatus::Byte:
            if (byte == static_cast<std::uint8_t>(expected)) return true;
            error = std::string("expected ") + name + ", received " + Hex(byte);
            return false;
        case ReceiveStatus::Timeout:
            error = std::string("no ") + name + " from the computer";
            return false;
        case ReceiveStatus::Closed:
            break;
    }
    error = "the line was closed";
    return false;
}

class DownloadRun {
public:
    DownloadRun(StationLine& line, const DownloadScript& script) : line_(line), script_(script) {}

    DownloadOutcome Run() {
        const bool handshake = UsesHandshake(script_.family, script_.ackNak);
        if (handshake && !Expect(line_, kEnq, "ENQ", script_.handshakeTimeout, outcome_.error)) {
            return outcome_;
        }
        std::this_thread::sleep_for(script_.pauseBeforeStart);
        std::size_t start = 0;
        while (start < script_.data.size()) {
            const std::size_t lf = script_.data.find(kLf, start);
            const std::size_t end = lf == std::string::npos ? script_.data.size() : lf + 1;
            if (!SendLine(start, end, handshake)) return outcome_;
            start = end;
        }
        if (script_.hangupAfterBytes) return HangUp();
        if (script_.sendTerminator) {
            if (!Send(std::string(1, TerminatorOf(script_.family)))) return outcome_;
            outcome_.terminatorSent = true;
        }
        outcome_.ok = true;
        return outcome_;
    }

private:
    // Sends data[start, end); false when the run has ended (hang-up or a line fault).
    bool SendLine(std::size_t start, std::size_t end, bool handshake) {
        if (outcome_.linesSent > 0) std::this_thread::sleep_for(script_.pauseBetweenLines);
        std::size_t stop = end;
        if (script_.hangupAfterBytes) stop = std::min(end, start + Remaining());
        if (!Send(script_.data.substr(start, stop - start))) return false;
        if (stop < end) {
            HangUp();
            return false;
        }
        if (script_.data[end - 1] != kLf) return true;  // the last bytes, without an LF
        ++outcome_.linesSent;
        if (handshake && !Expect(line_, kAck, "ACK", script_.handshakeTimeout, outcome_.error)) {
            return false;
        }
        if (script_.hangupAfterLines && outcome_.linesSent >= *script_.hangupAfterLines) {
            HangUp();
            return false;
        }
        return true;
    }

    std::size_t Remaining() const {
        return *script_.hangupAfterBytes > outcome_.bytesSent
                   ? *script_.hangupAfterBytes - outcome_.bytesSent
                   : 0;
    }

    bool Send(const std::string& bytes) {
        if (!line_.Send(bytes, script_.handshakeTimeout)) {
            outcome_.error = "the computer does not take the data";
            return false;
        }
        outcome_.bytesSent += bytes.size();
        return true;
    }

    DownloadOutcome HangUp() {
        line_.Hangup(script_.handshakeTimeout);
        outcome_.hungUp = true;
        outcome_.ok = true;  // hanging up was what the script asked for
        return outcome_;
    }

    StationLine& line_;
    const DownloadScript& script_;
    DownloadOutcome outcome_;
};

}  // namespace

std::optional<Family> FamilyFromName(const std::string& name) {
    if (name == "tamsel") return Family::Tamsel;
    if (name == "brenno") return Family::Brenno;
    if (name == "corvane") return Family::Corvane;
    return std::nullopt;
}

char TerminatorOf(Family family) { return family == Family::Brenno ? kEtx : kEot; }

bool UsesHandshake(Family family, bool ackNak) { return family == Family::Tamsel && ackNak; }

DownloadOutcome RunDownload(StationLine& line, const DownloadScript& script) {
    return DownloadRun(line, script).Run();
}

}  // namespace halvex::station
