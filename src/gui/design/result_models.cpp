#include "gui/design/result_models.h"

#include <QColor>
#include <QSize>

#include "gui/common/command_guard.h"
#include "core/session/session.h"

namespace tarnwick {

namespace {

QVariant foreground(CellColour c) {
    switch (c) {
        case CellColour::Red:
            return QColor(255, 0, 0);
        case CellColour::Green:
            return QColor(0, 128, 0);
        case CellColour::Blue:
            return QColor(0, 0, 255);
        case CellColour::Default:
            break;
    }
    return {};
}

QVariant alignmentOf(Align a) {
    switch (a) {
        case Align::Left:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        case Align::Centre:
            return int(Qt::AlignCenter);
        case Align::Right:
            break;
    }
    return int(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

ResultGridModel::ResultGridModel(Session& session, ResultGrid grid, QObject* parent)
    : QAbstractTableModel(parent), session_(session), grid_(grid) {
    const QSize now = sizes();
    cols_ = now.width();
    rows_ = now.height();
}

QSize ResultGridModel::sizes() const {
    const ResultGrids& r = session_.results;
    switch (grid_) {
        case ResultGrid::Yardbook:
            return {r.yardbookColCount() - 1, r.yardbookRowCount() - 1};
        case ResultGrid::FullDesign:
            return {r.fullDesignColCount() - 1, r.fullDesignRowCount(session_.field) - 1};
        case ResultGrid::FinalElevations:
            break;
    }
    return {kFieldGridSize - 1, kFieldGridSize - 1};
}

void ResultGridModel::refresh() {
    const QSize now = sizes();
    if (now == QSize(cols_, rows_)) {
        // Same size: the views keep their cursor, selection and scroll position.
        if (rows_ > 0 && cols_ > 0) {
            emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
            emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
            emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
        }
        return;
    }
    beginResetModel();
    cols_ = now.width();
    rows_ = now.height();
    endResetModel();
}

int ResultGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}
int ResultGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

std::string ResultGridModel::text(int col, int row) const {
    const ResultGrids& r = session_.results;
    switch (grid_) {
        case ResultGrid::Yardbook:
            return r.yardbookText(col, row);
        case ResultGrid::FullDesign:
            return r.fullDesignText(col, row);
        case ResultGrid::FinalElevations:
            return r.finalElevationText(col, row);
    }
    return {};
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    const ResultGrids& r = session_.results;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(text(col, row));
        case Qt::ForegroundRole:
            switch (grid_) {
                case ResultGrid::Yardbook:
                    return foreground(r.yardbookColour(col, row));
                case ResultGrid::FullDesign:
                    return foreground(r.fullDesignColour(col, row));
                case ResultGrid::FinalElevations:
                    return foreground(r.finalElevationColour(col, row));
            }
            return {};
        case Qt::TextAlignmentRole:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case BordersRole:
            return borderBits(
                sectorBorders(session_.field, session_.view(), col, row, grid_ == ResultGrid::FullDesign));
        default:
            return {};
    }
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && grid_ == ResultGrid::FinalElevations) f |= Qt::ItemIsEditable;
    return f;
}

bool ResultGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || grid_ != ResultGrid::FinalElevations) return false;
    // The session redesigns and tells every view; a text it refuses brings
    // the cell's previous value back.
    runCommand(nullptr, [&] {
        session_.finalElevationTyped(index.column() + 1, index.row() + 1, value.toString().toStdString());
    });
    return true;
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    const int n = section + 1;
    return QString::fromStdString(orientation == Qt::Horizontal ? text(n, 0) : text(0, n));
}

DesignParametersModel::DesignParametersModel(Session& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

void DesignParametersModel::refresh() {
    beginResetModel();
    endResetModel();
}

int DesignParametersModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : DesignParametersTable::kRows - 1;
}

int DesignParametersModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : DesignParametersTable::kCols - 1;
}

QVariant DesignParametersModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    const DesignParametersTable& t = session_.parameters;
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(t.at(col, row));
        case Qt::TextAlignmentRole:
            return alignmentOf(DesignParametersTable::alignment(col, row));
        case PictureRole:
            return t.picture[size_t(row)][size_t(col)];
        default:
            return {};
    }
}

QVariant DesignParametersModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const int n = section + 1;
    const DesignParametersTable& t = session_.parameters;
    if (role == Qt::TextAlignmentRole)
        return orientation == Qt::Horizontal ? alignmentOf(DesignParametersTable::alignment(n, 0))
                                             : alignmentOf(DesignParametersTable::alignment(0, n));
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(orientation == Qt::Horizontal ? t.at(n, 0) : t.at(0, n));
}

}  // namespace tarnwick
