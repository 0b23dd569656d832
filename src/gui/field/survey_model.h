#pragma once
// The Survey grid's table model: the session's survey text, 130 x 130
// station cells, header labels, the partial-station hint, sector pictures
// and outlines. An edit goes to the session's cell validation.

#include <QAbstractTableModel>

#include "core/field/cells.h"

namespace tarnwick {

class Session;

class SurveyModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SurveyModel(Session& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Every cell may show something else (a new field, sectors moved).
    void refresh();
    // Only these cells show something else (station columns and rows).
    void cellsChanged(const Rect& cells);
    // The current cell moved: its row and column headers stand out.
    void setCurrent(int col, int row);

private:
    Session& session_;
    int currentCol_ = 1;
    int currentRow_ = 1;
};

}  // namespace tarnwick
