#include "gui/design/side_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "core/field/conversion.h"
#include "gui/common/command_guard.h"
#include "gui/common/hint.h"
#include "core/session/design_tools.h"
#include "core/session/session.h"
#include "gui/common/session_notifier.h"

namespace tarnwick {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QLabel* caption(const QString& text, QWidget* parent, const QString& name = {}) {
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty()) l->setObjectName(name);
    return l;
}

// A figure: right-aligned, wide enough for a volume.
QLabel* figure(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// The small explanation under a box's caption: "(up/dwn)", "(across)".
QLabel* note(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    l->setFont(f);
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return l;
}

QGridLayout* compactGrid(QWidget* owner) {
    auto* g = new QGridLayout(owner);
    g->setContentsMargins(6, 4, 6, 4);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(1);
    return g;
}

// The up/down stepper beside a slope box: `step` gets true for the up
// button, false for the down button.
QWidget* stepper(QWidget* parent, const QString& name, const std::function<void(bool)>& step) {
    auto* w = new QWidget(parent);
    w->setObjectName(name);
    auto* v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
        auto* b = new QToolButton(w);
        const bool up = arrow == Qt::UpArrow;
        b->setObjectName(name + (up ? QStringLiteral("Up") : QStringLiteral("Down")));
        b->setArrowType(arrow);
        b->setFixedSize(15, 11);
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        QObject::connect(b, &QToolButton::clicked, w, [step, up] { step(up); });
        v->addWidget(b);
    }
    return w;
}

}  // namespace

// ---- DesignBoxEdit ----------------------------------------------------------

DesignBoxEdit::DesignBoxEdit(DesignBox box, QWidget* parent) : QLineEdit(parent), box_(box) {
    setMaxLength(7);
    setAlignment(Qt::AlignRight);
    setFixedWidth(58);
    QString pattern;
    switch (box) {
        case DesignBox::Ratio:
            pattern = QStringLiteral(R"(\d*\.?\d{0,2})");
            break;
        case DesignBox::ColSlope:
        case DesignBox::RowSlope:
            pattern = QStringLiteral(R"(-?\d*\.?\d{0,3})");
            break;
        case DesignBox::ImportExport:
            pattern = QStringLiteral(R"(-?\d*)");
            break;
    }
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
    connect(this, &QLineEdit::textEdited, this, [this] { markChanged(true); });
}

void DesignBoxEdit::showValue(const QString& text) {
    setText(text);
    markChanged(false);
}

void DesignBoxEdit::markChanged(bool changed) {
    if (changed == changed_) return;
    changed_ = changed;
    QPalette p = palette();
    p.setColor(QPalette::Text, changed ? QColor(255, 0, 0) : QGuiApplication::palette().color(QPalette::Text));
    setPalette(p);
}

void DesignBoxEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Coming back to the window, or from a pop-up menu, is not entering the box.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit entered();
}

void DesignBoxEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit left();
}

void DesignBoxEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// ---- SidePanel -------------------------------------------------------------

SidePanel::SidePanel(Session& session, SessionNotifier& notifier, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("SidePanel"));
    // A compact font: the panel is only 246 pixels wide.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(makeInfoGroup());
    layout->addWidget(makeSummaryGroup());
    layout->addWidget(makeDesignTabs());
    layout->addStretch();

    // Once per command, whatever of the panel it changed.
    connect(&notifier, &SessionNotifier::changed, this, [this](const Changes& c) {
        if (c.replaced || c.results || c.preferences || c.sectors || c.options) refresh();
    });
    refresh();
}

QWidget* SidePanel::makeInfoGroup() {
    auto* box = new QGroupBox(QStringLiteral(" Full Field Survey Info  "), this);
    box->setObjectName(QStringLiteral("GroupBoxInfo"));
    auto* g = compactGrid(box);
    dataType_ = new QLabel(box);
    dataType_->setObjectName(QStringLiteral("Label19"));
    avgEl_ = figure(box, QStringLiteral("avgEl"));
    csBest_ = figure(box, QStringLiteral("CSBest"));
    rsBest_ = figure(box, QStringLiteral("RSBest"));
    bfYards_ = figure(box, QStringLiteral("BFYardsLbl"));
    g->addWidget(caption(QStringLiteral("Data Type:"), box), 0, 0);
    g->addWidget(dataType_, 0, 1, 1, 2, Qt::AlignRight);
    const QString names[] = {QStringLiteral("Label30"), QStringLiteral("LabelCSUnit"), QStringLiteral("LabelRSUnit")};
    const QString captions[] = {QStringLiteral("Average  Elevation:"), QStringLiteral("Column Slope Best Fit:"),
                                QStringLiteral("Row Slope Best Fit:")};
    QLabel* figures[] = {avgEl_, csBest_, rsBest_};
    for (int i = 0; i < 3; ++i) {
        g->addWidget(caption(captions[i], box), i + 1, 0);
        g->addWidget(figures[i], i + 1, 1);
        lengthUnits_ << caption(QString(), box, names[i]);
        g->addWidget(lengthUnits_.back(), i + 1, 2);
    }
    g->addWidget(caption(QStringLiteral("Best Fit Yardage:"), box), 4, 0);
    g->addWidget(bfYards_, 4, 1);
    bestFitVolumeUnit_ = caption(QString(), box, QStringLiteral("LabelBFUnit"));
    g->addWidget(bestFitVolumeUnit_, 4, 2);
    g->setColumnStretch(1, 1);
    return box;
}

QWidget* SidePanel::makeSummaryGroup() {
    auto* box = new QGroupBox(QStringLiteral(" Design Summary -  Sum of All Sectors  "), this);
    box->setObjectName(QStringLiteral("GroupBoxSummary"));
    auto* g = compactGrid(box);
    sumCut_ = figure(box, QStringLiteral("SumTotalCut"));
    sumCutPerArea_ = figure(box, QStringLiteral("SumCutPerArea"));
    sumFill_ = figure(box, QStringLiteral("SumTotalFill"));
    sumRatio_ = figure(box, QStringLiteral("SumRatio"));
    sumImportExport_ = figure(box, QStringLiteral("SumImportExport"));
    auto unit = [&](QList<QLabel*>& list) {
        list << caption(QString(), box);
        return list.back();
    };
    g->addWidget(caption(QStringLiteral("Total Cut:"), box), 0, 0);
    g->addWidget(sumCut_, 0, 1);
    g->addWidget(unit(volumeUnits_), 0, 2);
    g->addWidget(sumCutPerArea_, 1, 1);
    g->addWidget(unit(perAreaUnits_), 1, 2);
    g->addWidget(caption(QStringLiteral("Total Fill:"), box), 2, 0);
    g->addWidget(sumFill_, 2, 1);
    g->addWidget(unit(volumeUnits_), 2, 2);
    g->addWidget(caption(QStringLiteral("C/F Ratio:"), box), 3, 0);
    g->addWidget(sumRatio_, 3, 1);
    g->addWidget(caption(QStringLiteral("Import/Export:"), box), 4, 0);
    g->addWidget(sumImportExport_, 4, 1);
    g->addWidget(unit(volumeUnits_), 4, 2);
    g->setColumnStretch(1, 1);
    return box;
}

QWidget* SidePanel::makeDesignTabs() {
    auto* holder = new QWidget(this);
    auto* v = new QVBoxLayout(holder);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    tabs_ = new QTabBar(holder);
    tabs_->setObjectName(QStringLiteral("DesignTabs"));
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    tabs_->setDrawBase(false);
    // Narrow tabs, so that the sector tabs fit beside "Entire Field".
    tabs_->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 2px 4px; border: 1px solid palette(mid); border-bottom: none;"
                       " border-top-left-radius: 3px; border-top-right-radius: 3px; background: palette(button);"
                       " margin-right: 1px; margin-top: 2px; }"
                       "QTabBar::tab:selected { background: palette(base); margin-top: 0px; }"));
    tabs_->addTab(qs(Session::designTabCaption(0)));
    connect(tabs_, &QTabBar::currentChanged, this, [this](int k) {
        if (refreshing_ || k < 0) return;
        runCommand(window(), [&] { session_.selectDesignTab(k); });
    });
    v->addWidget(tabs_);

    auto* page = new QFrame(holder);
    page->setObjectName(QStringLiteral("DesignTabPage"));
    page->setFrameShape(QFrame::StyledPanel);
    designPage_ = page;
    v->addWidget(page);
    auto* g = compactGrid(page);

    ratio_ = new DesignBoxEdit(DesignBox::Ratio, page);
    ratio_->setObjectName(QStringLiteral("AdvEdit1"));
    colSlope_ = new DesignBoxEdit(DesignBox::ColSlope, page);
    colSlope_->setObjectName(QStringLiteral("AdvEdit2"));
    rowSlope_ = new DesignBoxEdit(DesignBox::RowSlope, page);
    rowSlope_->setObjectName(QStringLiteral("AdvEdit3"));
    importExport_ = new DesignBoxEdit(DesignBox::ImportExport, page);
    importExport_->setObjectName(QStringLiteral("AdvEdit4"));

    rowBlend_ = new QCheckBox(QStringLiteral("Blend"), page);
    rowBlend_->setObjectName(QStringLiteral("CheckBox_RowBlend"));
    setHint(rowBlend_, QStringLiteral("Blend at Column Breaks"));
    colBlend_ = new QCheckBox(QStringLiteral("Blend"), page);
    colBlend_->setObjectName(QStringLiteral("CheckBox_ColBlend"));
    setHint(colBlend_, QStringLiteral("Blend at Row Breaks"));
    for (QCheckBox* b : {rowBlend_, colBlend_}) {
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QCheckBox::clicked, this, [this, b](bool checked) {
            runCommand(window(), [&] { session_.clickBlendBox(b == colBlend_, checked); });
        });
    }

    // Caption with its small explanation under it.
    auto boxCaption = [&](const QString& text, const QString& explanation) {
        auto* w = new QWidget(page);
        auto* l = new QVBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(0);
        auto* c = caption(text, w);
        c->setAlignment(Qt::AlignRight);
        l->addWidget(c);
        if (!explanation.isEmpty()) l->addWidget(note(explanation, w));
        return w;
    };
    g->addWidget(boxCaption(QStringLiteral("Cut/Fill Ratio:"), {}), 0, 0);
    g->addWidget(ratio_, 0, 1);
    g->addWidget(boxCaption(QStringLiteral("Column Slope:"), QStringLiteral("(up/dwn)")), 1, 0);
    g->addWidget(colSlope_, 1, 1, Qt::AlignTop);
    QWidget* up1 = stepper(page, QStringLiteral("UpDown1"), [this](bool up) { step(colSlope_, up); });
    g->addWidget(up1, 1, 2, Qt::AlignTop);
    g->addWidget(rowBlend_, 1, 3, Qt::AlignTop);
    g->addWidget(boxCaption(QStringLiteral("Row Slope:"), QStringLiteral("(across)")), 2, 0);
    g->addWidget(rowSlope_, 2, 1, Qt::AlignTop);
    QWidget* up2 = stepper(page, QStringLiteral("UpDown2"), [this](bool up) { step(rowSlope_, up); });
    g->addWidget(up2, 2, 2, Qt::AlignTop);
    g->addWidget(colBlend_, 2, 3, Qt::AlignTop);
    g->addWidget(boxCaption(QStringLiteral("Import/Export:"), QStringLiteral("(+ Import, - export)")), 3, 0);
    g->addWidget(importExport_, 3, 1, Qt::AlignTop);

    for (DesignBoxEdit* box : {ratio_, colSlope_, rowSlope_, importExport_}) {
        connect(box, &DesignBoxEdit::entered, this, [this, box] { enterBox(box); });
        connect(box, &QLineEdit::textEdited, this, [this, box] { typedInBox(box); });
        connect(box, &DesignBoxEdit::left, this, [this, box] { leaveBox(box); });
    }

    auto* rotation = new QHBoxLayout;
    rotation->setSpacing(3);
    compSlope_ = caption(QString(), page, QStringLiteral("Label12"));
    rotate_ = caption(QString(), page, QStringLiteral("Label14"));
    rotation->addWidget(caption(QStringLiteral("Comp. Slope:"), page, QStringLiteral("Label10")));
    rotation->addWidget(compSlope_);
    rotation->addStretch();
    rotation->addWidget(caption(QStringLiteral("Rotate"), page, QStringLiteral("Label13")));
    rotation->addWidget(rotate_);
    rotation->addWidget(caption(QStringLiteral("Deg."), page, QStringLiteral("Label20")));
    g->addLayout(rotation, 4, 0, 1, 4);

    useBestFit_ = new QCheckBox(QStringLiteral("Use Best Fit Slopes"), page);
    useBestFit_->setObjectName(QStringLiteral("CheckBoxBestFit"));
    setHint(useBestFit_, QStringLiteral("This Sets Row and Column Slopes to Calulated Field Best Fit Values"));
    connect(useBestFit_, &QCheckBox::clicked, this, [this](bool on) {
        runCommand(window(), [&] { session_.setUseBestFitSlopes(on); });
    });
    minimize_ = new QPushButton(QStringLiteral("Minimize Yardage"), page);
    minimize_->setObjectName(QStringLiteral("ButtonMinimize"));
    connect(minimize_, &QPushButton::clicked, this, &SidePanel::minimizeYardage);
    for (QWidget* w : {static_cast<QWidget*>(useBestFit_), static_cast<QWidget*>(minimize_)}) {
        QSizePolicy sp = w->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        w->setSizePolicy(sp);
    }
    g->addWidget(useBestFit_, 5, 0, 1, 4);
    g->addWidget(minimize_, 6, 0, 1, 4, Qt::AlignLeft);

    avgElevation_ = figure(page, QStringLiteral("Label_AvgEl"));
    totalCut_ = figure(page, QStringLiteral("Label_CVol"));
    cutPerArea_ = figure(page, QStringLiteral("Label_CutAcr"));
    totalFill_ = figure(page, QStringLiteral("Label_Fvol"));
    fillPerArea_ = figure(page, QStringLiteral("Label_FillAcr"));
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(4);
    figures->setVerticalSpacing(1);
    figures->addWidget(caption(QStringLiteral("Avg. Elevation:"), page), 0, 0);
    figures->addWidget(avgElevation_, 0, 1);
    figures->addWidget(caption(QStringLiteral("Total Cut:"), page), 1, 0);
    figures->addWidget(totalCut_, 1, 1);
    volumeUnits_ << caption(QString(), page, QStringLiteral("Label36"));
    figures->addWidget(volumeUnits_.back(), 1, 2);
    figures->addWidget(cutPerArea_, 2, 1);
    perAreaUnits_ << caption(QString(), page, QStringLiteral("Label44"));
    figures->addWidget(perAreaUnits_.back(), 2, 2);
    figures->addWidget(caption(QStringLiteral("Total Fill:"), page), 3, 0);
    figures->addWidget(totalFill_, 3, 1);
    volumeUnits_ << caption(QString(), page, QStringLiteral("Label47"));
    figures->addWidget(volumeUnits_.back(), 3, 2);
    figures->addWidget(fillPerArea_, 4, 1);
    perAreaUnits_ << caption(QString(), page);
    figures->addWidget(perAreaUnits_.back(), 4, 2);
    figures->setColumnStretch(1, 1);
    g->addLayout(figures, 7, 0, 1, 4);
    g->setColumnStretch(3, 1);
    return holder;
}

DesignBoxEdit* SidePanel::designBox(DesignBox box) const {
    switch (box) {
        case DesignBox::Ratio:
            return ratio_;
        case DesignBox::ColSlope:
            return colSlope_;
        case DesignBox::RowSlope:
            return rowSlope_;
        case DesignBox::ImportExport:
            return importExport_;
    }
    return nullptr;
}

void SidePanel::showTabs() {
    const int wanted = session_.designTabCount();
    while (tabs_->count() > wanted) tabs_->removeTab(tabs_->count() - 1);
    while (tabs_->count() < wanted) tabs_->addTab(qs(Session::designTabCaption(tabs_->count())));
    if (session_.designTab >= 0 && session_.designTab < tabs_->count()) tabs_->setCurrentIndex(session_.designTab);
}

void SidePanel::refresh() {
    refreshing_ = true;
    const Field& f = session_.field;
    const UnitCaptions units = unitCaptions(f.prefs.feet);
    dataType_->setText(QString::fromLatin1(dataTypeCaption(f.prefs.RodReadings)));
    avgEl_->setText(qs(session_.info.avgEl));
    csBest_->setText(qs(session_.info.CSBest));
    rsBest_->setText(qs(session_.info.RSBest));
    bfYards_->setText(qs(session_.info.BFYards));
    for (QLabel* l : lengthUnits_) l->setText(qs(units.length));
    bestFitVolumeUnit_->setText(qs(units.bestFitVolume));
    for (QLabel* l : volumeUnits_) l->setText(qs(units.volume));
    for (QLabel* l : perAreaUnits_) l->setText(qs(units.volumePerArea));

    const DesignSummary& s = session_.summary;
    sumCut_->setText(qs(s.totalCut));
    sumCutPerArea_->setText(qs(s.cutPerArea));
    sumFill_->setText(qs(s.totalFill));
    sumRatio_->setText(qs(s.ratioText));
    sumImportExport_->setText(qs(s.importExportText));

    showTabs();
    const auto& p = session_.panel;
    ratio_->showValue(qs(p.ratio));
    colSlope_->showValue(qs(p.colSlope));
    rowSlope_->showValue(qs(p.rowSlope));
    importExport_->showValue(qs(p.importExport));
    compSlope_->setText(qs(p.compSlope));
    rotate_->setText(qs(p.rotate));
    avgElevation_->setText(qs(p.avgElevation));
    totalCut_->setText(qs(p.totalCut));
    cutPerArea_->setText(qs(p.cutPerArea));
    totalFill_->setText(qs(p.totalFill));
    fillPerArea_->setText(qs(p.fillPerArea));
    useBestFit_->setVisible(p.bestFitVisible);
    minimize_->setVisible(p.bestFitVisible);
    useBestFit_->setChecked(session_.useBestFitSlopes);
    colBlend_->setChecked(f.blend.colChecked);
    rowBlend_->setChecked(f.blend.rowChecked);
    colBlend_->setEnabled(f.blend.colEnabled);
    rowBlend_->setEnabled(f.blend.rowEnabled);
    refreshing_ = false;
}

void SidePanel::enterBox(DesignBoxEdit* box) {
    runCommand(window(), [&] { session_.enterDesignBox(box->box(), box->text().toStdString()); });
}

void SidePanel::typedInBox(DesignBoxEdit* box) {
    runCommand(window(), [&] {
        if (auto restored = session_.designBoxTyped(box->box(), box->text().toStdString())) box->setText(qs(*restored));
    });
}

void SidePanel::step(DesignBoxEdit* box, bool up) {
    runCommand(window(), [&] { session_.stepSlope(box->box(), up, box->text().toStdString()); });
}

void SidePanel::minimizeYardage() {
    // The focus goes to the design tab's group: a design box being edited
    // is left first, with its own effect.
    designPage_->setFocus(Qt::OtherFocusReason);
    // The caption must show while the search runs, before any event is handled.
    auto caption = [this](const std::string& text) {
        minimize_->setText(qs(text));
        minimize_->repaint();
    };
    runCommand(window(), [&] { tarnwick::minimizeYardage(session_, caption); });
}

void SidePanel::leaveBox(DesignBoxEdit* box) {
    runCommand(window(), [&] { session_.leaveDesignBox(box->box(), box->text().toStdString()); });
}

}  // namespace tarnwick
