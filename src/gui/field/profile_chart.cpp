#include "gui/field/profile_chart.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "core/session/session.h"

namespace tarnwick {

namespace {

const QColor kRowColour(Qt::red);
const QColor kColColour(0, 128, 0);

}  // namespace

ProfileChart::ProfileChart(QWidget* parent)
    : QWidget(parent), chart_(new QChart), x_(new QValueAxis), y_(new QValueAxis) {
    setObjectName("Chart1");
    chart_->setTitle("Row/Column Profiles");
    chart_->legend()->setAlignment(Qt::AlignRight);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    // Ticks on whole station numbers: multiples of the interval the session
    // chooses for the field's size.
    x_->setRange(1, 10);
    x_->setTickType(QValueAxis::TicksDynamic);
    x_->setTickAnchor(0);
    x_->setTickInterval(1);
    x_->setMinorTickCount(0);
    x_->setLabelFormat("%d");
    y_->setLabelFormat("%.1f");
    chart_->addAxis(x_, Qt::AlignBottom);
    chart_->addAxis(y_, Qt::AlignLeft);
    rowLines_ << addLine(kRowColour, true);
    rowLines_.front()->setName("Row");
    colLines_ << addLine(kColColour, true);
    colLines_.front()->setName("Col");
    auto* view = new QChartView(chart_, this);
    view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

QLineSeries* ProfileChart::addLine(const QColor& colour, bool inLegend) {
    auto* line = new QLineSeries;
    line->setColor(colour);
    line->setMarkerSize(4);
    chart_->addSeries(line);
    line->attachAxis(x_);
    line->attachAxis(y_);
    if (!inLegend)
        for (QLegendMarker* m : chart_->legend()->markers(line)) m->setVisible(false);
    return line;
}

void ProfileChart::draw(QList<QLineSeries*>& lines, const ProfileSeries& profile, const QColor& colour) {
    while (lines.size() < static_cast<qsizetype>(profile.lines.size())) lines << addLine(colour, false);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QList<QPointF> points;
        if (i < static_cast<qsizetype>(profile.lines.size())) {
            const auto& run = profile.lines[static_cast<size_t>(i)];
            points.reserve(static_cast<qsizetype>(run.size()));
            for (const auto& [x, y] : run) points.append(QPointF(x, y));
        }
        // A reading between two gaps is a line of one point: only its marker
        // shows it.
        lines[i]->setPointsVisible(points.size() == 1);
        lines[i]->replace(points);
    }
    lines.front()->setName(QString::fromStdString(profile.title));
}

void ProfileChart::show(const ProfileData& data) {
    if (data.readingRange) y_->setRange(data.readingRange->first, data.readingRange->second);
    draw(rowLines_, data.row, kRowColour);
    draw(colLines_, data.col, kColColour);
    if (!data.shown) return;
    x_->setRange(1, std::max(2.0, data.xMax));
    x_->setTickInterval(data.tickInterval);
}

}  // namespace tarnwick
