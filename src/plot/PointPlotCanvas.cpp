#include "plot/PointPlotCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "plot/PlotPainter.h"

namespace halvex {

namespace {

// One wheel notch (120 eighths of a degree) zooms by this factor.
constexpr double kZoomPerNotch = 1.25;

QString Latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

PointPlotCanvas::PointPlotCanvas(QWidget* parent) : QWidget(parent), data_(ReadPlotData({})) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    viewport_.SetSize(size());
}

void PointPlotCanvas::SetData(std::shared_ptr<const PlotData> data) {
    const bool wasEmpty = data_->bounds.empty;
    data_ = std::move(data);
    hovered_.reset();
    if (wasEmpty && !data_->bounds.empty) FitAll();
    update();
}

void PointPlotCanvas::FitAll() {
    viewport_.Fit(data_->bounds);
    fitOnResize_ = true;
    update();
}

std::optional<std::size_t> PointPlotCanvas::PointAt(QPointF position) const {
    std::optional<std::size_t> nearest;
    double nearestDistance = kPickRadius * kPickRadius;
    const auto& points = data_->scan.points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF offset = viewport_.ToScreen({points[i].east, points[i].north}) - position;
        const double distance = offset.x() * offset.x() + offset.y() * offset.y();
        if (distance <= nearestDistance) {
            nearestDistance = distance;
            nearest = i;
        }
    }
    return nearest;
}

QString PointPlotCanvas::PointDescription(std::size_t point) const {
    const CassPointWords words = data_->WordsOf(point);
    return QStringLiteral("Name: %1\nCode: %2\nE: %3\nN: %4\nZ: %5")
        .arg(Latin1(words.name), Latin1(words.code), Latin1(words.east), Latin1(words.north),
             Latin1(words.height));
}

void PointPlotCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPlot(painter, *data_, viewport_, hovered_);
}

void PointPlotCanvas::resizeEvent(QResizeEvent* event) {
    viewport_.SetSize(size());
    // The first fit may come before the window is laid out, at a size the canvas never shows.
    if (fitOnResize_) viewport_.Fit(data_->bounds);
    QWidget::resizeEvent(event);
}

void PointPlotCanvas::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    viewport_.ZoomAbout(event->position(), std::pow(kZoomPerNotch, notches));
    fitOnResize_ = false;
    update();
    event->accept();
}

void PointPlotCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
}

void PointPlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (dragFrom_) {
        viewport_.PanBy(event->position() - *dragFrom_);
        dragFrom_ = event->position();
        fitOnResize_ = false;
        update();
        return;
    }
    ShowHover(event->position(), event->globalPosition().toPoint());
}

void PointPlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragFrom_.reset();
    setCursor(Qt::CrossCursor);
}

void PointPlotCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const std::optional<std::size_t> point = PointAt(event->position()))
        emit PointActivated(*point);
}

void PointPlotCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
        FitAll();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PointPlotCanvas::leaveEvent(QEvent* event) {
    if (hovered_) {
        hovered_.reset();
        update();
    }
    QWidget::leaveEvent(event);
}

void PointPlotCanvas::ShowHover(QPointF position, QPoint globalPosition) {
    const std::optional<std::size_t> point = PointAt(position);
    if (point == hovered_) return;
    hovered_ = point;
    update();
    if (point) {
        QToolTip::showText(globalPosition, PointDescription(*point), this);
    } else {
        QToolTip::hideText();
    }
}

}  // namespace halvex
