#include "gui/view3d/view3d_page.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/session/session.h"
#include "core/session/surface_source.h"
#include "gui/common/session_notifier.h"
#include "gui/view3d/surface_widget.h"

namespace tarnwick {
namespace {

QFrame* panel(QWidget* parent, const char* name) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setFrameShape(QFrame::StyledPanel);
    return p;
}

}  // namespace

View3DPage::View3DPage(Session& session, SessionNotifier& notifier, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("View3DPage"));
    // The main window clears the field when it is created.
    surface_.resetAngles();

    QFrame* top = panel(this, "View3DTopPanel");
    station_ = new QLabel(QString::fromStdString(surface_.stationLabel()), top);
    station_->setObjectName(QStringLiteral("Label28"));
    station_->setMinimumWidth(110);
    angle_ = new QLabel(QString::fromStdString(surface_.angleLabel()), top);
    angle_->setObjectName(QStringLiteral("Label33"));
    angle_->setMinimumWidth(90);
    survey_ = new QRadioButton(QString::fromUtf8(surfaceChoiceCaption(SurfaceChoice::SurveyReadings)), top);
    survey_->setObjectName(QStringLiteral("SurveyReadingsButton"));
    full_ = new QRadioButton(QString::fromUtf8(surfaceChoiceCaption(SurfaceChoice::FullDesign)), top);
    full_->setObjectName(QStringLiteral("FullDesignButton"));
    sector_ = new QRadioButton(QString::fromUtf8(surfaceChoiceCaption(SurfaceChoice::SectorDesign)), top);
    sector_->setObjectName(QStringLiteral("SectorDesignButton"));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {survey_, full_, sector_}) group->addButton(b);
    connect(survey_, &QRadioButton::clicked, this, [this] { choose(SurfaceChoice::SurveyReadings); });
    connect(full_, &QRadioButton::clicked, this, [this] { choose(SurfaceChoice::FullDesign); });
    connect(sector_, &QRadioButton::clicked, this, [this] { choose(SurfaceChoice::SectorDesign); });
    // Printing the graph comes with the print options.
    printGraph_ = new QPushButton(QStringLiteral("Print Graph"), top);
    printGraph_->setObjectName(QStringLiteral("Button3"));
    printGraph_->setEnabled(false);

    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(8, 4, 8, 4);
    topLayout->addWidget(station_);
    topLayout->addWidget(angle_);
    topLayout->addSpacing(12);
    for (QRadioButton* b : {survey_, full_, sector_}) topLayout->addWidget(b);
    topLayout->addStretch(1);
    topLayout->addWidget(printGraph_);

    plot_ = new SurfaceWidget(surface_, this);
    connect(plot_, &SurfaceWidget::viewTurned, this,
            [this] { angle_->setText(QString::fromStdString(surface_.angleLabel())); });
    connect(plot_, &SurfaceWidget::stationHovered, this,
            [this] { station_->setText(QString::fromStdString(surface_.stationLabel())); });

    QFrame* bottom = panel(this, "View3DBottomPanel");
    auto* hint = new QLabel(
        QStringLiteral(" Left-Click and Drag on Graph to Move View  --   Right-Click on Graph  and Drag to Zoom "),
        bottom);
    hint->setObjectName(QStringLiteral("View3DHint"));
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(8, 2, 8, 2);
    bottomLayout->addWidget(hint);
    bottomLayout->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(plot_, 1);
    layout->addWidget(bottom);
    showChoice();

    // Every design ends by redrawing the view; a hidden page waits until it
    // is entered, which refreshes it anyway.
    connect(&notifier, &SessionNotifier::resultsChanged, this, [this] {
        if (isVisible()) refresh();
    });
    connect(&notifier, &SessionNotifier::fieldReplaced, this, [this] {
        surface_.resetAngles();
        plot_->surfaceChanged();
    });
}

QRadioButton* View3DPage::choiceButton(SurfaceChoice c) const {
    switch (c) {
        case SurfaceChoice::SurveyReadings:
            return survey_;
        case SurfaceChoice::FullDesign:
            return full_;
        case SurfaceChoice::SectorDesign:
            return sector_;
    }
    return survey_;
}

void View3DPage::refresh() {
    if (!refreshSurface(session_, surface_)) return;
    showChoice();
    angle_->setText(QString::fromStdString(surface_.angleLabel()));
    plot_->surfaceChanged();
}

void View3DPage::choose(SurfaceChoice c) {
    surface_.choose(c);
    refresh();
    showChoice();
}

void View3DPage::showChoice() {
    sector_->setVisible(surface_.sectorChoiceVisible());
    choiceButton(surface_.choice())->setChecked(true);
}

}  // namespace tarnwick
