#include "core/files/preferences_rules.h"

#include <cctype>

#include "core/base/number_format.h"

namespace tarnwick {

void preferencesRadioClicked(Preferences& p, bool rodReadings, bool feet) {
    p.feet = feet;
    const char* spacing = feet ? kFeetSpacing : kMetersSpacing;
    p.rowSpacingText = spacing;
    p.colSpacingText = spacing;
    p.RodReadings = rodReadings;
}

void rowSpacingChosen(Preferences& p, const std::string& entry) {
    p.rowSpacingText = entry;
    p.colSpacingText = entry;
}

void colSpacingChosen(Preferences& p, const std::string& entry) {
    p.colSpacingText = entry;
}

bool spacingTextAllowed(const std::string& text) {
    if (text.empty()) return true;
    if (text.size() > 5 || text[0] == '0') return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return std::stoi(text) <= kMaxSpacing;
}

void rowSpacingTyped(Preferences& p, const std::string& text) {
    if (spacingValue(text)) p.rowSpacingText = text;
}

void colSpacingTyped(Preferences& p, const std::string& text) {
    if (spacingValue(text)) p.colSpacingText = text;
}

bool defaultRatioTextValid(const std::string& text) {
    if (text.empty()) return true;
    const auto v = parseNumber(text);
    return v && *v >= 0 && *v <= 9999999;
}

bool ratioTextAllowed(const std::string& text) {
    if (text.size() > static_cast<size_t>(kRatioMaxLength)) return false;
    bool point = false;
    int decimals = 0;
    for (char c : text) {
        if (c == '.') {
            if (point) return false;
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            if (point && ++decimals > kRatioDecimals) return false;
        } else {
            return false;
        }
    }
    return true;
}

void defaultRatioTyped(Preferences& p, const std::string& text) {
    p.defaultRatioText = text;
}

void defaultRatioFinished(Preferences& p) {
    const double value = parseNumber(p.defaultRatioText).value_or(0.0);
    std::string shown = formatFixed(value, kRatioDecimals);
    if (shown.size() <= static_cast<size_t>(kRatioMaxLength)) p.defaultRatioText = shown;
}

}  // namespace tarnwick
