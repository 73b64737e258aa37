#pragma once
// Keeps the labels of a point plot from overlapping each other and the marks. The picture is
// divided into small square cells; a rectangle can be taken while none of the cells it touches
// is taken. A check costs the rectangle's own size in cells, whatever was placed before, so
// placing labels grows linearly with their number instead of with its square.

#include <QRectF>
#include <QSizeF>
#include <vector>

namespace halvex {

class LabelPlacer {
public:
    explicit LabelPlacer(QSizeF area, double cellSize = 4);

    // Takes the rectangle's cells when all of them are free; false, taking nothing, otherwise.
    // Parts outside the area are free.
    bool TryTake(const QRectF& rect);
    // Takes the rectangle's cells whether or not they are free.
    void Take(const QRectF& rect);

private:
    struct CellRange {
        int left, top, right, bottom;  // inclusive; empty when left > right or top > bottom
    };
    CellRange CellsOf(const QRectF& rect) const;
    // The cell column or row of a coordinate: -1 before the area, `count` after it.
    int CellIndex(double at, int count) const;

    double cellSize_;
    int columns_;
    int rows_;
    std::vector<bool> taken_;
};

}  // namespace halvex
