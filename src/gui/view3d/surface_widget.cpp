#include "gui/view3d/surface_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "gui/view3d/surface_painter.h"

namespace tarnwick {
namespace {

// Dragging grabs the surface: to the right turns its near side to the
// right, upwards tips its near side up, towards a view from above.
constexpr double kDegreesPerPixel = 0.5;
constexpr double kZoomPerPixel = 0.01;  // magnification e-fold per 100 pixels

}  // namespace

SurfaceWidget::SurfaceWidget(Surface3D& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
    setObjectName(QStringLiteral("Plot3D1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void SurfaceWidget::surfaceChanged() {
    projection_.reset();
    update();
}

const SurfaceProjection& SurfaceWidget::projection() {
    if (!projection_) projection_.emplace(surface_, width(), height());
    return *projection_;
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSurface(painter, projection().drawing());
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
    projection_.reset();
    QWidget::resizeEvent(event);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return QWidget::mousePressEvent(event);
    dragging_ = event->button();
    dragStart_ = event->position().toPoint();
    startX_ = surface_.angleX();
    startZ_ = surface_.angleZ();
    startMagnification_ = surface_.magnification();
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (dragging_ != Qt::NoButton) {
        const QPoint d = at - dragStart_;
        if (dragging_ == Qt::LeftButton)
            surface_.afterMouseAction(startX_ + d.y() * kDegreesPerPixel, startZ_ + d.x() * kDegreesPerPixel,
                                      surface_.magnification());
        else
            surface_.afterMouseAction(startX_, startZ_, startMagnification_ * std::exp(-d.y() * kZoomPerPixel));
        surfaceChanged();
        emit viewTurned();
        return;
    }
    surface_.mouseOver(projection().stationAt(at.x(), at.y()));
    emit stationHovered();
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == dragging_) dragging_ = Qt::NoButton;
    QWidget::mouseReleaseEvent(event);
}

void SurfaceWidget::leaveEvent(QEvent* event) {
    surface_.mouseOver(std::nullopt);
    emit stationHovered();
    QWidget::leaveEvent(event);
}

}  // namespace tarnwick
