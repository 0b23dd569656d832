#pragma once
// Paints what a result grid cell holds beyond its text: the black sector
// outline (BordersRole) and a slope-direction picture (PictureRole). In an
// editable grid (Final Elevations) it opens the numeric cell editor.

#include <QStyledItemDelegate>

namespace tarnwick {

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Digits, the decimal point and a minus sign, at most 6 characters; the
    // cell's text is selected, so typing replaces it.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
};

}  // namespace tarnwick
