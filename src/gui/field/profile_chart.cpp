#include "gui/field/profile_chart.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include "core/session/session.h"

namespace tarnwick {

ProfileChart::ProfileChart(QWidget* parent)
    : QWidget(parent), chart_(new QChart), row_(new QLineSeries), col_(new QLineSeries), x_(new QValueAxis), y_(new QValueAxis) {
    setObjectName("Chart1");
    row_->setName("Row");
    row_->setColor(Qt::red);
    col_->setName("Col");
    col_->setColor(QColor(0, 128, 0));
    chart_->addSeries(row_);
    chart_->addSeries(col_);
    chart_->setTitle("Row/Column Profiles");
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    x_->setMin(1);
    x_->setMax(10);
    x_->setLabelFormat("%d");
    y_->setLabelFormat("%.1f");
    chart_->addAxis(x_, Qt::AlignBottom);
    chart_->addAxis(y_, Qt::AlignLeft);
    for (QLineSeries* s : {row_, col_}) {
        s->attachAxis(x_);
        s->attachAxis(y_);
    }
    auto* view = new QChartView(chart_, this);
    view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

void ProfileChart::show(const ProfileData& data) {
    if (!data.shown) return;
    auto fill = [](QLineSeries* series, const ProfileSeries& s) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(s.points.size()));
        for (const auto& [x, y] : s.points) points.append(QPointF(x, y));
        series->replace(points);
        series->setName(QString::fromStdString(s.title));
    };
    fill(row_, data.row);
    fill(col_, data.col);
    x_->setRange(1, std::max(2.0, data.xMax));
}

void ProfileChart::setReadingRange(double min, double max) { y_->setRange(min - 1, max + 1); }

}  // namespace tarnwick
