#pragma once
// Draws a point plot on any paint device (the window, a PNG or SVG image, a printed page): a
// white ground, the coordinate grid with its values, one mark per point and the point names.
//
// Work per picture stays linear in the number of points: marks falling on a pixel that already
// holds one are drawn once, and a name is written only where it overlaps no other name and no
// mark (LabelPlacer), which also hides the names of crowded points until the user zooms in. A
// name stands right of its mark, or left of it where there is no room on the right.

#include <QRectF>
#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

class QPainter;

namespace halvex {

struct PlotData;
class PlotViewport;

// A grid value or axis name and where it was written.
struct GridValueBox {
    QString text;
    QRectF box;
};

struct PaintedPlot {
    int marks = 0;   // marks drawn
    int labels = 0;  // names written
    std::vector<GridValueBox> gridValues;
};

// Paints the viewport's area (its size, in the painter's coordinates). `highlighted` is a point
// drawn emphasised (the one under the pointer).
PaintedPlot PaintPlot(QPainter& painter, const PlotData& data, const PlotViewport& viewport,
                      std::optional<std::size_t> highlighted = std::nullopt);

// The label text of a point name: bytes as Latin-1, control bytes as a middle dot, long names
// shortened with "...".
QString LabelText(std::string_view name);

}  // namespace halvex
