#pragma once
// Test tables speak in the product's own numbers (TransferMode 1 Tamsel, 2 Brenno, 3 Corvane);
// this turns such a number into the family the core takes.

#include <cstdint>

#include "port/ProtocolValues.h"

namespace halvex::testing {

inline InstrumentFamily FamilyForMode(std::int16_t transferMode) {
    return static_cast<InstrumentFamily>(transferMode);
}

}  // namespace halvex::testing
