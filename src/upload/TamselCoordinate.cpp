#include "upload/TamselCoordinate.h"

#include <cmath>

#include "convert/NumberFormat.h"

namespace halvex {
namespace {

constexpr std::size_t kMinimumDigits = 9;
constexpr std::size_t kPaddedNameField = 10;

void AppendEntry(std::string& entry, const CassPoint& point) {
    entry += "_+";
    entry += point.name;
    if (point.name.size() < kPaddedNameField) {
        entry.append(kPaddedNameField - point.name.size(), ' ');
    }
    entry += "_ x";
    AppendTamselCoordinate(entry, point.north);
    entry += "_ y";
    AppendTamselCoordinate(entry, point.east);
    entry += "_ z";
    AppendTamselCoordinate(entry, point.height);
}

bool WithinLimit(double value) { return std::fabs(value) < kTamselCoordinateLimit; }

}  // namespace

void AppendTamselCoordinate(std::string& out, double value) {
    out += value < 0 ? '-' : '+';
    const std::size_t digitsStart = out.size();
    AppendFixed(out, std::fabs(value) * 1000.0, 0);
    const std::size_t digits = out.size() - digitsStart;
    if (digits < kMinimumDigits) out.insert(digitsStart, kMinimumDigits - digits, '0');
}

std::string FormatTamselCoordinate(double value) {
    std::string text;
    AppendTamselCoordinate(text, value);
    return text;
}

std::string MakeTamselPointEntry(const CassPoint& point) {
    std::string entry;
    AppendEntry(entry, point);
    return entry;
}

std::string TamselCoordinateBuilder::AddLine(std::string_view line) {
    if (ParseCassLine(line, point_) != kCassLineCommas) return {};
    if (point_.name.size() > kTamselMaxNameLength) {
        return "the point name is longer than 31 characters";
    }
    if (!point_.notANumber.empty()) return point_.notANumber;
    if (!WithinLimit(point_.east) || !WithinLimit(point_.north) || !WithinLimit(point_.height)) {
        return "a coordinate is too large for the instrument";
    }
    entry_.clear();
    AppendEntry(entry_, point_);
    packer_.Append(entry_);
    return {};
}

}  // namespace halvex
