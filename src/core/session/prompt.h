#pragma once
// How commands talk to the user: message boxes with the program's own
// texts, the beep, and file choices. The desktop program shows real boxes
// and dialogs; tests and the command-line tool answer from a script.

#include <optional>
#include <string>

#include "core/design/design_forms.h"
#include "core/field/conversion_forms.h"

namespace tarnwick {

struct Preferences;

enum class Answer { Yes, No, Cancel };

struct FileChoice {
    std::string filter;            // "Field Files (*.fld)|*.fld|All files (*.*)|*.*"
    std::string proposedName;      // may be empty
    std::string defaultExtension;  // "fld"
};

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual void error(const std::string& text) = 0;
    virtual void warning(const std::string& text) = 0;
    virtual void information(const std::string& text) = 0;
    virtual bool confirm(const std::string& text) = 0;          // Yes / No
    virtual Answer confirmOrCancel(const std::string& text) = 0;  // Yes / No / Cancel
    virtual void beep() = 0;
    virtual std::optional<std::string> chooseOpenFile(const FileChoice&) { return std::nullopt; }
    virtual std::optional<std::string> chooseSaveFile(const FileChoice&) { return std::nullopt; }
    // The "Data Preferences" dialog: edits the live preferences until it
    // is closed (it has no Cancel).
    virtual void showPreferences(Preferences&) {}
    // Sector, partial-station and elevation dialogs: true on OK.
    virtual bool showSectorSlope(SectorSlopeForm&) { return false; }
    virtual void showSectorInfo(const SectorInfoForm&) {}
    virtual bool showPartialStation(PartialStationForm&) { return false; }
    virtual bool showSetElevation(SetElevationForm&) { return false; }
    // "Convert Data Type..." and "Laser Survey Adjusment...": true on OK.
    virtual bool showConvertData(ConvertDataForm&) { return false; }
    virtual bool showLaserAdjustment(LaserAdjustmentForm&) { return false; }
    // "Check Cut/Fill Ratio": shown until OK.
    virtual void showRatioCheck(const RatioCheckForm&) {}
};

// Answers nothing and says nothing: for batch work with no user.
class SilentPrompt : public Prompt {
public:
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    void information(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
    Answer confirmOrCancel(const std::string&) override { return Answer::Cancel; }
    void beep() override {}
};

}  // namespace tarnwick
