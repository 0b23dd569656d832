#include "gui/field/survey_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "core/base/number_format.h"
#include "core/design/result_tables.h"
#include "gui/common/command_guard.h"
#include "gui/common/grid_roles.h"
#include "core/session/session.h"

namespace tarnwick {

SurveyModel::SurveyModel(Session& session, QObject* parent) : QAbstractTableModel(parent), session_(session) {}

int SurveyModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kMaxStationRows; }
int SurveyModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kMaxStationCols; }

QVariant SurveyModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    const Field& f = session_.field;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return QString::fromStdString(f.Survey.text(col, row));
        case Qt::TextAlignmentRole: return int(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ToolTipRole: {
            std::string hint = session_.partialStationHint(col, row);
            return hint.empty() ? QVariant() : QVariant(QString::fromStdString(hint));
        }
        case PictureRole: return f.Survey.picture(col, row);
        case BordersRole: {
            // Sector outlines on the Survey grid are drawn in every view.
            return borderBits(sectorBorders(f, DesignView::Sector, col, row, false));
        }
        default: return {};
    }
}

QVariant SurveyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool isCurrent =
        orientation == Qt::Horizontal ? section + 1 == currentCol_ : section + 1 == currentRow_;
    switch (role) {
        case Qt::DisplayRole:
            return orientation == Qt::Horizontal ? QString::fromStdString(columnLetters(section + 1))
                                                 : QString::number(section + 1);
        case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
        case Qt::FontRole:
            if (isCurrent) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::BackgroundRole: return isCurrent ? QVariant(QBrush(QColor(192, 192, 192))) : QVariant();
        default: return {};
    }
}

bool SurveyModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    runCommand(nullptr, [&] { session_.finishEdit(index.column() + 1, index.row() + 1, value.toString().toStdString()); });
    return true;
}

Qt::ItemFlags SurveyModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void SurveyModel::refresh() {
    emit dataChanged(index(0, 0), index(kMaxStationRows - 1, kMaxStationCols - 1));
}

void SurveyModel::cellsChanged(const Rect& cells) {
    const int firstCol = std::max(cells.firstCol, 1), firstRow = std::max(cells.firstRow, 1);
    const int lastCol = std::min(cells.lastCol, kMaxStationCols), lastRow = std::min(cells.lastRow, kMaxStationRows);
    if (firstCol > lastCol || firstRow > lastRow) return;
    emit dataChanged(index(firstRow - 1, firstCol - 1), index(lastRow - 1, lastCol - 1));
}

void SurveyModel::setCurrent(int col, int row) {
    if (col == currentCol_ && row == currentRow_) return;
    const int oldCol = currentCol_, oldRow = currentRow_;
    currentCol_ = col;
    currentRow_ = row;
    emit headerDataChanged(Qt::Horizontal, std::min(oldCol, col) - 1, std::max(oldCol, col) - 1);
    emit headerDataChanged(Qt::Vertical, std::min(oldRow, row) - 1, std::max(oldRow, row) - 1);
}

}  // namespace tarnwick
