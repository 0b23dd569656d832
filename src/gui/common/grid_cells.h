#pragma once
// What the grids' delegates share: the numeric cell editor of the Survey
// and Final Elevations grids, and the black outline of a cell.

#include <QString>

class QModelIndex;
class QPainter;
class QRect;
class QWidget;

namespace tarnwick {

// Digits, the decimal point and a minus sign, at most 6 characters, right
// aligned; `name` is its object name.
QWidget* createCellEditor(QWidget* parent, const QString& name);
// The cell's text, at most 6 characters, selected so that typing replaces it.
void setCellEditorText(QWidget* editor, const QModelIndex& index);

// The sides of the cell named by `borders` (BorderBits), 2 pixels wide,
// inside the cell.
void paintCellBorders(QPainter& painter, const QRect& cell, int borders);

}  // namespace tarnwick
