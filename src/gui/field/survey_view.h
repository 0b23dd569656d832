#pragma once
// The Survey grid: a table view over SurveyModel with the numeric cell
// editor and the grid's own keys (Enter repeats and advances, Home, Delete).
// Every rule behind a key is a session command; the view only moves its
// cursor to where the session says.

#include <QStyledItemDelegate>
#include <QTableView>

namespace tarnwick {

class Session;
class SurveyModel;

class SurveyCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

signals:
    // A grid key pressed while the editor was open; the editor is closed
    // (and its text validated, except for Delete) before this is sent.
    void gridKey(int key);

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};

class SurveyView : public QTableView {
    Q_OBJECT
public:
    SurveyView(Session& session, SurveyModel& model, QWidget* parent = nullptr);

    // Moves the cursor to the session's current cell.
    void followSession();

signals:
    void currentCellChanged(int col, int row);
    void contextMenuAt(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    void gridKey(int key);
    void syncCurrent();

    Session& session_;
    SurveyModel& model_;
    SurveyCellDelegate* delegate_;
};

}  // namespace tarnwick
