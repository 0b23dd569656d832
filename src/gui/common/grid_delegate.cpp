#include "gui/common/grid_delegate.h"

#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "gui/common/artwork.h"
#include "gui/design/result_models.h"

namespace tarnwick {

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);

    if (const int picture = index.data(PictureRole).toInt(); picture > 0)
        paintSlopeArrow(*painter, QRectF(option.rect).adjusted(1, 1, -1, -1), picture);

    const int borders = index.data(BordersRole).toInt();
    if (borders == 0) return;
    painter->save();
    const QRect r = option.rect;
    const int w = 2;
    if (borders & BorderTop) painter->fillRect(QRect(r.left(), r.top(), r.width(), w), Qt::black);
    if (borders & BorderBottom) painter->fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), Qt::black);
    if (borders & BorderLeft) painter->fillRect(QRect(r.left(), r.top(), w, r.height()), Qt::black);
    if (borders & BorderRight) painter->fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), Qt::black);
    painter->restore();
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("GridCellEditor"));
    edit->setMaxLength(6);
    edit->setAlignment(Qt::AlignRight);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.\\-]*")), edit));
    return edit;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = static_cast<QLineEdit*>(editor);
    edit->setText(index.data(Qt::EditRole).toString().left(6));
    edit->selectAll();
}

}  // namespace tarnwick
