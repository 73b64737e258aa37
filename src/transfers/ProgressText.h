#pragma once
// The words of the progress pane: "Received 1,234 lines, 45,678 bytes, 118 bytes/s" while a
// download runs, "Record 12 of 500, about 3 min 20 s left" while an upload runs.

#include <chrono>
#include <cstdint>
#include <string>

#include "transfers/TransferProgress.h"

namespace halvex {

std::string DescribeProgress(const ProgressSnapshot& progress);

// "1,234,567".
std::string WithThousandsSeparators(std::uint64_t value);
// "45 s", "3 min 20 s", "1 h 5 min"; rounded up to whole seconds.
std::string DescribeDuration(std::chrono::milliseconds duration);

}  // namespace halvex
