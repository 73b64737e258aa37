#include "upload/CodeListRecords.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "serial/RecordSender.h"

namespace halvex {
namespace {

constexpr std::int32_t kHighestTamselCode = 50;
constexpr std::size_t kTamselCodeText = 10;
constexpr std::size_t kTamselCodeEntry = 15;
constexpr int kBrennoMaxFields = 40;
constexpr std::size_t kBrennoMaxField = 14;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
    for (std::size_t start = 0;;) {
        const std::size_t stx = record.find('\x02', start);
        const std::size_t end = stx == std::string_view::npos ? record.size() : stx;
        if (end == start) {
            result.endsTransfer = true;
            return result;
        }
        result.longest = std::max(result.longest, end - start);
        if (stx == std::string_view::npos) return result;
        start = stx + 1;
    }
}

std::string LineTooLong(std::size_t limit) {
    return "the record would be longer than " + std::to_string(limit) + " characters";
}

}  // namespace

std::int32_t ReadLeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t magnitude = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = std::min(kCap, magnitude * 10 + (text[i] - '0'));
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

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
        if (sent.longest > kMaxPlainRecord) return LineTooLong(kMaxPlainRecord);
        transferEnded_ = sent.endsTransfer;
    }
    QueueRecord(record);
    return {};
}

}  // namespace halvex
