#pragma once
// Two Options commands that rewrite every reading of the Survey grid in
// place: "Convert Data Type..." (elevations to rod readings or back, about a
// benchmark or instrument height) and "Laser Survey Adjusment..." (takes a
// sloped laser plane out of the readings). Both work on the NumRows x NumCols
// rectangle of the last field scan, on stations that hold a reading, and end
// in the recalculation.

#include <optional>
#include <string>
#include <string_view>

#include "core/session/session.h"
#include "core/design/tool_forms.h"

namespace tarnwick {

enum class RewriteOutcome {
    NotRun,     // fewer than 2 stations
    Cancelled,  // the dialog was cancelled; the field was recalculated
    Done,       // readings rewritten and the field recalculated
    Failed,     // stopped with an error; no recalculation
};

// The data type as the main window shows it: "Elevations" / "Rod Readings".
const char* dataTypeCaption(bool rodReadings);

// B - v for every reading, two decimals; the data type turns over on OK.
RewriteOutcome convertDataType(Session& s);

// Laser reference station text: column letters then the row number, letters
// in either case ("A1" -> 1, 1; "ab12" -> 28, 12). Nothing when the text
// does not name a column and a row from 1.
std::optional<CellPos> parseReferenceStation(std::string_view text);

// v - RS x (c - c0) x Sc / 100 - CS x (r - r0) x Sr / 100 for every reading,
// two decimals; the reference station keeps its reading.
RewriteOutcome adjustLaserSurvey(Session& s);

}  // namespace tarnwick
