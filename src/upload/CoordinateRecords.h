#pragma once
// Coordinate upload to Brenno and Corvane instruments: one record per CASS point line.
//   Brenno:  "/Dg <north>,<east>,<height>,<name>" with "%.3f" numbers
//   Corvane: "<name>,<east>,<north>,<height>,<code>" with "%.4f" numbers

#include <string>
#include <string_view>

#include "convert/CassLine.h"
#include "upload/RecordBuilder.h"

namespace halvex {

// Longest name or code, and the largest coordinate magnitude (40 integer digits), these
// instruments take.
inline constexpr std::size_t kCoordinateRecordMaxWord = 51;
inline constexpr double kCoordinateRecordLimit = 1e40;

std::string MakeBrennoCoordinateRecord(const CassPoint& point);
std::string MakeCorvaneCoordinateRecord(const CassPoint& point);

class BrennoCoordinateBuilder : public RecordBuilder {
public:
    using RecordBuilder::RecordBuilder;
    std::string AddLine(std::string_view line) override;

private:
    CassPoint point_;
};

class CorvaneCoordinateBuilder : public RecordBuilder {
public:
    using RecordBuilder::RecordBuilder;
    std::string AddLine(std::string_view line) override;

private:
    CassPoint point_;
};

}  // namespace halvex
