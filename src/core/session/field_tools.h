#pragma once
// The Options commands that rewrite every reading of the Survey grid:
// "Convert Data Type..." and "Laser Survey Adjusment...". Each asks for its
// dialog, rewrites the readings (core/field/conversion.h) and ends in the
// recalculation.

#include "core/session/session.h"

namespace tarnwick {

enum class RewriteOutcome {
    NotRun,     // fewer than 2 stations
    Cancelled,  // the dialog was cancelled; the field was recalculated
    Done,       // readings rewritten and the field recalculated
    Failed,     // stopped with an error; no recalculation
};

// B - v for every reading, two decimals; the data type turns over on OK.
RewriteOutcome convertDataType(Session& s);

// The laser plane of the dialog taken out of every reading, two decimals;
// the reference station keeps its reading.
RewriteOutcome adjustLaserSurvey(Session& s);

}  // namespace tarnwick
