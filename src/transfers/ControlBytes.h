#pragma once
// The control bytes on the serial line, shared by the download receiver, the record sender and
// the instrument simulator.

#include <cstdint>

namespace halvex {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kEot = 0x04;
inline constexpr std::uint8_t kEnq = 0x05;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;  // an instrument's negative reply (any non-ACK is one)
inline constexpr std::uint8_t kLf = 0x0A;
inline constexpr std::uint8_t kCr = 0x0D;

}  // namespace halvex
