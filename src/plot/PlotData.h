#pragma once
// What a point plot shows: the editor text it was read from, the points found in it and their
// bounds. Made off the user-interface thread and then shared, never changed.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plot/PlotViewport.h"
#include "convert/CassPointScan.h"
#include "convert/CassPointWords.h"

namespace halvex {

struct PlotData {
    PlotData() = default;
    PlotData(const PlotData&) = delete;  // the names point into the text
    PlotData& operator=(const PlotData&) = delete;

    std::string text;
    CassPointScan scan;
    std::vector<std::string_view> names;  // of each drawn point, into `text`
    SurveyBounds bounds;

    std::string_view LineText(const TextLine& line) const {
        return std::string_view(text).substr(line.start, line.length);
    }
    // The five words of a drawn point, as written.
    CassPointWords WordsOf(std::size_t point) const;
};

std::shared_ptr<const PlotData> ReadPlotData(std::string text);

}  // namespace halvex
