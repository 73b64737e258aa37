#pragma once
// Reads the Tamsel field stream: the first 128 bytes of each data line, joined in order, form one
// stream of fields, each introduced by "_". A field may start in one line and end in a later one;
// the reader keeps the unfinished field as its carry between calls.
//
// Everything before the stream's first "_" is not a field. A block without any "_" that arrives
// while the carry is still empty is therefore dropped whole: keeping it would change nothing,
// since the next block's first "_" would drop it anyway.
//
// The carry grows without limit over blocks without "_"; each byte is searched once, so a long
// run of such blocks costs linear time.

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/TamselFieldStream.h"

namespace halvex {

class TamselFieldReader {
public:
    // Takes the first kTamselBlockSize bytes of the line and calls deliver(std::string_view) for
    // every field completed by them, in order, without its "_". The view is valid only during the
    // call; deliver must not feed this reader.
    template <typename Deliver>
    void Feed(std::string_view line, Deliver&& deliver);

    // "_" followed by the unfinished field, or empty before the first "_".
    const std::string& Carry() const { return carry_; }

private:
    // Appends the block; returns where the search for the next "_" begins, or npos when the block
    // was dropped.
    std::size_t Append(std::string_view block);
    // Keeps the carry from the "_" at `last` on.
    void DropDelivered(std::size_t last);

    std::string carry_;
};

template <typename Deliver>
void TamselFieldReader::Feed(std::string_view line, Deliver&& deliver) {
    std::size_t next = Append(line.substr(0, kTamselBlockSize));
    if (next == std::string::npos) return;
    std::size_t start = 1;  // the carry begins with "_"
    while ((next = carry_.find('_', next)) != std::string::npos) {
        deliver(std::string_view(carry_).substr(start, next - start));
        start = next + 1;
        ++next;
    }
    DropDelivered(start - 1);
}

}  // namespace halvex
