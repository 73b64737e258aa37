#include "plot/PlotPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/LabelPlacer.h"
#include "plot/PlotData.h"
#include "plot/PlotGrid.h"
#include "plot/PlotViewport.h"

namespace halvex {

namespace {

constexpr double kGridSpacing = 100;  // pixels between grid lines, at least
constexpr double kMarkArm = 3;        // a mark is a cross of two 7-pixel strokes
constexpr double kLabelGap = 8;       // from the point to its name: clear of the mark's cells
constexpr double kCullMargin = kMarkArm + 1;
constexpr double kEdgeGap = 2;  // between a grid value and the picture's edge
constexpr int kFontPixels = 11;
constexpr qsizetype kLongestLabel = 24;

const QColor kGround(255, 255, 255);
const QColor kGridLine(225, 228, 232);
const QColor kGridText(95, 100, 110);
const QColor kMark(20, 60, 150);
const QColor kLabel(30, 30, 30);
const QColor kHighlight(200, 30, 30);

QFont PlotFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(kFontPixels);
    return font;
}

bool Within(QPointF p, QSizeF size, double margin) {
    return p.x() >= -margin && p.x() <= size.width() + margin && p.y() >= -margin &&
           p.y() <= size.height() + margin;
}

// A value whose line runs close to an edge of the picture is moved inside it, so that it is
// never cut off.
QRectF KeptInside(QRectF box, QSizeF size) {
    const double right = std::max(kEdgeGap, size.width() - kEdgeGap - box.width());
    const double bottom = std::max(kEdgeGap, size.height() - kEdgeGap - box.height());
    box.moveTopLeft(
        {std::clamp(box.left(), kEdgeGap, right), std::clamp(box.top(), kEdgeGap, bottom)});
    return box;
}

// Writes `text` into `box`, moved inside the picture, on a ground of its own when the box is
// still free.
void WriteGridValue(QPainter& painter, LabelPlacer& placer, const QSizeF& size, QRectF box,
                    const QString& text, std::vector<GridValueBox>& written) {
    box = KeptInside(box, size);
    if (!placer.TryTake(box)) return;
    painter.fillRect(box, kGround);
    painter.drawText(box, Qt::AlignCenter, text);
    written.push_back({text, box});
}

std::vector<GridValueBox> DrawGrid(QPainter& painter, const PlotViewport& viewport,
                                   LabelPlacer& placer) {
    const QSizeF size = viewport.Size();
    const SurveyPoint topLeft = viewport.ToSurvey({0, 0});
    const SurveyPoint bottomRight = viewport.ToSurvey({size.width(), size.height()});
    const double minimumStep = kGridSpacing / viewport.Scale();
    const GridLines east = MakeGridLines(topLeft.east, bottomRight.east, minimumStep);
    const GridLines north = MakeGridLines(bottomRight.north, topLeft.north, minimumStep);

    painter.setPen(kGridLine);
    for (const double value : east.values) {
        const double x = viewport.ToScreen({value, 0}).x();
        painter.drawLine(QLineF(x, 0, x, size.height()));
    }
    for (const double value : north.values) {
        const double y = viewport.ToScreen({0, value}).y();
        painter.drawLine(QLineF(0, y, size.width(), y));
    }

    const QFontMetricsF metrics(painter.font(), painter.device());
    const double height = metrics.height();
    const auto boxFor = [&](const QString& text) {
        return QRectF(0, 0, metrics.horizontalAdvance(text) + 4, height);
    };
    painter.setPen(kGridText);
    std::vector<GridValueBox> written;
    // The axis names first, in the corners, so that values give way to them.
    QRectF eastName = boxFor(QStringLiteral("E"));
    eastName.moveBottomRight({size.width() - kEdgeGap, size.height() - kEdgeGap});
    WriteGridValue(painter, placer, size, eastName, QStringLiteral("E"), written);
    QRectF northName = boxFor(QStringLiteral("N"));
    northName.moveTopLeft({kEdgeGap, kEdgeGap});
    WriteGridValue(painter, placer, size, northName, QStringLiteral("N"), written);
    for (const double value : east.values) {
        const QString text = QString::fromStdString(GridValueText(value, east.decimals));
        QRectF box = boxFor(text);
        box.moveCenter({viewport.ToScreen({value, 0}).x(), size.height() - kEdgeGap - height / 2});
        WriteGridValue(painter, placer, size, box, text, written);
    }
    for (const double value : north.values) {
        const QString text = QString::fromStdString(GridValueText(value, north.decimals));
        QRectF box = boxFor(text);
        box.moveBottomLeft({kEdgeGap, viewport.ToScreen({0, value}).y() - 1});
        WriteGridValue(painter, placer, size, box, text, written);
    }
    return written;
}

// Draws the marks of the points inside the picture; returns the points that got a mark.
std::vector<std::size_t> DrawMarks(QPainter& painter, const PlotData& data,
                                   const PlotViewport& viewport, LabelPlacer& placer) {
    const QSizeF size = viewport.Size();
    const int columns = static_cast<int>(std::ceil(size.width()));
    const int rows = static_cast<int>(std::ceil(size.height()));
    std::vector<bool> markedPixel(static_cast<std::size_t>(columns) * rows, false);
    std::vector<std::size_t> marked;
    std::vector<QLineF> strokes;
    const auto& points = data.scan.points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF at = viewport.ToScreen({points[i].east, points[i].north});
        if (!Within(at, size, kCullMargin)) continue;
        const int column = static_cast<int>(std::floor(at.x()));
        const int row = static_cast<int>(std::floor(at.y()));
        if (column >= 0 && column < columns && row >= 0 && row < rows) {
            const std::size_t pixel = static_cast<std::size_t>(row) * columns + column;
            if (markedPixel[pixel]) continue;
            markedPixel[pixel] = true;
        }
        marked.push_back(i);
        strokes.emplace_back(at.x() - kMarkArm, at.y(), at.x() + kMarkArm, at.y());
        strokes.emplace_back(at.x(), at.y() - kMarkArm, at.x(), at.y() + kMarkArm);
        placer.Take(QRectF(at.x() - kMarkArm, at.y() - kMarkArm, 2 * kMarkArm, 2 * kMarkArm));
    }
    painter.setPen(QPen(kMark, 1));
    painter.drawLines(strokes.data(), static_cast<int>(strokes.size()));
    return marked;
}

int DrawLabels(QPainter& painter, const PlotData& data, const PlotViewport& viewport,
               const std::vector<std::size_t>& marked, LabelPlacer& placer) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const double height = metrics.height();
    painter.setPen(kLabel);
    int written = 0;
    for (const std::size_t i : marked) {
        const std::string_view name = data.names[i];
        if (name.empty()) continue;
        const qsizetype shown =
            std::min<qsizetype>(static_cast<qsizetype>(name.size()), kLongestLabel + 3);
        const QPointF at = viewport.ToScreen({data.scan.points[i].east, data.scan.points[i].north});
        // Right of the mark, or left of it where the right side is taken or off the picture.
        const double width = charWidth * double(shown);
        QRectF box(at.x() + kLabelGap, at.y() - height / 2, width, height);
        if (box.right() > viewport.Size().width() || !placer.TryTake(box)) {
            box.moveRight(at.x() - kLabelGap);
            if (box.left() < 0 || !placer.TryTake(box)) continue;
        }
        painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), LabelText(name));
        ++written;
    }
    return written;
}

void DrawHighlight(QPainter& painter, const PlotData& data, const PlotViewport& viewport,
                   std::size_t point) {
    if (point >= data.scan.points.size()) return;
    const QPointF at =
        viewport.ToScreen({data.scan.points[point].east, data.scan.points[point].north});
    if (!Within(at, viewport.Size(), 2 * kLabelGap)) return;
    painter.setPen(QPen(kHighlight, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, 2 * kMarkArm, 2 * kMarkArm);
}

}  // namespace

QString LabelText(std::string_view name) {
    QString text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    if (text.size() > kLongestLabel + 3) text = text.left(kLongestLabel) + QStringLiteral("...");
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QChar(0xB7);
    }
    return text;
}

PaintedPlot PaintPlot(QPainter& painter, const PlotData& data, const PlotViewport& viewport,
                      std::optional<std::size_t> highlighted) {
    const QSizeF size = viewport.Size();
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), size));
    painter.fillRect(QRectF(QPointF(0, 0), size), kGround);
    painter.setFont(PlotFont());
    LabelPlacer placer(size);
    PaintedPlot painted;
    painted.gridValues = DrawGrid(painter, viewport, placer);
    const std::vector<std::size_t> marked = DrawMarks(painter, data, viewport, placer);
    painted.marks = static_cast<int>(marked.size());
    painted.labels = DrawLabels(painter, data, viewport, marked, placer);
    if (highlighted) DrawHighlight(painter, data, viewport, *highlighted);
    painter.restore();
    return painted;
}

}  // namespace halvex
