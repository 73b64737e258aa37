#pragma once
// The instrument's side of an upload: it receives the records as a total station of the chosen
// family would, checks the framing, the sequence digits and checksums (Tamsel) or the sum bytes
// (Brenno with Ack/Nak), answers under the Ack/Nak protocol, and hands every accepted record on.
// It can be told to misbehave every Nth frame (negative reply, short reply, silence, a wrong
// reply byte) so the sender's failure paths can be driven.

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "station/lib/DownloadScript.h"
#include "station/lib/StationLine.h"

namespace halvex::station {

enum class ReplyFault {
    None,
    Nak,        // a negative reply (NAK) instead of ACK
    Short,      // only the first byte of the reply
    Silent,     // no reply at all
    WrongByte,  // a reply whose first byte is neither ACK nor NAK
};

// "nak", "short", "silent", "wrong".
std::optional<ReplyFault> ReplyFaultFromName(const std::string& name);

struct UploadScript {
    Family family = Family::Tamsel;
    bool ackNak = false;
    ReplyFault fault = ReplyFault::None;
    std::size_t faultEvery = 0;  // every Nth frame that is answered gets the fault; 0: never
    // Longest wait for the first byte, and for each further byte inside a record.
    std::chrono::milliseconds timeout{60000};
    // Quiet time after which the upload counts as over (the Brenno family sends no trailer, and
    // a failed upload none either).
    std::chrono::milliseconds idle{2000};
};

struct ReceivedRecord {
    std::string data;  // without framing and decoration
    bool jobHeader = false;
};

struct UploadOutcome {
    bool ok = false;                      // no fault found on the line
    std::string error;                    // the first fault found, when not ok
    std::vector<ReceivedRecord> records;  // accepted records, in order
    std::size_t frames = 0;               // every frame received, repetitions included
    bool trailerSeen = false;             // the family's closing bytes arrived
    bool hungUp = false;                  // the line was closed under the simulator
};

// Receives until the trailer (Tamsel, Corvane), until the line has been quiet for `idle`, or
// until it is closed. `onRecord` (optional) sees each accepted record as it arrives.
UploadOutcome ReceiveUpload(StationLine& line, const UploadScript& script,
                            const std::function<void(const ReceivedRecord&)>& onRecord = {});

}  // namespace halvex::station
