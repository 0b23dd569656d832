#pragma once
// The fields of the "Convert Data" and "Laser Survey Adjustment" dialogs. A
// command fills a form, hands it to the user through the Prompt and reads
// it back on OK.

#include <string>

namespace tarnwick {

// "Convert Data": turns elevations into rod readings or back.
struct ConvertDataForm {
    std::string currentType;  // after "Current Data Type is :", "Elevations" / "Rod Readings"
    std::string targetType;   // after "Click OK to convert to ", the other type
    double benchMark = 0;     // "BenchMark/ H. I. Value", 2 decimals
};

// "Laser Survey Adjustment": removes a sloped laser plane from the readings.
struct LaserAdjustmentForm {
    double rowSlope = 0;                  // "Row  Slope (1-100)", percent, 2 decimals
    double colSlope = 0;                  // "Column Slope (A-CZ)", percent, 2 decimals
    std::string referenceStation = "A1";  // "Laser Reference Station:", column then row
};

}  // namespace tarnwick
