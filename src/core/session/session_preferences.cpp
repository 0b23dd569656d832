// The "Preferences..." command, and the session's side of the settings
// file: what it takes from it at start-up and what it writes back.

#include "core/session/session.h"
#include "core/session/command_scope.h"

namespace tarnwick {

Settings currentSettings(const Session& session) {
    const Preferences& p = session.field.prefs;
    Settings s;
    s.elevations = !p.RodReadings;
    s.rowGrid = p.rowSpacingText;
    s.colGrid = p.colSpacingText;
    s.ratio = p.defaultRatioText;
    s.yards = p.feet;
    s.headerLines = session.headerLines;
    s.mast = session.laserModel;
    s.add = session.laserAddTo;
    s.com = session.serialPortIndex;
    return s;
}

void applySettings(Session& session, const Settings& s) {
    Preferences& p = session.field.prefs;
    p.rowSpacingText = s.rowGrid;
    p.colSpacingText = s.colGrid;
    p.defaultRatioText = s.ratio;
    session.headerLines = s.headerLines;
    session.laserModel = s.mast >= 0 && s.mast <= kLastLaserModel ? s.mast : Settings{}.mast;
    session.laserAddTo = s.add;
    // A port index beyond the port list selects no port; the list decides.
    session.serialPortIndex = s.com;
    p.RodReadings = !s.elevations;
    // The unit system alone: the spacings read above stay as they are.
    p.feet = s.yards;
}

bool Session::writeSettingsTo(SettingsStore& store) {
    CommandScope scope(*this);
    if (store.write(settingsEntries(currentSettings(*this)))) return true;
    const std::string reason = store.failureReason();
    prompt_->error(reason.empty() ? "Error updating INI file." : "Error updating INI file. " + reason + ".");
    return false;
}

void Session::preferencesCommand(SettingsStore* store) {
    CommandScope scope(*this);
    prompt_->showPreferences(field.prefs);
    if (store) writeSettingsTo(*store);
    // The station-size label reads the spacings from the preferences, so it
    // follows them without being set here.
    panel.ratio = field.prefs.defaultRatioText;
    // The preferences are saved with the field.
    if (field.NumStations > 4) recalculate();
}

}  // namespace tarnwick
