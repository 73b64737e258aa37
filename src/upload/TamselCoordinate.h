#pragma once
// Coordinate upload to a Tamsel instrument: every CASS point line becomes a point entry
// "_+name_ x<north>_ y<east>_ z<height>" of the Tamsel field stream, packed into 128-character
// records.

#include <string>
#include <string_view>

#include "convert/CassLine.h"
#include "upload/RecordBuilder.h"
#include "upload/TamselBlockPacker.h"

namespace halvex {

// Longest point name and largest coordinate magnitude a Tamsel instrument takes.
inline constexpr std::size_t kTamselMaxNameLength = 31;
inline constexpr double kTamselCoordinateLimit = 1e24;

// Sign, then the magnitude in thousandths ("%.f", exact halves up), at least 9 digits.
std::string FormatTamselCoordinate(double value);
void AppendTamselCoordinate(std::string& out, double value);

// The point entry of one CASS point.
std::string MakeTamselPointEntry(const CassPoint& point);

class TamselCoordinateBuilder : public RecordBuilder {
public:
    explicit TamselCoordinateBuilder(std::string& queue) : RecordBuilder(queue), packer_(queue) {}
    std::string AddLine(std::string_view line) override;
    void Finish() override { packer_.Finish(); }

private:
    TamselBlockPacker packer_;
    CassPoint point_;
    std::string entry_;
};

}  // namespace halvex
