#pragma once
// Control bytes of the instrument line, as the simulated instrument sees them.

#include <cstdint>

namespace halvex::station {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kEot = 0x04;
inline constexpr char kEnq = 0x05;
inline constexpr char kAck = 0x06;
inline constexpr char kLf = 0x0A;
inline constexpr char kCr = 0x0D;
inline constexpr char kNak = 0x15;

}  // namespace halvex::station
