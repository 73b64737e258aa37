#pragma once
// The words of the progress pane: "Received 1,234 lines, 45,678 bytes, 118 bytes/s" while a
// download runs, "Record 12 of 500, about 3 min 20 s left" while an upload runs; and the summary
// of a transfer that has completed: "Download finished: 25 lines, 1,234 bytes", "Upload finished:
// 60 records".

#include <chrono>
#include <cstdint>
#include <string>

#include "transfers/TransferProgress.h"

namespace halvex {

std::string DescribeProgress(const ProgressSnapshot& progress);
// The summary of the transfer whose last counts these are; empty when none got under way.
std::string DescribeTransferEnd(const ProgressSnapshot& progress);

// "1,234,567".
std::string WithThousandsSeparators(std::uint64_t value);
// "1 line", "1,234 lines": the count with separators and the noun, plural unless it is 1.
std::string CountOf(std::uint64_t count, const char* noun);
// "45 s", "3 min 20 s", "1 h 5 min"; rounded up to whole seconds.
std::string DescribeDuration(std::chrono::milliseconds duration);

}  // namespace halvex
