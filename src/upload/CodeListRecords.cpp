#include "upload/CodeListRecords.h"

#include <algorithm>
#include <charconv>

#include "convert/NumberReader.h"

namespace halvex {
namespace {

constexpr std::int32_t kHighestTamselCode = 50;
constexpr std::size_t kTamselCodeText = 10;
constexpr std::size_t kTamselCodeEntry = 15;
constexpr int kBrennoMaxFields = 40;
constexpr std::size_t kBrennoMaxField = 14;

std::string WithoutBlanks(std::string_view field) {
    std::string result;
    for (char c : field) {
        if (c != ' ') result += c;
    }
    return result;
}

// What the transfer sends of one queued record: a 0x02 inside it splits it into pieces, and the
// first empty piece (also one made by a 0x02 at either end) ends the whole transfer.
struct SentPieces {
    std::size_t longest = 0;
    bool endsTransfer = false;
};

SentPieces ScanSentPieces(std::string_view record) {
    SentPieces result;
    ForEachPiece(record, [&result](std::string_view piece, bool) {
        result.endsTransfer = piece.empty();
        result.longest = std::max(result.longest, piece.size());
        return !result.endsTransfer;
    });
    return result;
}

std::string LineTooLong(std::size_t limit) {
    return "the record would be longer than " + std::to_string(limit) + " characters";
}

}  // namespace

std::string MakeTamselCodeEntry(std::string_view line) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) return {};
    const std::int32_t number = std::min(ReadLeadingInteger(line), kHighestTamselCode);
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, number);
    const std::size_t length = static_cast<std::size_t>(written.ptr - digits);

    std::string entry = "_:";
    if (length < 3) entry.append(3 - length, '0');
    entry.append(digits, length);
    const std::string_view text = line.substr(comma + 1);
    entry += text;
    if (text.size() > kTamselCodeText) {
        entry.resize(kTamselCodeEntry);
    } else {
        entry.append(kTamselCodeText - text.size(), ' ');
    }
    return entry;
}

std::string MakeBrennoCodeRecord(std::string_view line) {
    std::string record = "/Dh ";
    int fields = 0;
    std::size_t position = 0;
    for (bool last = false; !last;) {
        const std::size_t comma = line.find(',', position);
        std::string_view raw;
        if (comma != std::string_view::npos && comma > position) {
            raw = line.substr(position, comma - position);
            position = comma + 1;
        } else {
            raw = line.substr(position);  // an empty field hands over the rest of the line
            last = true;
        }
        const std::string field = WithoutBlanks(raw);
        if (field.empty()) continue;
        if (++fields > kBrennoMaxFields) break;
        if (fields > 1) record += ',';
        record.append(field, 0, kBrennoMaxField);
    }
    return record;
}

std::string TamselCodeListBuilder::AddLine(std::string_view line) {
    const std::string entry = MakeTamselCodeEntry(WithoutCarriageReturns(line));
    if (!entry.empty()) packer_.Append(entry);
    return {};
}

std::string BrennoCodeListBuilder::AddLine(std::string_view line) {
    const std::string text = WithoutCarriageReturns(line);
    if (text.empty()) return {};
    const std::string record = MakeBrennoCodeRecord(text);
    if (LongestQueuedPiece(record) > longestRecord_) return LineTooLong(longestRecord_);
    QueueRecord(record);
    return {};
}

std::string OtherDataBuilder::AddLine(std::string_view line) {
    const std::string record = WithoutCarriageReturns(line);
    if (!transferEnded_) {
        const SentPieces sent = ScanSentPieces(record);
        if (sent.longest > longestRecord_) return LineTooLong(longestRecord_);
        transferEnded_ = sent.endsTransfer;
    }
    QueueRecord(record);
    return {};
}

}  // namespace halvex
