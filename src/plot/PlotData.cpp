#include "plot/PlotData.h"

namespace halvex {

CassPointWords PlotData::WordsOf(std::size_t point) const {
    CassPointWords words;
    ReadCassPointWords(LineText(scan.points[point].line), words);
    return words;
}

std::shared_ptr<const PlotData> ReadPlotData(std::string text) {
    auto data = std::make_shared<PlotData>();
    data->text = std::move(text);
    data->scan = ScanCassPoints(data->text);
    data->names.reserve(data->scan.points.size());
    for (std::size_t i = 0; i < data->scan.points.size(); ++i) {
        data->names.push_back(data->WordsOf(i).name);
        data->bounds.Add(data->scan.points[i].east, data->scan.points[i].north);
    }
    return data;
}

}  // namespace halvex
