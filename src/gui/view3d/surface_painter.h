#pragma once
// The one drawing path of the 3D surface: the core's drawing list painted
// with QPainter onto any paint device (the page's widget, an image, an SVG
// or PDF file, the printer). Needs only Qt GUI, so the command-line tool
// paints with it too.

#include <QSize>

#include "core/view3d/projection.h"

class QPainter;
class QPaintDevice;

namespace tarnwick {

// Paints `d` with the painter's top left at (0, 0) of the drawing.
void paintSurface(QPainter& painter, const SurfaceDrawing& d);

// Projects `surface` onto `size` and paints it on `device`; false when the
// device could not be painted on.
bool renderSurface(QPaintDevice& device, const Surface3D& surface, QSize size);

}  // namespace tarnwick
