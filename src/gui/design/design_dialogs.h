#pragma once
// The sector slope, sector information, partial station, set elevation and
// "Check Cut/Fill Ratio" dialogs. Each shows a core form; those with Cancel
// hand it back on OK.

#include "core/design/design_forms.h"

class QWidget;

namespace tarnwick {

// "Enter Sector Slope" (TOKBottomDlg). True on OK, with the four values
// in the form.
bool showSectorSlopeDialog(QWidget* parent, SectorSlopeForm& form);

// "Sector Info" (TDialog_info).
void showSectorInfoDialog(QWidget* parent, const SectorInfoForm& form);

// "Partial Station" (TWeightDlg1). True on OK, with the percentage.
bool showPartialStationDialog(QWidget* parent, PartialStationForm& form);

// "Set Elevation" (TElevDlg). True on OK, with the elevation.
bool showSetElevationDialog(QWidget* parent, SetElevationForm& form);

// "Check Cut/Fill Ratio" (CheckRatioDialog): fixed size, centred on the
// screen, shown until "OK".
void showRatioCheckDialog(QWidget* parent, const RatioCheckForm& form);

}  // namespace tarnwick
