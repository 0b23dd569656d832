#pragma once
// Pictures the program draws itself: the tool bar icons, the picture of
// the splash window and the About box, and the slope-direction arrows of
// the Design Parameters grid.

#include <QIcon>
#include <QRectF>

class QPainter;

namespace tarnwick {

enum class ToolIcon { New, Open, Save, Print, ReCalc };

QIcon toolIcon(ToolIcon which);

// A graded field under a laser beam, with the program's name.
void paintLogo(QPainter& p, const QRectF& r);

// Slope-direction pictures 17..20 of the Design Parameters grid: the
// arrow points the way the plane falls. 17 and 20 belong to the column
// slope (down and up the rows), 18 and 19 to the row slope (along and
// back across the columns). Other numbers draw nothing.
void paintSlopeArrow(QPainter& p, const QRectF& r, int picture);

}  // namespace tarnwick
