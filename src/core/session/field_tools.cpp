#include "core/session/field_tools.h"
#include "core/session/command_scope.h"

#include "core/base/number_format.h"
#include "core/field/conversion.h"

namespace tarnwick {
namespace {

void reportUnreadable(Session& s, const CellPos& at) {
    s.prompt().error("The reading \"" + s.field.Survey.text(at.col, at.row) + "\" at " + stationName(at.col, at.row) +
                     " is not a number.");
}

}  // namespace

RewriteOutcome convertDataType(Session& s) {
    CommandScope scope(s);
    Field& f = s.field;
    if (f.NumStations < 2) return RewriteOutcome::NotRun;
    ConvertDataForm form;
    form.currentType = dataTypeCaption(f.prefs.RodReadings);
    form.targetType = dataTypeCaption(!f.prefs.RodReadings);
    const bool ok = s.prompt().showConvertData(form);
    if (ok) {
        if (auto unreadable = convertReadings(f, form.benchMark)) {
            reportUnreadable(s, *unreadable);
            return RewriteOutcome::Failed;
        }
        f.prefs.RodReadings = !f.prefs.RodReadings;
    }
    s.recalculate();
    return ok ? RewriteOutcome::Done : RewriteOutcome::Cancelled;
}

RewriteOutcome adjustLaserSurvey(Session& s) {
    CommandScope scope(s);
    Field& f = s.field;
    if (f.NumStations < 2) return RewriteOutcome::NotRun;
    LaserAdjustmentForm form;
    if (!s.prompt().showLaserAdjustment(form)) {
        s.recalculate();
        return RewriteOutcome::Cancelled;
    }
    LaserPlane plane{form.rowSlope, form.colSlope};
    try {
        plane.rowSpacing = f.prefs.rowSpacing();
        plane.colSpacing = f.prefs.colSpacing();
    } catch (const SpacingError& e) {
        s.prompt().error(e.what());
        return RewriteOutcome::Failed;
    }
    const std::optional<CellPos> ref = parseReferenceStation(form.referenceStation);
    if (!ref) {
        s.prompt().error("The reference station \"" + form.referenceStation + "\" is not a column and row such as A1.");
        return RewriteOutcome::Failed;
    }
    plane.reference = *ref;
    if (auto unreadable = adjustReadings(f, plane)) {
        reportUnreadable(s, *unreadable);
        return RewriteOutcome::Failed;
    }
    s.recalculate();
    return RewriteOutcome::Done;
}

}  // namespace tarnwick
