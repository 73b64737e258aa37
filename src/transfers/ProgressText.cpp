#include "transfers/ProgressText.h"

#include <algorithm>

namespace halvex {

namespace {

constexpr std::chrono::seconds kShortestRatePeriod{1};

// "25 lines, 1,234 bytes".
std::string LinesAndBytes(const ProgressSnapshot& p) {
    std::string text = CountOf(p.lines, "line");
    text += ", ";
    text += CountOf(p.bytes, "byte");
    return text;
}

std::string DownloadText(const ProgressSnapshot& p) {
    std::string text = "Received ";
    text += LinesAndBytes(p);
    if (p.elapsed >= kShortestRatePeriod) {
        const std::uint64_t rate = p.bytes * 1000 / static_cast<std::uint64_t>(p.elapsed.count());
        text += ", " + WithThousandsSeparators(rate) + " bytes/s";
    }
    return text;
}

std::string UploadText(const ProgressSnapshot& p) {
    const std::uint64_t current = std::min(p.recordsSent + 1, p.recordsTotal);
    std::string text = "Record " + WithThousandsSeparators(current) + " of " +
                       WithThousandsSeparators(p.recordsTotal);
    if (p.recordsSent > 0 && p.recordsSent < p.recordsTotal) {
        // What is left takes as long per record as what is done.
        const auto perRecord = p.elapsed / static_cast<std::int64_t>(p.recordsSent);
        const auto left = perRecord * static_cast<std::int64_t>(p.recordsTotal - p.recordsSent);
        text += ", about " + DescribeDuration(left) + " left";
    }
    return text;
}

}  // namespace

std::string WithThousandsSeparators(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) grouped += ',';
        grouped += digits[at];
    }
    return grouped;
}

std::string CountOf(std::uint64_t count, const char* noun) {
    std::string text = WithThousandsSeparators(count);
    text += ' ';
    text += noun;
    if (count != 1) text += 's';
    return text;
}

std::string DescribeDuration(std::chrono::milliseconds duration) {
    const std::int64_t seconds = std::max<std::int64_t>(0, (duration.count() + 999) / 1000);
    if (seconds < 60) return std::to_string(seconds) + " s";
    if (seconds < 3600) {
        return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
    }
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds % 3600 / 60) + " min";
}

std::string DescribeProgress(const ProgressSnapshot& progress) {
    switch (progress.kind) {
        case TransferKind::Download:
            return DownloadText(progress);
        case TransferKind::Upload:
            return UploadText(progress);
        case TransferKind::None:
            break;
    }
    return {};
}

std::string DescribeTransferEnd(const ProgressSnapshot& progress) {
    switch (progress.kind) {
        case TransferKind::Download:
            return "Download finished: " + LinesAndBytes(progress);
        case TransferKind::Upload:
            return "Upload finished: " + CountOf(progress.recordsSent, "record");
        case TransferKind::None:
            break;
    }
    return {};
}

}  // namespace halvex
