#include "core/field/conversion.h"

#include <cctype>
#include <functional>

#include "core/base/number_format.h"

namespace tarnwick {
namespace {

// Rewrites every reading of the scanned rectangle with newValue(col, row,
// v) in two decimals. A reading that is not a number is reported and
// nothing is rewritten: a survey is never left half converted.
bool rewriteReadings(Session& s, const std::function<double(int, int, double)>& newValue) {
    Field& f = s.field;
    SurveyGrid& g = f.Survey;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c)
            if (g.holdsReading(c, r) && !parseNumber(g.text(c, r))) {
                s.prompt().error("The reading \"" + g.text(c, r) + "\" at " + stationName(c, r) + " is not a number.");
                return false;
            }
    bool changed = false;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c) {
            if (!g.holdsReading(c, r)) continue;
            g.setText(c, r, formatFixed(newValue(c, r, *parseNumber(g.text(c, r))), 2));
            changed = true;
        }
    if (changed) {
        s.fieldChanged();
        s.notifySurvey();
    }
    return true;
}

int letterValue(char ch) {
    return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 1 : 0;
}

}  // namespace

const char* dataTypeCaption(bool rodReadings) {
    return rodReadings ? "Rod Readings" : "Elevations";
}

RewriteOutcome convertDataType(Session& s) {
    Field& f = s.field;
    if (f.NumStations < 2) return RewriteOutcome::NotRun;
    ConvertDataForm form;
    form.currentType = dataTypeCaption(f.prefs.RodReadings);
    form.targetType = dataTypeCaption(!f.prefs.RodReadings);
    const bool ok = s.prompt().showConvertData(form);
    if (ok) {
        // The same formula serves both ways: elevation = H.I. - rod reading,
        // rod reading = H.I. - elevation.
        const double b = form.benchMark;
        if (!rewriteReadings(s, [b](int, int, double v) { return b - v; })) return RewriteOutcome::Failed;
        f.prefs.RodReadings = !f.prefs.RodReadings;
        s.notifyPreferences();
    }
    s.recalculate();
    return ok ? RewriteOutcome::Done : RewriteOutcome::Cancelled;
}

std::optional<CellPos> parseReferenceStation(std::string_view text) {
    std::string t;
    for (char ch : text) t += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    std::string_view rest = t;
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    int l1 = 0, l2 = 0;
    if (!rest.empty() && (l1 = letterValue(rest.front())) != 0) rest.remove_prefix(1);
    if (!rest.empty() && (l2 = letterValue(rest.front())) != 0) rest.remove_prefix(1);
    const std::optional<int> row = parseInt(rest);
    const int col = l2 != 0 ? l1 * 26 + l2 : l1;
    if (!row || *row < 1 || col < 1) return std::nullopt;
    return CellPos{col, *row};
}

RewriteOutcome adjustLaserSurvey(Session& s) {
    Field& f = s.field;
    if (f.NumStations < 2) return RewriteOutcome::NotRun;
    LaserAdjustmentForm form;
    if (!s.prompt().showLaserAdjustment(form)) {
        s.recalculate();
        return RewriteOutcome::Cancelled;
    }
    int sr = 0, sc = 0;
    try {
        sr = f.prefs.rowSpacing();
        sc = f.prefs.colSpacing();
    } catch (const SpacingError& e) {
        s.prompt().error(e.what());
        return RewriteOutcome::Failed;
    }
    const std::optional<CellPos> ref = parseReferenceStation(form.referenceStation);
    if (!ref) {
        s.prompt().error("The reference station \"" + form.referenceStation + "\" is not a column and row such as A1.");
        return RewriteOutcome::Failed;
    }
    const double rs = form.rowSlope, cs = form.colSlope;
    const int c0 = ref->col, r0 = ref->row;
    // The row slope acts along a row (column to column, over the column
    // spacing), the column slope down a column (over the row spacing).
    auto adjusted = [=](int c, int r, double v) { return v - rs * (c - c0) * sc / 100 - cs * (r - r0) * sr / 100; };
    if (!rewriteReadings(s, adjusted)) return RewriteOutcome::Failed;
    s.recalculate();
    return RewriteOutcome::Done;
}

}  // namespace tarnwick
