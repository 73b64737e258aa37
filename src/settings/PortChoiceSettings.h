#pragma once
// The devices chosen for COM1..COM6 in the settings store: section "Ports", one key per port
// name holding the device path; no key means the port's default device.

#include "port/PortChoices.h"

namespace halvex {

// "Ports/COM1".."Ports/COM6" into `choices`, and back.
void ReadPortChoices(PortChoices& choices);
void WritePortChoices(const PortChoices& choices);

}  // namespace halvex
