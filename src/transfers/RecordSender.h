#pragma once
// Sends one record to the instrument: the family's decoration (sequence digit and XOR checksum
// for the Tamsel family, comma and sum byte for the Brenno family under Ack/Nak), the framing,
// CR LF, and then either the instrument's reply or the per-record pause.

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

namespace halvex {

inline constexpr const char* kNoReplyMessage = "Fail to receive the returned signal";
inline constexpr const char* kBadReplyMessage = "Adjustment signal error";

// A Tamsel instrument that answers every frame with a negative reply would otherwise keep the
// transfer going for ever; after this many refusals of one frame in a row the transfer stops.
inline constexpr int kMaxTamselRepeats = 100;
inline constexpr const char* kTooManyRepeatsMessage =
    "The instrument refused the same record 100 times in a row. The transfer was stopped.";

// The longest record each family's instrument buffer takes before decoration.
inline constexpr std::size_t kMaxTamselRecord = 251;
inline constexpr std::size_t kMaxBrennoRecord = 253;
inline constexpr std::size_t kMaxPlainRecord = 255;

// The longest record the sender takes for `family` with `handshake`: 251 in the Tamsel family
// (sequence digit and checksum follow), 253 in the Brenno family with Ack/Nak (comma and sum
// byte follow), 255 otherwise.
std::size_t LongestRecordFor(InstrumentFamily family, Handshake handshake);

using PauseFunction = std::function<void(std::chrono::milliseconds)>;

// What one upload run sends with. The family is the worker's own copy; the handshake and
// LineDelayMs are read from the live settings for every record and every repetition.
struct SendContext {
    SendContext(SerialPort& port, const CommSettings& settings, UserDialogs& dialogs,
                InstrumentFamily family)
        : port(port), settings(settings), dialogs(dialogs), family(family) {}

    SerialPort& port;
    const CommSettings& settings;
    UserDialogs& dialogs;
    InstrumentFamily family;
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
// advances `counter` in the Tamsel family.
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
