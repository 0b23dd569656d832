#include "gui/common/dialog_helpers.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

namespace tarnwick {

QDialogButtonBox* okCancelButtons(QDialog* dialog, bool withCancel) {
    auto* box = new QDialogButtonBox(withCancel ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel : QDialogButtonBox::Ok,
                                     dialog);
    QPushButton* ok = box->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel)) {
        cancel->setText(QStringLiteral("Cancel"));
        cancel->setObjectName(QStringLiteral("CancelBtn"));
    }
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

QLabel* plainLabel(const QString& text, QWidget* parent, const char* name) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLabel* boldLabel(const QString& text, QWidget* parent, const char* name) {
    QLabel* l = plainLabel(text, parent, name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace tarnwick
