#include "convert/CassLine.h"

#include <algorithm>
#include <array>

#include "convert/CoordinateField.h"

namespace halvex {

namespace {

// Skips blanks, then takes the bytes up to the first blank or comma.
std::string WordAt(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    const std::size_t stop = std::min(text.find_first_of(" ,", start), text.size());
    return std::string(text.substr(start, stop - start));
}

}  // namespace

int ParseCassLine(std::string_view line, CassPoint& point) {
    if (line.empty()) return 0;
    std::array<std::size_t, kCassLineCommas> commas{};
    int count = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ',') continue;
        if (count < kCassLineCommas) commas[count] = i;
        ++count;
    }
    if (count != kCassLineCommas) return count;

    point.name = WordAt(line);
    point.code = WordAt(line.substr(commas[0] + 1));
    point.notANumber.clear();
    const auto read = [&](std::size_t comma, CoordinateName name, double& value) {
        const CoordinateField field = ReadCoordinateField(line.substr(comma + 1));
        value = field.value;
        if (field.kind == CoordinateKind::NotANumber && point.notANumber.empty())
            point.notANumber = DescribeUnusableCoordinate(name, field);
    };
    read(commas[1], CoordinateName::East, point.east);
    read(commas[2], CoordinateName::North, point.north);
    read(commas[3], CoordinateName::Height, point.height);
    return kCassLineCommas;
}

}  // namespace halvex
