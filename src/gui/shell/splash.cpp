#include "gui/shell/splash.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "gui/common/artwork.h"
#include "core/session/session.h"

namespace tarnwick {

namespace {
constexpr int kBand = 28;  // the strip with the version under the picture
}

Splash::Splash(int minimumMs, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), minimumMs_(minimumMs) {
    setObjectName(QStringLiteral("SplashForm"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(420, 230);
    auto* version = new QLabel(QString::fromUtf8(kVersionText), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version->setStyleSheet(QStringLiteral("color: white;"));
    version->setGeometry(width() - 110, height() - kBand, 100, kBand);
    shown_.start();
}

void Splash::showCentred() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    QApplication::processEvents();
}

void Splash::finish() {
    const qint64 left = minimumMs_ - shown_.elapsed();
    if (left > 0) {
        QEventLoop loop;
        QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
        loop.exec();
    }
    close();
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF picture(0, 0, width(), height() - kBand);
    paintLogo(p, picture);
    p.fillRect(QRectF(0, picture.bottom(), width(), kBand), QColor(30, 45, 70));
    p.setPen(Qt::white);
    p.drawText(QRectF(10, picture.bottom(), width() - 20, kBand), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Landgrading Design Software"));
    p.setPen(QColor(20, 30, 50));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tarnwick
