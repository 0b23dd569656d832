#pragma once
// Paints what a result grid cell holds beyond its text: the black sector
// outline (BordersRole) and a slope-direction picture (PictureRole).

#include <QStyledItemDelegate>

namespace tarnwick {

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tarnwick
