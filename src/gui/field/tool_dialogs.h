#pragma once
// The "Convert Data", "Laser Survey Adjustment" and "Check Cut/Fill Ratio"
// dialogs. Each shows a core form; the first two hand it back on OK.

#include "core/design/design_forms.h"
#include "core/field/conversion_forms.h"

class QWidget;

namespace tarnwick {

// "Convert Data" (ConvertDataDialog): the current and the other data type
// in bold, and the benchmark or H.I. value. True on OK, with the value in
// the form.
bool showConvertDataDialog(QWidget* parent, ConvertDataForm& form);

// "Laser Survey Adjustment" (LaserAdjustmentDialog): the two laser slopes
// and the reference station; Enter in a box moves to the next one. True on
// OK, with the three entries in the form.
bool showLaserAdjustmentDialog(QWidget* parent, LaserAdjustmentForm& form);

// "Check Cut/Fill Ratio" (CheckRatioDialog): fixed size, centred on the
// screen, shown until "OK".
void showRatioCheckDialog(QWidget* parent, const RatioCheckForm& form);

}  // namespace tarnwick
