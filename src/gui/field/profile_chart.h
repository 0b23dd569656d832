#pragma once
// The "Row/Column Profiles" chart below the Survey grid: a row and a column
// of readings, or the average profiles when the selected cell lies outside
// the field. The session decides the points, the gaps and the axis; the
// chart only draws them.

#include <QList>
#include <QWidget>

class QChart;
class QColor;
class QLineSeries;
class QValueAxis;

namespace tarnwick {

struct ProfileData;
struct ProfileSeries;

class ProfileChart : public QWidget {
    Q_OBJECT
public:
    explicit ProfileChart(QWidget* parent = nullptr);

    // Draws the profiles; data that is not shown empties the chart.
    void show(const ProfileData& data);

    // The first line of each profile, which carries its name in the legend.
    QLineSeries* rowSeries() const { return rowLines_.front(); }
    QLineSeries* colSeries() const { return colLines_.front(); }
    // Every line of a profile: one per run of readings between gaps. Lines
    // beyond the runs shown are empty.
    const QList<QLineSeries*>& rowLines() const { return rowLines_; }
    const QList<QLineSeries*>& colLines() const { return colLines_; }
    QValueAxis* stationAxis() const { return x_; }

private:
    QLineSeries* addLine(const QColor& colour, bool inLegend);
    void draw(QList<QLineSeries*>& lines, const ProfileSeries& profile, const QColor& colour);

    QChart* chart_;
    QValueAxis* x_;
    QValueAxis* y_;
    QList<QLineSeries*> rowLines_;
    QList<QLineSeries*> colLines_;
};

}  // namespace tarnwick
