// The "Preferences..." command and writing the settings file.

#include "core/session/session.h"

namespace tarnwick {

bool Session::writeSettingsTo(SettingsStore& store) {
    if (store.write(settingsEntries(currentSettings(*this)))) return true;
    const std::string reason = store.failureReason();
    prompt_->error(reason.empty() ? "Error updating INI file." : "Error updating INI file. " + reason + ".");
    return false;
}

void Session::preferencesCommand(SettingsStore* store) {
    prompt_->showPreferences(field.prefs);
    if (store) writeSettingsTo(*store);
    // The station-size label reads the spacings from the preferences, so it
    // follows them without being set here.
    panel.ratio = field.prefs.defaultRatioText;
    // The preferences are saved with the field.
    fieldChanged();
    notifyPreferences();
    if (field.NumStations > 4) recalculate();
}

}  // namespace tarnwick
