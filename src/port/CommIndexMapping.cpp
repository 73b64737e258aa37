#include "port/CommIndexMapping.h"

#include <array>

namespace halvex {

std::uint32_t BaudRateForIndex(std::int32_t baudIndex) {
    static constexpr std::array<std::uint32_t, 8> kRates = {1200,  2400,  4800,  9600,
                                                            19200, 38400, 57600, 115200};
    if (baudIndex < 0 || baudIndex >= static_cast<std::int32_t>(kRates.size())) return kRates[0];
    return kRates[static_cast<std::size_t>(baudIndex)];
}

int DataBitsForIndex(std::int32_t dataBitsIndex) { return dataBitsIndex == 0 ? 7 : 8; }

int StopBitsForIndex(std::int32_t stopBitsIndex) { return stopBitsIndex == 1 ? 2 : 1; }

Parity ParityForIndex(std::int32_t parityIndex) {
    switch (parityIndex) {
        case 1:
            return Parity::Odd;
        case 2:
            return Parity::Even;
        default:
            return Parity::None;
    }
}

LineSettings LineSettingsFor(const CommSettingsValues& values) {
    return {BaudRateForIndex(values.BaudIndex), DataBitsForIndex(values.DataBitsIndex),
            ParityForIndex(values.ParityIndex), StopBitsForIndex(values.StopBitsIndex)};
}

}  // namespace halvex
