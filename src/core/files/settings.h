#pragma once
// The settings file: the user's working preferences shared by every field
// (data type, station spacing, default ratio, unit system), the four
// page-header lines of printouts and the laser receiver's set-up. The keys,
// defaults and meaning live here; the desktop program stores them in an
// INI file.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

inline constexpr const char* kContactLine = "support@tarnwick.example";

// Laser device models: 0 "MEI Laser-Tech 304", 1 "Laser Alignment/Leica
// Control Box", 2 "Other".
inline constexpr int kLastLaserModel = 2;

struct Settings {
    bool elevations = true;      // [Options] elevations
    std::string rowGrid = "100"; // [Options] RowGrid
    std::string colGrid = "100"; // [Options] ColGrid
    std::string ratio = "1.25";  // [Options] Ratio
    bool yards = true;           // [Options] Yards
    std::array<std::string, 4> headerLines{"Tarnwick", "Landgrading Design Software", kContactLine, ""};  // [Header] Line1..4
    int mast = 1;                // [serial] Mast
    std::string add = "0";       // [serial] add
    int com = 1;                 // [serial] Com
};

struct SettingsEntry {
    std::string section;
    std::string key;
    std::string value;
};

// Where the settings are kept.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text of a key, nothing when the file, section or key is missing.
    virtual std::optional<std::string> value(const std::string& section, const std::string& key) const = 0;
    // Writes every entry; false when the file could not be written.
    virtual bool write(const std::vector<SettingsEntry>& entries) = 0;
    // Why the last write failed, in the system's words; empty when unknown.
    virtual std::string failureReason() const { return {}; }
};

// Missing or unreadable values take their defaults; Boolean keys are read
// as integers (0 false, any other integer true). Values out of range are
// unreadable too: a spacing that is not a whole number from 1 to 10,000, a
// default ratio that is not a number from 0 to 9,999,999, a device model
// other than 0 to 2, a negative port, an "ADD TO:" beyond +-1,000,000.
Settings readSettings(const SettingsStore& store);
std::vector<SettingsEntry> settingsEntries(const Settings& s);

}  // namespace tarnwick
