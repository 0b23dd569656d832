#pragma once
// The sector slope, sector information, partial station and set elevation
// dialogs. Each shows a core form and hands it back on OK.

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

}  // namespace tarnwick
