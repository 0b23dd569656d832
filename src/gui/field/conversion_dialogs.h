#pragma once
// The "Convert Data" and "Laser Survey Adjustment" dialogs. Each shows a
// core form and hands it back on OK.

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

}  // namespace tarnwick
