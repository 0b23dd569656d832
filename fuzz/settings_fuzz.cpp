// libFuzzer target: the settings reader. The bytes are taken as a
// sections-and-keys file ("[Section]", "key=value" lines); whatever they
// hold, the settings read keep their ranges, and written and read again
// they stay the same.

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>

#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/files/preferences_rules.h"
#include "core/files/settings.h"
#include "fuzz_check.h"

using namespace tarnwick;
using fuzz::require;

namespace {

std::string trimmed(std::string s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

class MapStore : public SettingsStore {
public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::optional<std::string> value(const std::string& section, const std::string& key) const override {
        auto it = values.find({section, key});
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    bool write(const std::vector<SettingsEntry>& entries) override {
        for (const auto& e : entries) values[{e.section, e.key}] = e.value;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::bytes(data, size);
    if (checkTextLimits(text) != ReadOutcome::Ok) return 0;
    MapStore store;
    TextLines lines(text);
    std::string line, section;
    while (lines.next(line)) {
        line = trimmed(line);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            store.values[{section, trimmed(line.substr(0, eq))}] = trimmed(line.substr(eq + 1));
        }
    }
    const Settings s = readSettings(store);
    require(spacingValue(s.rowGrid) && spacingValue(s.colGrid), "spacings from 1 to 10,000");
    require(defaultRatioTextValid(s.ratio), "a default ratio the box holds");
    require(s.mast >= 0 && s.mast <= 2 && s.com >= 0, "a known laser model and a port index");
    require(parseNumber(s.add).has_value(), "an ADD TO that is a number");

    MapStore written;
    written.write(settingsEntries(s));
    const Settings again = readSettings(written);
    require(again.elevations == s.elevations && again.rowGrid == s.rowGrid && again.colGrid == s.colGrid &&
                again.ratio == s.ratio && again.yards == s.yards && again.headerLines == s.headerLines &&
                again.mast == s.mast && again.add == s.add && again.com == s.com,
            "settings written and read again are the same");
    return 0;
}
