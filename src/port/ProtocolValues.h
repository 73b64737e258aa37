#pragma once
// The two values the transfers decide by. The view and the parameter dialog keep them as the
// plain numbers the product defines (TransferMode 1, 2 or 3; Protocol 0 or 1); they become these
// types once, where a command or a worker takes them into the core.

#include <cstdint>

namespace halvex {

// The instrument family a transfer talks to: the view's TransferMode.
enum class InstrumentFamily : std::int16_t { Tamsel = 1, Brenno = 2, Corvane = 3 };

// The handshake protocol: the setting Protocol.
enum class Handshake : std::int32_t { None = 0, AckNak = 1 };

// Protocol 1 is Ack/Nak; every other value means no handshake.
constexpr Handshake HandshakeOf(std::int32_t protocol) {
    return protocol == 1 ? Handshake::AckNak : Handshake::None;
}

// The view's TransferMode for a family.
constexpr std::int16_t TransferModeOf(InstrumentFamily family) {
    return static_cast<std::int16_t>(family);
}

}  // namespace halvex
