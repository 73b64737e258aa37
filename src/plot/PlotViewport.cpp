#include "plot/PlotViewport.h"

#include <algorithm>
#include <cmath>

namespace halvex {

namespace {

// A thousand pixels to the micrometre when the unit is the metre.
constexpr double kFinestScale = 1e9;

}  // namespace

void SurveyBounds::Add(double east, double north) {
    if (empty) {
        minEast = maxEast = east;
        minNorth = maxNorth = north;
        empty = false;
        return;
    }
    minEast = std::min(minEast, east);
    maxEast = std::max(maxEast, east);
    minNorth = std::min(minNorth, north);
    maxNorth = std::max(maxNorth, north);
}

void PlotViewport::Fit(const SurveyBounds& bounds) {
    if (bounds.empty) return;
    // Halves, so that the span of coordinates near the limits of a double cannot overflow.
    const double halfEast = bounds.maxEast / 2 - bounds.minEast / 2;
    const double halfNorth = bounds.maxNorth / 2 - bounds.minNorth / 2;
    centre_ = {bounds.minEast / 2 + bounds.maxEast / 2, bounds.minNorth / 2 + bounds.maxNorth / 2};
    const double roomX = std::max(1.0, size_.width() / 2 - kFitMargin);
    const double roomY = std::max(1.0, size_.height() / 2 - kFitMargin);
    double scale = std::min(halfEast > 0 ? roomX / halfEast : INFINITY,
                            halfNorth > 0 ? roomY / halfNorth : INFINITY);
    if (!std::isfinite(scale)) scale = 2 * std::min(roomX, roomY);  // one unit across
    fitScale_ = scale;
    scale_ = scale;
}

double PlotViewport::MaxScale() const { return std::max(fitScale_, kFinestScale); }

void PlotViewport::ZoomAbout(QPointF anchor, double factor) {
    if (!(factor > 0)) return;
    const SurveyPoint held = ToSurvey(anchor);
    scale_ = std::clamp(scale_ * factor, MinScale(), MaxScale());
    const QPointF moved = ToScreen(held);
    PanBy(anchor - moved);
}

void PlotViewport::PanBy(QPointF delta) {
    const SurveyPoint moved{centre_.east - delta.x() / scale_, centre_.north + delta.y() / scale_};
    // At the coarsest scale of coordinates near the limits of a double a drag could overflow.
    if (std::isfinite(moved.east) && std::isfinite(moved.north)) centre_ = moved;
}

}  // namespace halvex
