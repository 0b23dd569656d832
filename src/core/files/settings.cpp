#include "core/files/settings.h"

#include <limits>

#include "core/base/number_format.h"
#include "core/files/field_file.h"
#include "core/files/preferences_rules.h"

namespace tarnwick {
namespace {

constexpr const char* kOptions = "Options";
constexpr const char* kHeader = "Header";
constexpr const char* kSerial = "serial";
constexpr std::array<const char*, 4> kLineKeys{"Line1", "Line2", "Line3", "Line4"};

std::string readText(const SettingsStore& store, const char* section, const char* key, const std::string& fallback,
                     bool (*valid)(const std::string&) = nullptr) {
    auto v = store.value(section, key);
    return v && (!valid || valid(*v)) ? *v : fallback;
}

int readInt(const SettingsStore& store, const char* section, const char* key, int fallback, int lowest, int highest) {
    auto v = store.value(section, key);
    if (!v) return fallback;
    auto n = parseInt(*v);
    return n && *n >= lowest && *n <= highest ? *n : fallback;
}

bool validSpacing(const std::string& text) { return spacingValue(text).has_value(); }

// "ADD TO:" is added to every laser reading.
bool validAddTo(const std::string& text) {
    const auto v = parseNumber(text);
    return v && *v >= -kMaxFileReading && *v <= kMaxFileReading;
}

bool readBool(const SettingsStore& store, const char* section, const char* key, bool fallback) {
    auto v = store.value(section, key);
    if (!v) return fallback;
    auto n = parseInt(*v);
    return n ? *n != 0 : fallback;
}

const char* boolText(bool b) {
    return b ? "1" : "0";
}

}  // namespace

Settings readSettings(const SettingsStore& store) {
    const Settings d;
    Settings s;
    s.elevations = readBool(store, kOptions, "elevations", d.elevations);
    s.rowGrid = readText(store, kOptions, "RowGrid", d.rowGrid, validSpacing);
    s.colGrid = readText(store, kOptions, "ColGrid", d.colGrid, validSpacing);
    s.ratio = readText(store, kOptions, "Ratio", d.ratio, defaultRatioTextValid);
    s.yards = readBool(store, kOptions, "Yards", d.yards);
    for (size_t i = 0; i < kLineKeys.size(); ++i)
        s.headerLines[i] = readText(store, kHeader, kLineKeys[i], d.headerLines[i]);
    s.mast = readInt(store, kSerial, "Mast", d.mast, 0, kLastLaserModel);
    s.add = readText(store, kSerial, "add", d.add, validAddTo);
    // A port index beyond the port list selects no port; the list decides.
    s.com = readInt(store, kSerial, "Com", d.com, 0, std::numeric_limits<int>::max());
    return s;
}

std::vector<SettingsEntry> settingsEntries(const Settings& s) {
    std::vector<SettingsEntry> e{
        {kOptions, "elevations", boolText(s.elevations)},
        {kOptions, "RowGrid", s.rowGrid},
        {kOptions, "ColGrid", s.colGrid},
        {kOptions, "Ratio", s.ratio},
        {kOptions, "Yards", boolText(s.yards)},
    };
    for (size_t i = 0; i < kLineKeys.size(); ++i) e.push_back({kHeader, kLineKeys[i], s.headerLines[i]});
    e.push_back({kSerial, "Mast", std::to_string(s.mast)});
    e.push_back({kSerial, "add", s.add});
    e.push_back({kSerial, "Com", std::to_string(s.com)});
    return e;
}

}  // namespace tarnwick
