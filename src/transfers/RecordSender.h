#pragma once
// Sends one record to the instrument as its family's description says: the decoration, the
// framing, CR LF, and then either the instrument's reply or the per-record pause.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/UserDialogs.h"
#include "port/CommSettings.h"
#include "port/SerialPort.h"
#include "transfers/CommunicationMessages.h"
#include "transfers/ControlBytes.h"
#include "transfers/InstrumentFamilies.h"

namespace halvex {

inline constexpr const char* kNoReplyMessage = "Fail to receive the returned signal";
inline constexpr const char* kBadReplyMessage = "Adjustment signal error";

// An instrument that asks for a frame again after every negative reply (the Tamsel family) would
// otherwise keep the transfer going for ever; after this many refusals of one frame in a row the
// transfer stops.
inline constexpr int kMaxTamselRepeats = 100;
inline constexpr const char* kTooManyRepeatsMessage =
    "The instrument refused the same record 100 times in a row. The transfer was stopped.";

using PauseFunction = std::function<void(std::chrono::milliseconds)>;

// What one upload run sends with. The family is the worker's own copy; the handshake and
// LineDelayMs are read from the live settings for every record and every repetition.
struct SendContext {
    SendContext(SerialPort& port, const CommSettings& settings, UserDialogs& dialogs,
                InstrumentFamily family)
        : port(port), settings(settings), dialogs(dialogs), family(DescribeFamily(family)) {}

    SerialPort& port;
    const CommSettings& settings;
    UserDialogs& dialogs;
    const FamilyDescription& family;
    // True once the transfer is being stopped (by the user or the program closing): the sender
    // then stops without showing anything.
    std::function<bool()> stopRequested = [] { return false; };
    // Waits the per-record delay; by default a sleep that ends early when a stop is requested.
    PauseFunction pause;
};

// Sleeps for `duration`, in short slices so that `stopRequested` can cut it short.
void PauseUnlessStopped(std::chrono::milliseconds duration,
                        const std::function<bool()>& stopRequested);

// The decorated working copy of a data record (what SendDataRecord hands to SendRecord);
// advances `counter` where the decoration carries a sequence digit.
std::string DecorateDataRecord(const std::string& record, InstrumentFamily family,
                               Handshake handshake, std::int32_t& counter);

// Frames and writes `text`, waits until it has left the port, then waits for the reply or
// pauses. False (after a message, unless the transfer is being stopped) when the transfer must
// stop; a byte the device did not take is "Communication failed".
bool SendRecord(const std::string& text, SendContext& context);

// Writes `bytes` and waits until they have left the port, so that whatever is timed next (the
// pause, the reply's time-out) counts from the last byte on the line. False when a byte was not
// taken or the device failed before they had left.
bool WriteAndDrain(SerialPort& port, std::string_view bytes);

// Decorates a data record for the instrument family and sends it with SendRecord.
bool SendDataRecord(const std::string& record, SendContext& context, std::int32_t& counter);

}  // namespace halvex
