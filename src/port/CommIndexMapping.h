#pragma once
// How the parameter dialog's radio indices become line settings. An index outside the known ones
// gives the fallback named below (1200 baud, 8 bits, one stop bit, no parity), so a stray value
// never yields an impossible setting.

#include <cstdint>

#include "port/CommSettings.h"
#include "port/SerialPort.h"

namespace halvex {

// 1..7 give 2400..115200; 0 and every other value give 1200.
std::uint32_t BaudRateForIndex(std::int32_t baudIndex);
// 0 gives 7 bits; every other value gives 8.
int DataBitsForIndex(std::int32_t dataBitsIndex);
// 1 gives two stop bits; every other value gives one.
int StopBitsForIndex(std::int32_t stopBitsIndex);
// 1 odd, 2 even; every other value none.
Parity ParityForIndex(std::int32_t parityIndex);

// The four line settings that opening a port applies.
LineSettings LineSettingsFor(const CommSettingsValues& values);

}  // namespace halvex
