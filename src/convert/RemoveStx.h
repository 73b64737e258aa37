#pragma once
// Tamsel downloads carry 0x02 bytes anywhere; their readers work on a copy without them.

#include <string>
#include <string_view>

namespace halvex {

std::string WithoutStx(std::string_view text);

}  // namespace halvex
