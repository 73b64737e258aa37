#include "upload/TamselBlockPacker.h"

namespace halvex {

void TamselBlockPacker::Append(std::string_view entry) {
    pending_.append(entry);
    MoveCompleteRecords();
}

void TamselBlockPacker::Finish() {
    pending_ += '_';  // Append leaves fewer than 128 characters, so this fits one record
    pending_.resize(kTamselBlockSize, ' ');
    queue_.append(pending_);
    queue_ += kRecordEnd;
    pending_.clear();
}

void TamselBlockPacker::MoveCompleteRecords() {
    std::size_t start = 0;
    while (pending_.size() - start >= kTamselBlockSize) {
        queue_.append(pending_, start, kTamselBlockSize);
        queue_ += kRecordEnd;
        start += kTamselBlockSize;
    }
    pending_.erase(0, start);
}

}  // namespace halvex
