#include "convert/TamselCassConversion.h"

#include <cstdint>
#include <string>

#include "convert/ConversionFailure.h"
#include "convert/LineScan.h"
#include "convert/NumberFormat.h"
#include "convert/NumberReader.h"
#include "convert/RemoveStx.h"
#include "convert/TamselFieldReader.h"

namespace halvex {

namespace {

constexpr std::size_t kValueOffset = 2;  // a blank and the letter x, y or z
constexpr double kThousandth = 0.001;

bool HasCoordinateLetters(std::string_view line) {
    return line.find('x') != std::string_view::npos && line.find('y') != std::string_view::npos &&
           line.find('z') != std::string_view::npos;
}

// Builds the output lines from the fields of the stream, group by group.
class PointGrouper {
public:
    explicit PointGrouper(std::string& output) : output_(output) {}

    void Take(std::string_view field) {
        ++fields_;
        switch (fields_ % 4) {
            case 1:
                if (!field.empty() && field.front() == '+') field.remove_prefix(1);
                name_.assign(field);
                break;
            case 2:
                WriteValue(field, north_);
                break;
            case 3:
                WriteValue(field, east_);
                break;
            default:
                WriteValue(field, height_);
                EmitLine();
                break;
        }
    }

    std::uint64_t Fields() const { return fields_; }

private:
    static void WriteValue(std::string_view field, std::string& text) {
        const double value =
            field.size() < kValueOffset ? 0.0 : ReadNumber(field.substr(kValueOffset));
        text.clear();
        AppendFixed(text, value * kThousandth, 3);
    }

    void EmitLine() {
        output_.append(name_).append(1, ',').append(name_).append(1, ',');
        output_.append(east_).append(1, ',').append(north_).append(1, ',');
        output_.append(height_).append("\r\n");
    }

    std::string& output_;
    std::uint64_t fields_ = 0;
    std::string name_, north_, east_, height_;
};

std::string WhyNoPoint(std::string_view text, bool fed, const TamselFieldReader& reader,
                       std::uint64_t fields) {
    if (std::string reason = NoLineReason(text, '\n'); !reason.empty()) return reason;
    if (!fed) return "No line has the 128 characters of a Tamsel data record.";
    if (fields == 0 && reader.Carry().empty()) return kNoFieldMarkerReason;
    return "The data end before the first point is complete: a point has four fields (name, x, "
           "y and z).";
}

}  // namespace

ConversionResult ConvertTamselToCass(std::string_view text) {
    const std::string copy = WithoutStx(text);
    ConversionResult result;
    PointGrouper grouper(result.output);
    TamselFieldReader reader;
    bool fed = false;
    ForEachLfLine(copy, [&](std::string_view line) {
        if (grouper.Fields() == 0 && !HasCoordinateLetters(line)) {
            result.wrongFormat = true;
            return false;
        }
        if (line.size() < kTamselBlockSize) return true;
        fed = true;
        reader.Feed(line, [&](std::string_view field) { grouper.Take(field); });
        return true;
    });
    if (result.wrongFormat) {
        result.output.clear();
        return result;
    }
    result.produced = grouper.Fields() >= 4;
    if (!result.produced) result.failure = WhyNoPoint(copy, fed, reader, grouper.Fields());
    return result;
}

}  // namespace halvex
