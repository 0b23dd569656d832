#pragma once
// Table models over the session's result tables: the Yardbook, Full Design
// and Final Elevations grids and the Design Parameters grid. Row and column
// 0 of the core tables are the views' headers, so model row r shows table
// row r + 1. Cell text is made by the core when a cell is painted.

#include <QAbstractTableModel>
#include <QSize>

#include "gui/common/grid_roles.h"

namespace tarnwick {

class Session;

enum class ResultGrid { Yardbook, FullDesign, FinalElevations };

class ResultGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ResultGridModel(Session& session, ResultGrid grid, QObject* parent = nullptr);

    ResultGrid grid() const { return grid_; }
    // Takes the results as they are now (sizes, texts, colours, outlines).
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Only the Final Elevations grid can be edited: a value typed there
    // forces the design through it.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    std::string text(int col, int row) const;
    QSize sizes() const;  // columns and rows the results need now

    Session& session_;
    ResultGrid grid_;
    int rows_ = 0;  // without the header row
    int cols_ = 0;
};

class DesignParametersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DesignParametersModel(Session& session, QObject* parent = nullptr);

    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Session& session_;
};

}  // namespace tarnwick
