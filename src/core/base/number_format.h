#pragma once
// Number text the way Tarnwick shows and stores it: fixed-point with a
// limited number of significant digits, exact ties rounded half away from
// zero, and always a decimal point whatever the user's locale.

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Fixed-point text of x with `decimals` digits after the point, rounded once
// at whichever comes first: the last decimal or the `precision`-th
// significant digit. 612.34567 (3, 7) -> "612.346"; 12345.6789 (3, 7) ->
// "12345.680". A value whose integer part needs more than `precision`
// digits is written in exponent form. A result that rounds to zero carries
// no minus sign.
std::string formatFixed(double x, int decimals, int precision = 7);

// Round to decimals: format with `decimals` digits and 15 significant digits
// and read the text back. Every rounding step inside the design uses it.
double roundTo(double x, int decimals);

// A plain decimal number (optional sign, digits, point, exponent), blanks
// around it allowed. Anything else is not a number.
std::optional<double> parseNumber(std::string_view text);

// A plain whole number, blanks around it allowed.
std::optional<int> parseInt(std::string_view text);

// A reading as typed in a survey cell: the first "C" and then the first "F"
// are removed before the rest is read; empty text or no number gives 0.
double parseReading(std::string_view text);
// The same, but nothing when the text holds no number.
std::optional<double> readReading(std::string_view text);

// The numeric value of a grid cell: its text as a plain number, 0 when it
// holds none.
double cellValue(std::string_view text);

// The shortest text that reads back to the same double ("0.5", "1.5", "2").
std::string formatShortest(double x);

// Column labels: 1 -> "A", 26 -> "Z", 27 -> "AA", 130 -> "DZ".
std::string columnLetters(int col);

// Station names: column letters then row number, "A1", "CZ7".
std::string stationName(int col, int row);

}  // namespace tarnwick
