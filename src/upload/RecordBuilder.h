#pragma once
// What every upload builder does: turn the visited lines of the editor text into records in the
// upload queue, each followed by one 0x02, refusing a line whose records the instrument could
// not take.

#include <string>
#include <string_view>

#include "common/RecordQueue.h"

namespace halvex {

class RecordBuilder {
public:
    explicit RecordBuilder(std::string& queue) : queue_(queue) {}
    virtual ~RecordBuilder() = default;
    RecordBuilder(const RecordBuilder&) = delete;
    RecordBuilder& operator=(const RecordBuilder&) = delete;

    // Adds the records of one line (given without its LF). Returns an empty text when the line
    // was taken or skipped, otherwise why it cannot be uploaded.
    virtual std::string AddLine(std::string_view line) = 0;
    // Completes the queue after the last line.
    virtual void Finish() {}

protected:
    void QueueRecord(std::string_view record) {
        queue_.append(record);
        queue_ += kRecordEnd;
    }
    std::string& queue_;
};

// The length of the longest record `text` makes once queued: a 0x02 inside it splits it.
std::size_t LongestQueuedPiece(std::string_view text);

std::string WithoutCarriageReturns(std::string_view line);

}  // namespace halvex
