#pragma once
// The "Row/Column Profiles" chart below the Survey grid: a row and a column
// of readings, or the average profiles when the selected cell lies outside
// the field.

#include <QWidget>

class QChart;
class QLineSeries;
class QValueAxis;

namespace tarnwick {

struct ProfileData;

class ProfileChart : public QWidget {
    Q_OBJECT
public:
    explicit ProfileChart(QWidget* parent = nullptr);

    void show(const ProfileData& data);
    // The vertical axis runs one unit beyond the lowest and highest reading.
    void setReadingRange(double min, double max);

    QLineSeries* rowSeries() const { return row_; }
    QLineSeries* colSeries() const { return col_; }

private:
    QChart* chart_;
    QLineSeries* row_;
    QLineSeries* col_;
    QValueAxis* x_;
    QValueAxis* y_;
};

}  // namespace tarnwick
