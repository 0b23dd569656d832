#include "gui/design/design_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>
#include <functional>

#include "core/base/number_format.h"
#include "gui/common/dialog_helpers.h"

namespace tarnwick {
namespace {

// A number box of the dialogs: digits, point and (when signed) a minus
// sign, at most 7 characters.
QLineEdit* numberBox(QWidget* parent, const char* name, bool isSigned, double value, int decimals) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(7);
    edit->setAlignment(Qt::AlignRight);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(isSigned ? "-?[0-9]*\\.?[0-9]*" : "[0-9]*\\.?[0-9]*"), edit));
    edit->setText(QString::fromStdString(formatFixed(value, decimals)));
    return edit;
}

double valueOf(const QLineEdit* edit) { return parseReading(edit->text().toStdString()); }

QString qs(const std::string& s) { return QString::fromStdString(s); }

QLabel* named(QLabel* label, const char* name) {
    label->setObjectName(name);
    return label;
}

// The heading and best-fit block shared by the two sector dialogs.
QVBoxLayout* sectorDialogHead(QDialog& dialog, const char* name, const char* caption, const std::string& heading,
                              const std::string& average, const std::string& unit, const std::string& col,
                              const std::string& row) {
    dialog.setObjectName(name);
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(named(new QLabel(QString::fromStdString(heading), &dialog), "Label2"));
    auto* grid = new QGridLayout;
    QWidget* parent = &dialog;
    grid->addWidget(new QLabel("Average  Elevation", parent), 0, 0);
    grid->addWidget(named(new QLabel(QString::fromStdString(average), parent), "Avg_Label"), 0, 1);
    grid->addWidget(named(new QLabel(QString::fromStdString(unit), parent), "Label38"), 0, 2);
    grid->addWidget(new QLabel("Best Fit - Column Slope", parent), 1, 0);
    grid->addWidget(named(new QLabel(QString::fromStdString(col), parent), "Label_ColFit"), 1, 1);
    grid->addWidget(new QLabel("Row Slope", parent), 2, 0);
    grid->addWidget(named(new QLabel(QString::fromStdString(row), parent), "Label_Rfit"), 2, 1);
    layout->addLayout(grid);
    return layout;
}

// "[-Reset-]": a label that acts on a click.
class ClickLabel : public QLabel {
public:
    ClickLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
        : QLabel(text, parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) onClick_();
    }

private:
    std::function<void()> onClick_;
};

}  // namespace

bool showSectorSlopeDialog(QWidget* parent, SectorSlopeForm& form) {
    QDialog dialog(parent);
    QVBoxLayout* layout = sectorDialogHead(dialog, "TOKBottomDlg", "Enter Sector Slope", form.heading, form.average,
                                           form.lengthUnit, form.bestColSlope, form.bestRowSlope);
    auto* bestFit = new QPushButton("Use Best Fit Slopes", &dialog);
    bestFit->setObjectName("Button_Bfit");
    bestFit->setToolTip("Click set Column/Row Slopes to Best Fit Values");
    bestFit->setAutoDefault(false);
    layout->addWidget(bestFit);

    auto* boxes = new QFormLayout;
    QLineEdit* col = numberBox(&dialog, "AdvEdit_CS2", true, form.colSlope, 3);
    QLineEdit* row = numberBox(&dialog, "AdvEdit_RS2", true, form.rowSlope, 3);
    QLineEdit* ratio = numberBox(&dialog, "AdvEdit_Ratio", true, form.ratio, 2);
    QLineEdit* io = numberBox(&dialog, "AdvEdit_IO", true, form.importExport, 0);
    boxes->addRow("Column Slope:", col);
    boxes->addRow("Row Slope:", row);
    boxes->addRow("Cut/Fill Ratio:", ratio);
    boxes->addRow("Input/Export:", io);
    layout->addLayout(boxes);
    layout->addWidget(okCancelButtons(&dialog));

    QObject::connect(bestFit, &QPushButton::clicked, &dialog, [&] {
        SectorSlopeForm shown = form;
        useBestFitSlopes(shown);
        col->setText(QString::fromStdString(formatFixed(shown.colSlope, 3)));
        row->setText(QString::fromStdString(formatFixed(shown.rowSlope, 3)));
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    form.colSlope = valueOf(col);
    form.rowSlope = valueOf(row);
    form.ratio = valueOf(ratio);
    form.importExport = valueOf(io);
    return true;
}

void showSectorInfoDialog(QWidget* parent, const SectorInfoForm& form) {
    QDialog dialog(parent);
    QVBoxLayout* layout = sectorDialogHead(dialog, "TDialog_info", "Sector Info", form.heading, form.average,
                                           form.lengthUnit, form.bestColSlope, form.bestRowSlope);
    layout->addWidget(okCancelButtons(&dialog, false));
    dialog.exec();
}

bool showPartialStationDialog(QWidget* parent, PartialStationForm& form) {
    QDialog dialog(parent);
    dialog.setObjectName("TWeightDlg1");
    dialog.setWindowTitle("Partial Station");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(named(new QLabel("Enter %  Station Size: ( 5%  to  200%)", &dialog), "Label1"));
    auto* row = new QHBoxLayout;
    row->addWidget(named(new QLabel("Station %: ", &dialog), "Label3"));
    auto* spin = new QDoubleSpinBox(&dialog);
    spin->setObjectName("AdvSpinEdit1");
    spin->setRange(PartialStationForm::kMin, PartialStationForm::kMax);
    spin->setDecimals(2);
    spin->setSingleStep(1);
    spin->setValue(form.percent);
    row->addWidget(spin);
    row->addWidget(named(new ClickLabel("[-Reset-]", &dialog, [spin] { spin->setValue(100); }), "Label2"));
    layout->addLayout(row);
    layout->addWidget(okCancelButtons(&dialog));
    if (dialog.exec() != QDialog::Accepted) return false;
    form.percent = spin->value();
    return true;
}

bool showSetElevationDialog(QWidget* parent, SetElevationForm& form) {
    QDialog dialog(parent);
    dialog.setObjectName("TElevDlg");
    dialog.setWindowTitle("Set Elevation");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("Enter Desired Final Elevation", &dialog));
    QLineEdit* value = numberBox(&dialog, "AdvEdit1", false, form.value, 2);
    layout->addWidget(value);
    layout->addWidget(okCancelButtons(&dialog));
    if (dialog.exec() != QDialog::Accepted) return false;
    form.value = valueOf(value);
    return true;
}

void showRatioCheckDialog(QWidget* parent, const RatioCheckForm& form) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("CheckRatioDialog"));
    dialog.setWindowTitle(QStringLiteral("Check Cut/Fill Ratio"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(2);

    // A line: the caption and the ratio, below them the direction and the change.
    auto addLine = [&](int row, const std::string& caption, const std::string& ratio, const std::string& direction,
                       const std::string& change, const char* prefix, bool shown) {
        const QString p = QString::fromLatin1(prefix);
        QLabel* labels[] = {plainLabel(qs(caption), &dialog), boldLabel(qs(ratio), &dialog, nullptr),
                            plainLabel(qs(direction), &dialog), boldLabel(qs(change), &dialog, nullptr)};
        const char* names[] = {"CaptionLabel", "RatioLabel", "DirectionLabel", "ChangeLabel"};
        for (int i = 0; i < 4; ++i) {
            labels[i]->setObjectName(p + QString::fromLatin1(names[i]));
            labels[i]->setVisible(shown);
        }
        grid->addWidget(labels[0], row, 0);
        grid->addWidget(labels[1], row, 1, Qt::AlignRight);
        grid->addWidget(labels[2], row + 1, 0, Qt::AlignRight);
        grid->addWidget(labels[3], row + 1, 1, Qt::AlignRight);
    };
    addLine(0, form.fullCaption, form.fullRatio, form.fullDirection, form.fullChange, "Full", true);
    // The sector line only for a field with sectors.
    addLine(3, form.sectorCaption, form.sectorRatio, form.sectorDirection, form.sectorChange, "Sector",
            form.sectorLineShown);
    if (form.sectorLineShown) grid->setRowMinimumHeight(2, 10);
    layout->addLayout(grid);
    layout->addSpacing(6);
    QDialogButtonBox* box = okCancelButtons(&dialog, false);
    box->setCenterButtons(true);
    layout->addWidget(box);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Fixed size, in the middle of the screen.
    dialog.adjustSize();
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    dialog.exec();
}

}  // namespace tarnwick
