#pragma once
// Which part of the survey a point plot shows: a centre in survey units and one scale (pixels per
// unit) for both axes, so that distances look alike in every direction, as in the exported
// drawing. East grows to the right and north upwards.
//
// The scale is held between a hundredth of the scale that fits all points and a bound far above
// any survey's precision, so that zooming can neither lose the points nor run into values a
// double cannot hold.

#include <QPointF>
#include <QSizeF>

namespace halvex {

struct SurveyPoint {
    double east = 0;
    double north = 0;
};

// The smallest rectangle holding a set of points; empty when it holds none.
struct SurveyBounds {
    double minEast = 0;
    double maxEast = 0;
    double minNorth = 0;
    double maxNorth = 0;
    bool empty = true;

    void Add(double east, double north);
};

class PlotViewport {
public:
    // Pixels kept free around the points by Fit.
    static constexpr double kFitMargin = 24;

    void SetSize(QSizeF size) { size_ = size; }
    QSizeF Size() const { return size_; }

    // Centres the bounds and chooses the largest scale at which they lie inside the margin.
    // Bounds of a single place are shown one survey unit wide; empty bounds keep the view.
    void Fit(const SurveyBounds& bounds);
    // Changes the scale by `factor`, keeping the survey point under `anchor` where it is.
    void ZoomAbout(QPointF anchor, double factor);
    // Moves the picture by `delta` pixels.
    void PanBy(QPointF delta);

    QPointF ToScreen(SurveyPoint point) const {
        return {size_.width() / 2 + (point.east - centre_.east) * scale_,
                size_.height() / 2 - (point.north - centre_.north) * scale_};
    }
    SurveyPoint ToSurvey(QPointF screen) const {
        return {centre_.east + (screen.x() - size_.width() / 2) / scale_,
                centre_.north - (screen.y() - size_.height() / 2) / scale_};
    }

    double Scale() const { return scale_; }
    SurveyPoint Centre() const { return centre_; }
    double MinScale() const { return fitScale_ / 100; }
    double MaxScale() const;

private:
    QSizeF size_{1, 1};
    SurveyPoint centre_{};
    double scale_ = 1;
    double fitScale_ = 1;
};

}  // namespace halvex
