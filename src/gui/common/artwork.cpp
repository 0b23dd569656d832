#include "gui/common/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include "core/session/session.h"

namespace tarnwick {

namespace {

constexpr int kIconSize = 24;

void drawNew(QPainter& p) {
    QPolygonF page({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}});
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF({{15, 2}, {15, 7}, {20, 7}}));
}

void drawOpen(QPainter& p) {
    p.setBrush(QColor(230, 190, 80));
    p.drawPolygon(QPolygonF({{2, 6}, {9, 6}, {11, 8}, {20, 8}, {20, 20}, {2, 20}}));
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(QPolygonF({{5, 11}, {23, 11}, {20, 20}, {2, 20}}));
}

void drawSave(QPainter& p) {
    p.setBrush(QColor(60, 90, 160));
    p.drawRect(QRectF(3, 3, 18, 18));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 3, 12, 7));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7, 14, 10, 7));
}

void drawPrint(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 2, 10, 8));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 14, 12, 8));
    p.drawLine(QPointF(8, 17), QPointF(16, 17));
    p.drawLine(QPointF(8, 19.5), QPointF(16, 19.5));
}

void drawReCalc(QPainter& p) {
    // A tilted plane with a circular arrow: design again.
    p.setBrush(QColor(120, 180, 90));
    p.drawPolygon(QPolygonF({{2, 18}, {14, 14}, {22, 18}, {10, 22}}));
    p.setBrush(Qt::NoBrush);
    QPen pen(QColor(30, 80, 170), 2.2);
    p.setPen(pen);
    p.drawArc(QRectF(5, 2, 14, 12), 30 * 16, 280 * 16);
    p.setBrush(QColor(30, 80, 170));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({{16, 1}, {21, 5}, {15, 7.5}}));
}

}  // namespace

QIcon toolIcon(ToolIcon which) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(kIconSize * scale, kIconSize * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        switch (which) {
            case ToolIcon::New:
                drawNew(p);
                break;
            case ToolIcon::Open:
                drawOpen(p);
                break;
            case ToolIcon::Save:
                drawSave(p);
                break;
            case ToolIcon::Print:
                drawPrint(p);
                break;
            case ToolIcon::ReCalc:
                drawReCalc(p);
                break;
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

void paintLogo(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(120, 170, 225));
    sky.setColorAt(0.55, QColor(215, 232, 245));
    p.fillRect(r, sky);

    // The field in perspective: a graded plane with its station grid.
    const double horizon = r.top() + r.height() * 0.48;
    const QPointF farLeft(r.left() + r.width() * 0.30, horizon);
    const QPointF farRight(r.right() - r.width() * 0.12, horizon + r.height() * 0.04);
    const QPointF nearRight(r.right(), r.bottom());
    const QPointF nearLeft(r.left(), r.bottom());
    p.setPen(Qt::NoPen);
    QLinearGradient ground(QPointF(0, horizon), r.bottomLeft());
    ground.setColorAt(0, QColor(150, 120, 70));
    ground.setColorAt(1, QColor(105, 78, 40));
    p.setBrush(ground);
    p.drawPolygon(QPolygonF({farLeft, farRight, nearRight, nearLeft}));
    p.setPen(QPen(QColor(205, 180, 120), 1));
    constexpr int lines = 8;
    for (int i = 0; i <= lines; ++i) {
        const double t = double(i) / lines;
        p.drawLine(farLeft + (farRight - farLeft) * t, nearLeft + (nearRight - nearLeft) * t);
        const double d = t * t;  // rows crowd towards the horizon
        p.drawLine(farLeft + (nearLeft - farLeft) * d, farRight + (nearRight - farRight) * d);
    }

    // The laser on its tripod and its beam across the field.
    const QPointF laser(r.left() + r.width() * 0.16, horizon - r.height() * 0.10);
    p.setPen(QPen(QColor(50, 50, 50), 2));
    p.drawLine(laser, laser + QPointF(-r.width() * 0.05, r.height() * 0.30));
    p.drawLine(laser, laser + QPointF(r.width() * 0.05, r.height() * 0.30));
    p.drawLine(laser, laser + QPointF(0, r.height() * 0.32));
    p.setBrush(QColor(220, 40, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(laser, r.height() * 0.035, r.height() * 0.035);
    p.setPen(QPen(QColor(230, 40, 30, 170), 1.5, Qt::DashLine));
    p.drawLine(laser, QPointF(r.right(), laser.y() - r.height() * 0.02));

    // Name and purpose.
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(qMax(10, int(r.height() * 0.16)));
    p.setFont(f);
    p.setPen(QColor(20, 45, 90));
    const QRectF top(r.left(), r.top() + r.height() * 0.04, r.width() * 0.96, r.height() * 0.22);
    p.drawText(top, Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(kProgramName));
    f.setBold(false);
    f.setPixelSize(qMax(8, int(r.height() * 0.065)));
    p.setFont(f);
    const QRectF sub(r.left(), top.bottom(), r.width() * 0.96, r.height() * 0.10);
    p.drawText(sub, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Landgrading Design"));
    p.restore();
}

void paintSlopeArrow(QPainter& p, const QRectF& r, int picture) {
    if (picture < 17 || picture > 20) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = r.center();
    const double half = qMin(r.width(), r.height()) * 0.42;
    QPointF dir;
    switch (picture) {
        case 17:
            dir = {0, 1};
            break;  // column slope below 0: falls down the rows
        case 20:
            dir = {0, -1};
            break;  // column slope 0 or above: falls up the rows
        case 18:
            dir = {1, 0};
            break;  // row slope below 0: falls across the columns
        case 19:
            dir = {-1, 0};
            break;  // row slope 0 or above
    }
    const QPointF tip = c + dir * half;
    const QPointF tail = c - dir * half;
    const QPointF side(-dir.y(), dir.x());
    const double head = half * 0.75;
    p.setPen(QPen(QColor(0, 0, 128), 1.4));
    p.drawLine(tail, tip - dir * head * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawPolygon(QPolygonF({tip, tip - dir * head + side * head * 0.55, tip - dir * head - side * head * 0.55}));
    p.restore();
}

}  // namespace tarnwick
