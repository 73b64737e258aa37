#pragma once
// The instrument's side of a download: it sends a file line by line as a total station of the
// chosen family would, with the family's handshake and terminator, and can be told to misbehave
// (pause, stop short of the terminator, hang up midway) so the receiver's failure paths can be
// driven.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "station/lib/StationLine.h"

namespace halvex::station {

enum class Family { Tamsel, Brenno, Corvane };

// "tamsel", "brenno", "corvane".
std::optional<Family> FamilyFromName(const std::string& name);
// EOT for Tamsel and Corvane, ETX for Brenno.
char TerminatorOf(Family family);
// Only the Tamsel family with the Ack/Nak protocol waits for ENQ and an ACK after each line.
bool UsesHandshake(Family family, bool ackNak);

struct DownloadScript {
    Family family = Family::Tamsel;
    bool ackNak = false;
    std::string data;  // sent as it is; a line is everything up to and including an LF
    std::chrono::milliseconds pauseBeforeStart{0};
    std::chrono::milliseconds pauseBetweenLines{0};
    bool sendTerminator = true;
    std::optional<std::size_t> hangupAfterBytes;  // of data; the terminator is never reached
    std::optional<std::size_t> hangupAfterLines;  // complete lines (and their ACK, if any)
    // Longest wait for ENQ, for each ACK, and for the program to take written bytes.
    std::chrono::milliseconds handshakeTimeout{10000};
};

struct DownloadOutcome {
    bool ok = false;
    std::string error;  // what went wrong on the line, when not ok
    std::size_t bytesSent = 0;
    std::size_t linesSent = 0;
    bool terminatorSent = false;
    bool hungUp = false;
};

// Runs the script over the line. Blocks until the script is done; the line stays open (unless
// the script hung it up) so the caller decides how long to keep it.
DownloadOutcome RunDownload(StationLine& line, const DownloadScript& script);

}  // namespace halvex::station
