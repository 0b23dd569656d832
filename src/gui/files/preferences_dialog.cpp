#include "gui/files/preferences_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

#include "core/files/preferences_rules.h"
#include "core/session/session.h"

namespace tarnwick {
namespace {

class RatioValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return ratioTextAllowed(input.toStdString()) ? Acceptable : Invalid;
    }
};

// Digits of a spacing from 1 to 10,000: "0" cannot be typed.
class SpacingValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (!spacingTextAllowed(input.toStdString())) return Invalid;
        return input.isEmpty() ? Intermediate : Acceptable;
    }
};

QComboBox* spacingBox(const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setValidator(new SpacingValidator(box));
    for (const char* entry : kSpacingChoices) box->addItem(QString::fromLatin1(entry));
    return box;
}

QRadioButton* radio(const char* caption, const char* name) {
    auto* button = new QRadioButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// Sets the text only when it differs, so the cursor of a box being typed
// in stays where it is. An offered entry becomes the current one, so the
// arrow keys move on from the entry shown.
void showText(QComboBox* box, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (box->currentText() == t) return;
    const int entry = box->findText(t);
    if (entry >= 0)
        box->setCurrentIndex(entry);
    else
        box->setEditText(t);
}

}  // namespace

PreferencesDialog::PreferencesDialog(Preferences& prefs, QWidget* parent) : QDialog(parent), prefs_(prefs) {
    setObjectName(QStringLiteral("PrefsForm"));
    setWindowTitle(QStringLiteral("Data Preferences"));

    auto* dataType = new QGroupBox(QStringLiteral("Data Type"));
    dataType->setObjectName(QStringLiteral("GroupDataType"));
    elevations_ = radio("Elevations  ", "RadioElevations");
    rodReadings_ = radio("Rod Readings", "RadioRodReadings");
    auto* dataTypeLayout = new QVBoxLayout(dataType);
    dataTypeLayout->addWidget(elevations_);
    dataTypeLayout->addWidget(rodReadings_);

    auto* gridSize = new QGroupBox(QStringLiteral("Grid Size"));
    gridSize->setObjectName(QStringLiteral("GroupGridSize"));
    rowSpacing_ = spacingBox("ComboBxRow");
    colSpacing_ = spacingBox("ComboBxCol");
    rowUnit_ = new QLabel;
    rowUnit_->setObjectName(QStringLiteral("LabelRowUnit"));
    colUnit_ = new QLabel;
    colUnit_->setObjectName(QStringLiteral("LabelColUnit"));
    // Room for the longer caption, so the dialog keeps its size.
    for (QLabel* unit : {rowUnit_, colUnit_})
        unit->setMinimumWidth(
            unit->fontMetrics().horizontalAdvance(QString::fromStdString(unitCaptions(false).length)));
    feet_ = radio("Feet / Acres", "RadioFeet");
    meters_ = radio("Meters / Hectares", "RadioMeters");
    auto* grid = new QGridLayout(gridSize);
    grid->addWidget(new QLabel(QStringLiteral("Distance Between Rows:")), 0, 0);
    grid->addWidget(rowSpacing_, 0, 1);
    grid->addWidget(rowUnit_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Distance Between Columns:")), 1, 0);
    grid->addWidget(colSpacing_, 1, 1);
    grid->addWidget(colUnit_, 1, 2);
    auto* units = new QHBoxLayout;
    units->addWidget(feet_);
    units->addWidget(meters_);
    grid->addLayout(units, 2, 0, 1, 3);

    ratio_ = new QLineEdit;
    ratio_->setObjectName(QStringLiteral("EditRatio"));
    ratio_->setMaxLength(kRatioMaxLength);
    ratio_->setValidator(new RatioValidator(ratio_));
    ratio_->setAlignment(Qt::AlignRight);
    ratio_->setFixedWidth(ratio_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    ratio_->installEventFilter(this);
    auto* ratioRow = new QHBoxLayout;
    ratioRow->addWidget(new QLabel(QStringLiteral("Default Cut/Fill Ratio:")));
    ratioRow->addWidget(ratio_);
    ratioRow->addStretch();

    ok_ = new QPushButton(QStringLiteral("OK"));
    ok_->setObjectName(QStringLiteral("ButtonOK"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dataType);
    layout->addWidget(gridSize);
    layout->addLayout(ratioRow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QRadioButton* b : {elevations_, rodReadings_, feet_, meters_})
        connect(b, &QRadioButton::clicked, this, &PreferencesDialog::radioClicked);
    connect(rowSpacing_, &QComboBox::activated, this, [this](int i) {
        rowSpacingChosen(prefs_, rowSpacing_->itemText(i).toStdString());
        refresh();
    });
    connect(colSpacing_, &QComboBox::activated, this, [this](int i) {
        colSpacingChosen(prefs_, colSpacing_->itemText(i).toStdString());
        refresh();
    });
    connect(rowSpacing_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& t) { rowSpacingTyped(prefs_, t.toStdString()); });
    connect(colSpacing_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& t) { colSpacingTyped(prefs_, t.toStdString()); });
    connect(ratio_, &QLineEdit::textEdited, this, [this](const QString& t) {
        defaultRatioTyped(prefs_, t.toStdString());
        refresh();
    });
    connect(ratio_, &QLineEdit::editingFinished, this, &PreferencesDialog::ratioFinished);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    refresh();
}

void PreferencesDialog::refresh() {
    elevations_->setChecked(!prefs_.RodReadings);
    rodReadings_->setChecked(prefs_.RodReadings);
    feet_->setChecked(prefs_.feet);
    meters_->setChecked(!prefs_.feet);
    showText(rowSpacing_, prefs_.rowSpacingText);
    showText(colSpacing_, prefs_.colSpacingText);
    const QString unit = QString::fromStdString(unitCaptions(prefs_.feet).length);
    rowUnit_->setText(unit);
    colUnit_->setText(unit);
    const QString ratio = QString::fromStdString(prefs_.defaultRatioText);
    if (ratio_->text() != ratio) ratio_->setText(ratio);
    // Red while the user's typing has not been taken yet.
    QPalette palette = ratio_->palette();
    palette.setColor(QPalette::Text, ratio_->isModified() ? QColor(Qt::red) : this->palette().color(QPalette::Text));
    ratio_->setPalette(palette);
}

void PreferencesDialog::radioClicked() {
    preferencesRadioClicked(prefs_, rodReadings_->isChecked(), feet_->isChecked());
    refresh();
}

void PreferencesDialog::ratioFinished() {
    defaultRatioFinished(prefs_);
    ratio_->setModified(false);
    refresh();
}

void PreferencesDialog::done(int result) {
    // Closing by Esc takes typed text the same way as leaving the box.
    if (ratio_->isModified()) ratioFinished();
    // A spacing box left empty shows the spacing in force again.
    refresh();
    QDialog::done(result);
}

bool PreferencesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ratio_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ratioFinished();
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void showPreferencesDialog(QWidget* parent, Preferences& prefs) {
    PreferencesDialog dialog(prefs, parent);
    dialog.exec();
}

}  // namespace tarnwick
