#include "gui/common/grid_delegate.h"

#include <QPainter>

#include "gui/common/artwork.h"
#include "gui/common/grid_cells.h"
#include "gui/common/grid_roles.h"

namespace tarnwick {

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);

    if (const int picture = index.data(PictureRole).toInt(); picture > 0)
        paintSlopeArrow(*painter, QRectF(option.rect).adjusted(1, 1, -1, -1), picture);
    paintCellBorders(*painter, option.rect, index.data(BordersRole).toInt());
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    return createCellEditor(parent, QStringLiteral("GridCellEditor"));
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    setCellEditorText(editor, index);
}

}  // namespace tarnwick
