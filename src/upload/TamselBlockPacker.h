#pragma once
// Packs the entries of a Tamsel field stream into records of exactly 128 characters, each put
// into the upload queue followed by 0x02. The stream is closed by a single "_" and padded with
// blanks; entries run across record boundaries.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/RecordQueue.h"
#include "convert/TamselFieldStream.h"

namespace halvex {

class TamselBlockPacker {
public:
    explicit TamselBlockPacker(std::string& queue) : queue_(queue) {}

    // Adds an entry to the stream; every complete 128-character record goes into the queue.
    void Append(std::string_view entry);
    // Closes the stream with "_", pads it to a whole record and queues that record. Always
    // queues exactly one record.
    void Finish();

private:
    void MoveCompleteRecords();

    std::string& queue_;
    std::string pending_;
};

}  // namespace halvex
