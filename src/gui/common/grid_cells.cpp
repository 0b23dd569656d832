#include "gui/common/grid_cells.h"

#include <QLineEdit>
#include <QModelIndex>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "gui/common/grid_roles.h"

namespace tarnwick {

QWidget* createCellEditor(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(6);
    edit->setAlignment(Qt::AlignRight);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.\\-]*")), edit));
    return edit;
}

void setCellEditorText(QWidget* editor, const QModelIndex& index) {
    auto* edit = static_cast<QLineEdit*>(editor);
    edit->setText(index.data(Qt::EditRole).toString().left(6));
    edit->selectAll();
}

void paintCellBorders(QPainter& painter, const QRect& r, int borders) {
    if (borders == 0) return;
    const int w = 2;
    if (borders & BorderTop) painter.fillRect(QRect(r.left(), r.top(), r.width(), w), Qt::black);
    if (borders & BorderBottom) painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), Qt::black);
    if (borders & BorderLeft) painter.fillRect(QRect(r.left(), r.top(), w, r.height()), Qt::black);
    if (borders & BorderRight) painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), Qt::black);
}

}  // namespace tarnwick
