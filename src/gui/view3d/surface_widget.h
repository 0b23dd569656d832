#pragma once
// The plot of the 3D View page (Plot3D1): paints the surface of the last
// refresh as the core's drawing list, turns it with a left-button drag,
// zooms it with a right-button drag and names the station under the mouse.
// Turning, zooming and hovering reuse the surface as it is: only a refresh
// of the page rebuilds it.

#include <QPoint>
#include <QWidget>
#include <optional>

#include "core/view3d/projection.h"

namespace tarnwick {

class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceWidget(Surface3D& surface, QWidget* parent = nullptr);

    // The surface, the angles or the magnification changed.
    void surfaceChanged();

signals:
    void viewTurned();      // after a rotation or zoom: the angle label changed
    void stationHovered();  // the station label changed

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const SurfaceProjection& projection();

    Surface3D& surface_;
    std::optional<SurfaceProjection> projection_;
    Qt::MouseButton dragging_ = Qt::NoButton;
    QPoint dragStart_;
    double startX_ = 0, startZ_ = 0, startMagnification_ = 1;
};

}  // namespace tarnwick
