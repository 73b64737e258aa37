#include "plot/LabelPlacer.h"

#include <algorithm>
#include <cmath>

namespace halvex {

LabelPlacer::LabelPlacer(QSizeF area, double cellSize)
    : cellSize_(cellSize),
      columns_(std::max(1, static_cast<int>(std::ceil(area.width() / cellSize)))),
      rows_(std::max(1, static_cast<int>(std::ceil(area.height() / cellSize)))),
      taken_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), false) {}

int LabelPlacer::CellIndex(double at, int count) const {
    const double cell = at / cellSize_;
    if (!(cell >= 0)) return -1;
    if (cell >= count) return count;
    return static_cast<int>(cell);
}

LabelPlacer::CellRange LabelPlacer::CellsOf(const QRectF& rect) const {
    return {std::max(0, CellIndex(rect.left(), columns_)),
            std::max(0, CellIndex(rect.top(), rows_)),
            std::min(columns_ - 1, CellIndex(rect.right(), columns_)),
            std::min(rows_ - 1, CellIndex(rect.bottom(), rows_))};
}

bool LabelPlacer::TryTake(const QRectF& rect) {
    const CellRange cells = CellsOf(rect);
    for (int row = cells.top; row <= cells.bottom; ++row) {
        const auto begin = taken_.begin() + static_cast<std::ptrdiff_t>(row) * columns_;
        if (std::any_of(begin + cells.left, begin + cells.right + 1, [](bool t) { return t; }))
            return false;
    }
    Take(rect);
    return true;
}

void LabelPlacer::Take(const QRectF& rect) {
    const CellRange cells = CellsOf(rect);
    for (int row = cells.top; row <= cells.bottom; ++row) {
        const auto begin = taken_.begin() + static_cast<std::ptrdiff_t>(row) * columns_;
        std::fill(begin + cells.left, begin + cells.right + 1, true);
    }
}

}  // namespace halvex
