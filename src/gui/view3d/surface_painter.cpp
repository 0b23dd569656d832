#include "gui/view3d/surface_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QString>

namespace tarnwick {
namespace {

QColor colour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QPointF point(ScreenPoint p) {
    return {p.x, p.y};
}

void lines(QPainter& painter, const std::vector<SurfaceLine>& list) {
    for (const SurfaceLine& l : list) painter.drawLine(point(l.a), point(l.b));
}

double offset(LabelAlign a, double extent) {
    switch (a) {
        case LabelAlign::Start:
            return 0;
        case LabelAlign::Centre:
            return -extent / 2;
        case LabelAlign::End:
            return -extent;
    }
    return 0;
}

}  // namespace

void paintSurface(QPainter& painter, const SurfaceDrawing& d) {
    painter.save();
    painter.fillRect(QRectF(0, 0, d.width, d.height), colour(d.background));

    QPen frame(colour(d.frameColor));
    frame.setCosmetic(true);
    painter.setPen(frame);
    lines(painter, d.backFrame);

    // The mesh cells, farthest first, each outlined by the mesh.
    QColor meshColour = colour(d.meshColor);
    meshColour.setAlphaF(static_cast<float>(d.meshOpacity));
    QPen mesh(meshColour);
    mesh.setCosmetic(true);
    painter.setPen(mesh);
    QPointF corners[4];
    Rgb last{-1, -1, -1};
    for (const SurfaceCell& cell : d.cells) {
        if (!(cell.fill == last)) {
            painter.setBrush(colour(cell.fill));
            last = cell.fill;
        }
        for (size_t i = 0; i < 4; ++i) corners[i] = point(cell.corners[i]);
        painter.drawPolygon(corners, 4);
    }

    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    lines(painter, d.frontFrame);
    lines(painter, d.axes);

    const QFont normal = painter.font();
    QFont bold = normal;
    bold.setBold(true);
    for (const SurfaceLabel& l : d.labels) {
        painter.setFont(l.caption ? bold : normal);
        const QString text = QString::fromStdString(l.text);
        const QFontMetricsF fm(painter.font());
        const QRectF box(0, 0, fm.horizontalAdvance(text), fm.height());
        const QPointF at(l.at.x + offset(l.horizontal, box.width()), l.at.y + offset(l.vertical, box.height()));
        painter.drawText(box.translated(at), Qt::AlignLeft | Qt::AlignTop, text);
    }
    painter.restore();
}

bool renderSurface(QPaintDevice& device, const Surface3D& surface, QSize size) {
    QPainter painter(&device);
    if (!painter.isActive()) return false;
    paintSurface(painter, SurfaceProjection(surface, size.width(), size.height()).drawing());
    return painter.end();
}

}  // namespace tarnwick
