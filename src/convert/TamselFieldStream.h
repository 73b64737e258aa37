#pragma once
// The Tamsel field stream travels in blocks of this many characters: the upload packs its entries
// into records of this size, and a download's data lines carry one block each.

#include <cstddef>

namespace halvex {

inline constexpr std::size_t kTamselBlockSize = 128;

}  // namespace halvex
