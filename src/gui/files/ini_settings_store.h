#pragma once
// The settings file "tarnwick/tvk.ini": an INI file of sections and keys in
// the computer's public documents folder on Windows and in the user's
// configuration folder elsewhere.

#include <QString>

#include "core/files/settings.h"

namespace tarnwick {

class IniSettingsStore : public SettingsStore {
public:
    // The settings file at its usual place (defaultPath()).
    IniSettingsStore();
    // A settings file at `path` (tests, other set-ups).
    explicit IniSettingsStore(QString path);

    // Windows: <public documents>\tarnwick\tvk.ini, or \tarnwick\tvk.ini on
    // the current drive when that folder is unknown. Elsewhere:
    // $XDG_CONFIG_HOME/tarnwick/tvk.ini (~/.config/tarnwick/tvk.ini).
    static QString defaultPath();

    const QString& path() const { return path_; }

    // Nothing for every key of a file that is not a regular file or is
    // beyond the size limits of text files: its keys take their defaults.
    std::optional<std::string> value(const std::string& section, const std::string& key) const override;
    // Creates the folder when it is missing, puts the old file's keys with
    // every entry replaced together in a scratch file and writes the result
    // over the settings file as every file is written (a temporary file
    // beside it, synced, then renamed; through a symbolic link). A settings
    // file made read-only is not replaced. On any failure the old file
    // stays as it was.
    bool write(const std::vector<SettingsEntry>& entries) override;
    std::string failureReason() const override { return failureReason_; }

private:
    bool fail(std::string reason);
    QString path_;
    std::string failureReason_;
};

}  // namespace tarnwick
