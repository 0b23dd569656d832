#include "gui/field/survey_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "core/field/field.h"
#include "core/session/session.h"
#include "gui/common/command_guard.h"
#include "gui/common/grid_cells.h"
#include "gui/common/grid_roles.h"
#include "gui/field/survey_model.h"

namespace tarnwick {

namespace {

bool isGridKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Home || key == Qt::Key_Delete;
}

// The sector number (21..27) at the top left of the cell, the
// partial-station mark (28) at its top right.
void paintCellPicture(QPainter& p, const QRect& cell, int picture) {
    if (picture >= kPictureFirstSector && picture < kPictureFirstSector + kMaxSectors) {
        QRect box(cell.left() + 1, cell.top() + 1, 10, 10);
        p.fillRect(box, QColor(0, 0, 160));
        QFont f = p.font();
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, QString::number(picture - kPictureFirstSector + 1));
    } else if (picture == kPicturePartial) {
        QPolygon corner;
        corner << QPoint(cell.right() - 1, cell.top() + 1) << QPoint(cell.right() - 9, cell.top() + 1)
               << QPoint(cell.right() - 1, cell.top() + 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 120, 0));
        p.drawPolygon(corner);
    }
}

}  // namespace

QWidget* SurveyCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    return createCellEditor(parent, QStringLiteral("SurveyCellEditor"));
}

void SurveyCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    setCellEditorText(editor, index);
}

void SurveyCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    paintCellPicture(*painter, option.rect, index.data(PictureRole).toInt());
    paintCellBorders(*painter, option.rect, index.data(BordersRole).toInt());
    painter->restore();
}

bool SurveyCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (isGridKey(key)) {
            // Delete empties the cell whatever was typed; the other keys
            // keep what was typed, as leaving the cell would.
            if (key != Qt::Key_Delete) emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            emit gridKey(key);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

SurveyView::SurveyView(Session& session, SurveyModel& model, QWidget* parent)
    : QTableView(parent), session_(session), model_(model), delegate_(new SurveyCellDelegate(this)) {
    setObjectName("AdvStringGrid1");
    setModel(&model);
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(true);
    horizontalHeader()->setDefaultSectionSize(40);
    horizontalHeader()->setMinimumSectionSize(20);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(delegate_, &SurveyCellDelegate::gridKey, this, &SurveyView::gridKey);
}

void SurveyView::followSession() {
    const QModelIndex target = model_.index(session_.current.row - 1, session_.current.col - 1);
    if (target != currentIndex()) setCurrentIndex(target);
    scrollTo(target);
}

void SurveyView::syncCurrent() {
    const QModelIndex i = currentIndex();
    if (i.isValid()) session_.current = {i.column() + 1, i.row() + 1};
}

void SurveyView::gridKey(int key) {
    syncCurrent();
    void (Session::*command)() = nullptr;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: command = &Session::pressEnter; break;
        case Qt::Key_Home: command = &Session::pressHome; break;
        case Qt::Key_Delete: command = &Session::pressDelete; break;
        default: return;
    }
    runCommand(window(), [&] { (session_.*command)(); });
    followSession();
}

void SurveyView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (state() != QAbstractItemView::EditingState && isGridKey(key)) {
        gridKey(key);
        return;
    }
    session_.pressOtherKey();
    QTableView::keyPressEvent(event);
}

void SurveyView::mousePressEvent(QMouseEvent* event) {
    // A click ends the editor and only selects.
    if (state() == QAbstractItemView::EditingState) {
        if (QWidget* editor = indexWidget(currentIndex())) {
            emit delegate_->commitData(editor);
            emit delegate_->closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    const QModelIndex at = indexAt(event->pos());
    if (at.isValid() && event->button() == Qt::LeftButton)
        runCommand(window(), [&] { session_.leftClick(at.column() + 1, at.row() + 1); });
    if (event->button() == Qt::RightButton) {
        if (at.isValid()) {
            runCommand(window(), [&] { session_.rightClick(at.column() + 1, at.row() + 1); });
            if (!selectionModel()->isSelected(at)) setCurrentIndex(at);
        }
        emit contextMenuAt(event->globalPosition().toPoint());
        return;
    }
    QTableView::mousePressEvent(event);
}

void SurveyView::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    // Leaving for the cell editor is not leaving the grid.
    QTimer::singleShot(0, this, [this] {
        QWidget* now = QApplication::focusWidget();
        if (now && (now == this || isAncestorOf(now))) return;
        runCommand(window(), [this] { session_.leaveSurveyGrid(); });
    });
}

void SurveyView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!current.isValid()) return;
    session_.current = {current.column() + 1, current.row() + 1};
    model_.setCurrent(current.column() + 1, current.row() + 1);
    emit currentCellChanged(current.column() + 1, current.row() + 1);
}

void SurveyView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty()) {
        session_.selection = {session_.current.col, session_.current.row, session_.current.col, session_.current.row};
        return;
    }
    Selection s{kMaxStationCols, kMaxStationRows, 1, 1};
    for (const QModelIndex& i : indexes) {
        s.firstCol = std::min(s.firstCol, i.column() + 1);
        s.firstRow = std::min(s.firstRow, i.row() + 1);
        s.lastCol = std::max(s.lastCol, i.column() + 1);
        s.lastRow = std::max(s.lastRow, i.row() + 1);
    }
    session_.selection = s;
}

}  // namespace tarnwick
