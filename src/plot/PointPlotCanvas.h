#pragma once
// The drawing area of the point plot window: paints the plot, zooms with the wheel about the
// pointer, pans while dragged with the left button, fits all points on Home, shows a point's
// name, code and coordinates while the pointer rests on its mark, and reports a double-clicked
// point.

#include <QWidget>
#include <memory>
#include <optional>

#include "plot/PlotData.h"
#include "plot/PlotViewport.h"

namespace halvex {

class PointPlotCanvas : public QWidget {
    Q_OBJECT

public:
    // How near (in pixels) the pointer must come to a mark to pick it.
    static constexpr double kPickRadius = 6;

    explicit PointPlotCanvas(QWidget* parent = nullptr);

    // Shows new data. The view is fitted to all points when points come into a plot that showed
    // none (the first reading among them); other data keeps the zoom and position.
    void SetData(std::shared_ptr<const PlotData> data);
    const PlotData& Data() const { return *data_; }

    // Fits all points into the canvas; until the user zooms or pans, they stay fitted as the
    // canvas changes size (the window being laid out, shown or resized).
    void FitAll();
    const PlotViewport& Viewport() const { return viewport_; }
    PlotViewport& Viewport() { return viewport_; }

    // The point whose mark is nearest to `position` within the pick radius.
    std::optional<std::size_t> PointAt(QPointF position) const;
    // The tooltip text of a drawn point: its words as written.
    QString PointDescription(std::size_t point) const;

    QSize sizeHint() const override { return {640, 480}; }

signals:
    void PointActivated(std::size_t point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ShowHover(QPointF position, QPoint globalPosition);

    std::shared_ptr<const PlotData> data_;
    PlotViewport viewport_;
    bool fitOnResize_ = true;
    std::optional<QPointF> dragFrom_;
    std::optional<std::size_t> hovered_;
};

}  // namespace halvex
