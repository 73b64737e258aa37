#pragma once
// The two values the transfers decide by, which the product defines as plain numbers
// (TransferMode 1, 2 or 3; Protocol 0 or 1). The parameter dialog keeps Protocol as its number; it
// becomes a Handshake once, where a command or a worker takes it into the core.

#include <cstdint>

namespace halvex {

// The instrument family a transfer talks to: TransferMode.
enum class InstrumentFamily : std::int16_t { Tamsel = 1, Brenno = 2, Corvane = 3 };

// The handshake protocol: the setting Protocol.
enum class Handshake : std::int32_t { None = 0, AckNak = 1 };

// Protocol 1 is Ack/Nak; every other value means no handshake.
constexpr Handshake HandshakeOf(std::int32_t protocol) {
    return protocol == 1 ? Handshake::AckNak : Handshake::None;
}

}  // namespace halvex
