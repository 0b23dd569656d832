#include "gui/field/conversion_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <vector>

#include "gui/common/dialog_helpers.h"
#include "gui/common/hint.h"
#include "core/base/number_format.h"

namespace tarnwick {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A box for a value with two decimals, shown as "0.00".
QLineEdit* twoDecimalBox(QWidget* parent, const char* name, bool isSigned, double value, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    edit->setAlignment(Qt::AlignRight);
    const QString pattern = isSigned ? QStringLiteral(R"(-?\d*\.?\d{0,2})") : QStringLiteral(R"(\d*\.?\d{0,2})");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    edit->setText(qs(formatFixed(value, 2)));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000.00")) + 16);
    return edit;
}

double valueOf(const QLineEdit* edit) {
    return parseReading(edit->text().toStdString());
}

// Enter in one of the boxes moves the focus to the next widget of the chain.
class EnterMovesOn : public QObject {
public:
    EnterMovesOn(std::vector<QWidget*> chain, QObject* parent) : QObject(parent), chain_(std::move(chain)) {
        for (size_t i = 0; i + 1 < chain_.size(); ++i) chain_[i]->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        for (size_t i = 0; i + 1 < chain_.size(); ++i)
            if (chain_[i] == watched) {
                chain_[i + 1]->setFocus(Qt::TabFocusReason);
                if (auto* edit = qobject_cast<QLineEdit*>(chain_[i + 1])) edit->selectAll();
                return true;
            }
        return false;
    }

private:
    std::vector<QWidget*> chain_;
};

}  // namespace

bool showConvertDataDialog(QWidget* parent, ConvertDataForm& form) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ConvertDataDialog"));
    dialog.setWindowTitle(QStringLiteral("Convert Data"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->setSpacing(6);

    auto* current = new QHBoxLayout;
    current->setSpacing(0);
    current->addWidget(plainLabel(QStringLiteral("Current Data Type is :"), &dialog));
    current->addSpacing(dialog.fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    current->addWidget(boldLabel(qs(form.currentType), &dialog, "CurrentTypeLabel"));
    current->addStretch();
    layout->addLayout(current);
    layout->addSpacing(6);
    layout->addWidget(plainLabel(QStringLiteral("Enter BenchMark Value or H.I. and"), &dialog));
    auto* target = new QHBoxLayout;
    target->setSpacing(0);
    target->addWidget(plainLabel(QStringLiteral("Click OK to convert to "), &dialog));
    target->addWidget(boldLabel(qs(form.targetType), &dialog, "TargetTypeLabel"));
    target->addStretch();
    layout->addLayout(target);
    layout->addSpacing(6);

    auto* value = new QHBoxLayout;
    QLineEdit* benchMark = twoDecimalBox(&dialog, "BenchMarkEdit", false, form.benchMark, 9);
    value->addWidget(plainLabel(QStringLiteral("BenchMark/ H. I. Value"), &dialog));
    value->addWidget(benchMark);
    value->addStretch();
    layout->addLayout(value);
    layout->addSpacing(4);
    layout->addWidget(okCancelButtons(&dialog));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    benchMark->setFocus();
    benchMark->selectAll();
    if (dialog.exec() != QDialog::Accepted) return false;
    form.benchMark = valueOf(benchMark);
    return true;
}

bool showLaserAdjustmentDialog(QWidget* parent, LaserAdjustmentForm& form) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("LaserAdjustmentDialog"));
    dialog.setWindowTitle(QStringLiteral("Laser Survey Adjustment"));
    setHint(&dialog, QStringLiteral("Convert Survey Readings when survey with Laser Slope"));
    auto* layout = new QVBoxLayout(&dialog);

    layout->addWidget(boldLabel(QStringLiteral("Enter Laser  Slope"), &dialog, "HeadingLabel"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    QLineEdit* rowSlope = twoDecimalBox(&dialog, "RowSlopeEdit", true, form.rowSlope, 7);
    QLineEdit* colSlope = twoDecimalBox(&dialog, "ColSlopeEdit", true, form.colSlope, 7);
    auto* reference = new QLineEdit(qs(form.referenceStation), &dialog);
    reference->setObjectName(QStringLiteral("ReferenceStationEdit"));
    reference->setMaxLength(8);
    reference->setFixedWidth(rowSlope->sizeHint().width());
    grid->addWidget(plainLabel(QStringLiteral("Row  Slope (1-100)"), &dialog), 0, 0);
    grid->addWidget(rowSlope, 0, 1);
    grid->addWidget(plainLabel(QStringLiteral("Column Slope (A-CZ)"), &dialog), 1, 0);
    grid->addWidget(colSlope, 1, 1);
    grid->addWidget(plainLabel(QStringLiteral("Laser Reference Station:"), &dialog), 2, 0);
    grid->addWidget(reference, 2, 1);
    QLabel* columnRow = plainLabel(QStringLiteral("Column-Row"), &dialog, "ColumnRowLabel");
    QFont small = columnRow->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    columnRow->setFont(small);
    grid->addWidget(columnRow, 3, 1, Qt::AlignHCenter | Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    layout->addLayout(grid);
    layout->addSpacing(4);
    QDialogButtonBox* box = okCancelButtons(&dialog);
    layout->addWidget(box);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    new EnterMovesOn({rowSlope, colSlope, reference, box->button(QDialogButtonBox::Ok)}, &dialog);
    rowSlope->setFocus();
    rowSlope->selectAll();
    if (dialog.exec() != QDialog::Accepted) return false;
    form.rowSlope = valueOf(rowSlope);
    form.colSlope = valueOf(colSlope);
    form.referenceStation = reference->text().trimmed().toStdString();
    return true;
}

}  // namespace tarnwick
