#pragma once
// The arithmetic of two Options commands that rewrite every reading of the
// Survey grid in place: "Convert Data Type..." (elevations to rod readings
// or back, about a benchmark or instrument height) and "Laser Survey
// Adjusment..." (takes a sloped laser plane out of the readings). Both work
// on the NumRows x NumCols rectangle of the last field scan, on stations
// that hold a reading, and write two decimals.

#include <optional>
#include <string_view>

#include "core/field/field.h"

namespace tarnwick {

// The data type as the main window shows it: "Elevations" / "Rod Readings".
const char* dataTypeCaption(bool rodReadings);

// Laser reference station text: column letters then the row number, letters
// in either case ("A1" -> 1, 1; "ab12" -> 28, 12). Nothing when the text
// does not name a column and a row from 1.
std::optional<CellPos> parseReferenceStation(std::string_view text);

// B - v for every reading: the same formula serves both ways (elevation =
// H.I. - rod reading, rod reading = H.I. - elevation). The data type is the
// caller's to turn over.
//
// Both rewrites check every reading first: when one is not a number its
// station is given back and nothing is rewritten, so a survey is never left
// half converted.
std::optional<CellPos> convertReadings(Field& f, double benchMark);

// v - RS x (c - c0) x Sc / 100 - CS x (r - r0) x Sr / 100 for every reading;
// the reference station (c0, r0) keeps its reading. The row slope acts
// along a row (column to column, over the column spacing Sc), the column
// slope down a column (over the row spacing Sr).
struct LaserPlane {
    double rowSlope = 0;  // percent
    double colSlope = 0;  // percent
    CellPos reference;
    int rowSpacing = 0;
    int colSpacing = 0;
};
std::optional<CellPos> adjustReadings(Field& f, const LaserPlane& plane);

}  // namespace tarnwick
