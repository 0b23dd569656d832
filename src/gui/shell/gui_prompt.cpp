#include "gui/shell/gui_prompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "gui/design/design_dialogs.h"
#include "gui/files/preferences_dialog.h"
#include "core/session/session.h"
#include "gui/field/conversion_dialogs.h"

namespace tarnwick {

namespace {

QString title() {
    return QString::fromUtf8(kProgramName);
}
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

void GuiPrompt::error(const std::string& text) {
    QMessageBox::critical(parent_, title(), qs(text));
}

void GuiPrompt::warning(const std::string& text) {
    QMessageBox::warning(parent_, title(), qs(text));
}

void GuiPrompt::information(const std::string& text) {
    QMessageBox::information(parent_, title(), qs(text));
}

bool GuiPrompt::confirm(const std::string& text) {
    return QMessageBox::question(parent_, title(), qs(text), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

Answer GuiPrompt::confirmOrCancel(const std::string& text) {
    switch (QMessageBox::question(parent_, title(), qs(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

void GuiPrompt::beep() {
    QApplication::beep();
}

std::optional<std::string> GuiPrompt::chooseOpenFile(const FileChoice& choice) {
    const QString name = QFileDialog::getOpenFileName(parent_, QStringLiteral("Open"), qs(choice.proposedName),
                                                      dialogFilter(choice.filter));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::optional<std::string> GuiPrompt::chooseSaveFile(const FileChoice& choice) {
    // The command itself asks before a file is overwritten.
    const QString name =
        QFileDialog::getSaveFileName(parent_, QStringLiteral("Save As"), qs(choice.proposedName),
                                     dialogFilter(choice.filter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return withDefaultExtension(name, choice.defaultExtension).toStdString();
}

void GuiPrompt::showPreferences(Preferences& prefs) {
    showPreferencesDialog(parent_, prefs);
}

bool GuiPrompt::showSectorSlope(SectorSlopeForm& form) {
    return showSectorSlopeDialog(parent_, form);
}

void GuiPrompt::showSectorInfo(const SectorInfoForm& form) {
    showSectorInfoDialog(parent_, form);
}

bool GuiPrompt::showPartialStation(PartialStationForm& form) {
    return showPartialStationDialog(parent_, form);
}

bool GuiPrompt::showSetElevation(SetElevationForm& form) {
    return showSetElevationDialog(parent_, form);
}

bool GuiPrompt::showConvertData(ConvertDataForm& form) {
    return showConvertDataDialog(parent_, form);
}

bool GuiPrompt::showLaserAdjustment(LaserAdjustmentForm& form) {
    return showLaserAdjustmentDialog(parent_, form);
}

void GuiPrompt::showRatioCheck(const RatioCheckForm& form) {
    showRatioCheckDialog(parent_, form);
}

QString dialogFilter(const std::string& filter) {
    const QStringList parts = qs(filter).split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i];
        if (description.isEmpty()) continue;
        // Qt reads the pattern from the parentheses of the description.
        if (!description.contains(QLatin1Char('(')) && i + 1 < parts.size())
            description +=
                QStringLiteral(" (%1)").arg(QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
        descriptions << description;
    }
    return descriptions.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& path, const std::string& extension) {
    if (extension.empty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + qs(extension);
}

}  // namespace tarnwick
