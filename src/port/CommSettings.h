#pragma once
// The eight communication parameters. The view owns one CommSettings for the whole run; the
// parameter dialog writes it on OK (user-interface thread) while workers may read it, so every
// field is an atomic read at the moment of use.

#include <atomic>
#include <cstdint>

#include "port/ProtocolValues.h"

namespace halvex {

// A plain copy of the eight values, for the dialog and for tests.
struct CommSettingsValues {
    std::int32_t PortIndex = 0;       // 0..5: "COM1".."COM6"
    std::int32_t Protocol = 0;        // 0 None, 1 Ack/Nak
    std::int32_t TimeoutSeconds = 10; // total time-out of one read call
    std::int32_t BaudIndex = 0;       // 0..7: 1200..115200
    std::int32_t DataBitsIndex = 1;   // 0 seven, 1 eight
    std::int32_t StopBitsIndex = 0;   // 0 one, 1 two
    std::int32_t ParityIndex = 0;     // 0 none, 1 odd, 2 even
    std::int32_t LineDelayMs = 800;   // pause after a record sent without handshake

    bool operator==(const CommSettingsValues&) const = default;
};

struct CommSettings {
    std::atomic<std::int32_t> PortIndex{0};
    std::atomic<std::int32_t> Protocol{0};
    std::atomic<std::int32_t> TimeoutSeconds{10};
    std::atomic<std::int32_t> BaudIndex{0};
    std::atomic<std::int32_t> DataBitsIndex{1};
    std::atomic<std::int32_t> StopBitsIndex{0};
    std::atomic<std::int32_t> ParityIndex{0};
    std::atomic<std::int32_t> LineDelayMs{800};

    // The handshake the Protocol setting asks for at this moment.
    Handshake CurrentHandshake() const { return HandshakeOf(Protocol.load()); }

    CommSettingsValues Load() const {
        return {PortIndex.load(), Protocol.load(),      TimeoutSeconds.load(),
                BaudIndex.load(), DataBitsIndex.load(), StopBitsIndex.load(),
                ParityIndex.load(), LineDelayMs.load()};
    }
    void Store(const CommSettingsValues& v) {
        PortIndex = v.PortIndex;
        Protocol = v.Protocol;
        TimeoutSeconds = v.TimeoutSeconds;
        BaudIndex = v.BaudIndex;
        DataBitsIndex = v.DataBitsIndex;
        StopBitsIndex = v.StopBitsIndex;
        ParityIndex = v.ParityIndex;
        LineDelayMs = v.LineDelayMs;
    }
};

}  // namespace halvex
