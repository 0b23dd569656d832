#pragma once
// The fields of the sector, partial-station, set-elevation and "Check
// Cut/Fill Ratio" dialogs. A command fills a form, the user edits it, the
// command reads it back on OK.

#include <string>

namespace tarnwick {

// "Enter Sector Slope". The four values are kept between uses.
struct SectorSlopeForm {
    std::string heading;     // Label2: Sector [2] - A11:F20
    std::string average;     // Avg_Label, 3 decimals
    std::string lengthUnit;  // Label38: "feet" / "meters"
    std::string bestColSlope;  // Label_ColFit, 3 decimals
    std::string bestRowSlope;  // Label_Rfit, 3 decimals
    double colSlope = 0;       // AdvEdit_CS2
    double rowSlope = 0;       // AdvEdit_RS2
    double ratio = 0;          // AdvEdit_Ratio
    double importExport = 0;   // AdvEdit_IO
};

// The "Use Best Fit Slopes" button of the sector slope dialog.
void useBestFitSlopes(SectorSlopeForm& form);

// "Sector Info": the best fit of a rectangle; nothing to change.
struct SectorInfoForm {
    std::string heading;  // Sector[2]- A11:F20, or Sector - B3:D9
    std::string average;
    std::string lengthUnit;
    std::string bestColSlope;
    std::string bestRowSlope;
};

// "Partial Station": the station size in percent, 5 to 200.
struct PartialStationForm {
    double percent = 100;
    static constexpr double kMin = 5;
    static constexpr double kMax = 200;
};

// "Set Elevation": the wanted final elevation, kept between uses.
struct SetElevationForm {
    double value = 0;
};

// "Check Cut/Fill Ratio": two lines, the second only with sectors.
struct RatioCheckForm {
    std::string fullCaption = "Full Field - Actual Cut/Fill Ratio:";
    std::string fullRatio;      // 2 decimals
    std::string fullDirection;  // "Raise Elevation" / "Lower Elevation"
    std::string fullChange;     // 3 decimals, signed
    bool sectorLineShown = false;
    std::string sectorCaption = "Sectors - Actual Cut/Fill Ratio:";
    std::string sectorRatio;
    std::string sectorDirection;
    std::string sectorChange;
};

}  // namespace tarnwick
