#include "gui/shell/about_box.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/artwork.h"
#include "core/session/session.h"
#include "core/files/settings.h"

namespace tarnwick {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About "));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    QPixmap pm(300, 150);
    {
        QPainter p(&pm);
        paintLogo(p, QRectF(pm.rect()));
    }
    picture->setPixmap(pm);
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);

    auto* name = new QLabel(QString::fromUtf8(kProgramName), this);
    QFont f = name->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    name->setFont(f);
    version_ = new QLabel(QString::fromUtf8(kVersionText), this);
    version_->setObjectName(QStringLiteral("Version"));
    auto* purpose = new QLabel(QStringLiteral("Landgrading Design Software"), this);
    auto* contact = new QLabel(QString::fromUtf8(kContactLine), this);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version_);
    text->addWidget(purpose);
    text->addWidget(contact);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarnwick
