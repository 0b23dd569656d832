#include "gui/shell/work_area_fit.h"

#include <algorithm>

namespace tarnwick {

QRect fitToWorkArea(const QRect& area, const QMargins& frame, QSize wanted, QSize minimum) {
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize room = (area.size() - frameExtra).expandedTo(QSize(0, 0));
    const QSize size = wanted.boundedTo(room).expandedTo(minimum);
    const QSize outer = size + frameExtra;
    const QPoint frameTopLeft(area.left() + std::max(0, (area.width() - outer.width()) / 2),
                              area.top() + std::max(0, (area.height() - outer.height()) / 2));
    return QRect(frameTopLeft + QPoint(frame.left(), frame.top()), size);
}

QMargins assumedFrame(int titleBar) {
    constexpr int border = 4;
    return QMargins(border, titleBar + border, border, border);
}

}  // namespace tarnwick
