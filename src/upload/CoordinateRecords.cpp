#include "upload/CoordinateRecords.h"

#include <cmath>

#include "convert/NumberFormat.h"

namespace halvex {
namespace {

std::string CheckCoordinates(const CassPoint& point) {
    if (!point.notANumber.empty()) return point.notANumber;
    for (double value : {point.east, point.north, point.height}) {
        if (!(std::fabs(value) < kCoordinateRecordLimit)) {
            return "a coordinate has more than 40 digits before the decimal point";
        }
    }
    return {};
}

std::string CheckName(const CassPoint& point) {
    if (point.name.size() > kCoordinateRecordMaxWord) {
        return "the point name is longer than 51 characters";
    }
    return {};
}

}  // namespace

std::string MakeBrennoCoordinateRecord(const CassPoint& point) {
    std::string record = "/Dg ";
    AppendFixed(record, point.north, 3);
    record += ',';
    AppendFixed(record, point.east, 3);
    record += ',';
    AppendFixed(record, point.height, 3);
    record += ',';
    record += point.name;
    return record;
}

std::string MakeCorvaneCoordinateRecord(const CassPoint& point) {
    std::string record = point.name;
    record += ',';
    AppendFixed(record, point.east, 4);
    record += ',';
    AppendFixed(record, point.north, 4);
    record += ',';
    AppendFixed(record, point.height, 4);
    record += ',';
    record += point.code;
    return record;
}

std::string BrennoCoordinateBuilder::AddLine(std::string_view line) {
    if (ParseCassLine(line, point_) != kCassLineCommas) return {};
    if (auto problem = CheckName(point_); !problem.empty()) return problem;
    if (auto problem = CheckCoordinates(point_); !problem.empty()) return problem;
    QueueRecord(MakeBrennoCoordinateRecord(point_));
    return {};
}

std::string CorvaneCoordinateBuilder::AddLine(std::string_view line) {
    if (ParseCassLine(line, point_) != kCassLineCommas) return {};
    if (auto problem = CheckName(point_); !problem.empty()) return problem;
    if (point_.code.size() > kCoordinateRecordMaxWord) {
        return "the code is longer than 51 characters";
    }
    if (auto problem = CheckCoordinates(point_); !problem.empty()) return problem;
    QueueRecord(MakeCorvaneCoordinateRecord(point_));
    return {};
}

}  // namespace halvex
