#pragma once
// What the controls of the "Data Preferences" dialog do to the live
// preferences. The dialog calls these and shows the result; every change
// takes effect at once (the dialog has no Cancel).

#include <array>
#include <string>

#include "core/field/field.h"

namespace tarnwick {

// The entries both spacing boxes offer, in feet or meters.
inline constexpr std::array<const char*, 6> kSpacingChoices{"100", "50", "30", "25", "20", "10"};

// Station spacing a unit system starts from.
inline constexpr const char* kFeetSpacing = "100";
inline constexpr const char* kMetersSpacing = "30";

// A click on any of the four radio buttons, with the data type and unit
// system the buttons show after it: the unit system sets Divisor and puts
// both spacings back to its default ("100" feet, "30" meters), then the
// data type is taken.
void preferencesRadioClicked(Preferences& p, bool rodReadings, bool feet);

// An entry chosen in the row-spacing box: the column spacing follows.
void rowSpacingChosen(Preferences& p, const std::string& entry);
// An entry chosen in the column-spacing box: only the column spacing.
void colSpacingChosen(Preferences& p, const std::string& entry);
// Whether a spacing box may hold this text while it is typed: digits only,
// no leading 0, at most 10,000. Empty text is allowed on the way to a
// number; "0" never is.
bool spacingTextAllowed(const std::string& text);
// Text typed into a spacing box changes that spacing only, and only when it
// is a spacing (1 to 10,000); anything else leaves the spacing as it was.
void rowSpacingTyped(Preferences& p, const std::string& text);
void colSpacingTyped(Preferences& p, const std::string& text);

// "Default Cut/Fill Ratio:" holds an unsigned number with at most 2
// decimals and at most 7 characters.
inline constexpr int kRatioDecimals = 2;
inline constexpr int kRatioMaxLength = 7;

// Whether the box may hold this text while it is typed: digits with at
// most one decimal point and two decimals, 7 characters at most. Empty
// text and a lone point are allowed on the way to a number.
bool ratioTextAllowed(const std::string& text);
// A default ratio kept in a file: empty (read as 0) or a plain number from
// 0 to 9,999,999, what the box can hold.
bool defaultRatioTextValid(const std::string& text);
// Typing in the box: the text is the default ratio at once.
void defaultRatioTyped(Preferences& p, const std::string& text);
// Leaving the box or pressing Enter: the ratio is shown with 2 decimals,
// the value it is read as (an empty box reads as 0, as every number box
// does). A value too long for the box keeps its typed text.
void defaultRatioFinished(Preferences& p);

}  // namespace tarnwick
