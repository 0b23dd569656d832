#pragma once
// The core's prompt shown to the user: message boxes titled with the
// program's name, the system beep, the file dialogs, the Data
// Preferences dialog, the sector, partial-station and elevation dialogs and
// the conversion, laser adjustment and ratio check dialogs.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/session/prompt.h"

namespace tarnwick {

class GuiPrompt : public Prompt {
public:
    explicit GuiPrompt(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the boxes and dialogs belong to (the main window).
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    bool confirm(const std::string& text) override;
    Answer confirmOrCancel(const std::string& text) override;
    void beep() override;
    std::optional<std::string> chooseOpenFile(const FileChoice& choice) override;
    std::optional<std::string> chooseSaveFile(const FileChoice& choice) override;
    void showPreferences(Preferences& prefs) override;
    bool showSectorSlope(SectorSlopeForm& form) override;
    void showSectorInfo(const SectorInfoForm& form) override;
    bool showPartialStation(PartialStationForm& form) override;
    bool showSetElevation(SetElevationForm& form) override;
    bool showConvertData(ConvertDataForm& form) override;
    bool showLaserAdjustment(LaserAdjustmentForm& form) override;
    void showRatioCheck(const RatioCheckForm& form) override;

private:
    QPointer<QWidget> parent_;
};

// "desc|pattern|desc|pattern" as a file dialog filter: "desc;;desc" (each
// description names its own pattern).
QString dialogFilter(const std::string& filter);
// The chosen name with the default extension added when it has none.
QString withDefaultExtension(const QString& path, const std::string& extension);

}  // namespace tarnwick
