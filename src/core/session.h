#pragma once
// The state the main window owns while a field is worked on, and the
// commands over it: the recalculation, the result views, the design panel
// and the field file commands. The desktop program and the command-line
// tool both drive a Session; neither computes anything itself.

#include <optional>
#include <string>

#include "field.h"
#include "prompt.h"
#include "result_tables.h"
#include "statistics.h"

namespace tarnwick {

inline constexpr const char* kProgramName = "Tarnwick";
inline constexpr const char* kVersionText = "V1.80";

// Unit captions beside the figures of the main window and Preferences.
struct UnitCaptions {
    std::string length;        // "feet" / "meters"
    std::string area;          // "Acres" / "Hectares"
    std::string bestFitVolume; // "Cu.Yards" / "Cu.Meters"
    std::string volume;        // "Cubic Yards" / "Cubic Meters"
    std::string volumePerArea; // "Cu. Yards/Acre" / "Cu. Meters/Hectare"
};
UnitCaptions unitCaptions(bool feet);

// " Full Field Survey Info  " and the Survey tab header.
struct FieldInfo {
    BestFit bestFit;                // slopes as computed, average to 3 decimals
    std::optional<double> yardage;  // nothing below 5 stations
    std::string avgEl;              // "Average  Elevation:"
    std::string CSBest;             // "Column Slope Best Fit:"
    std::string RSBest;             // "Row Slope Best Fit:"
    std::string BFYards;            // "Best Fit Yardage:"
    std::string Numsta;             // station count
    std::string NumAcr;             // field area
};

// " Design Summary -  Sum of All Sectors  ".
struct DesignSummary {
    double cut = 0;
    double fill = 0;
    double importExport = 0;
    std::optional<double> ratio;  // nothing when the fill is 0
    std::string totalCut, totalFill, importExportText, cutPerArea, ratioText;
};

// The design tab's boxes and captions for the record shown.
struct DesignPanel {
    int record = 0;
    bool bestFitVisible = true;  // "Use Best Fit Slopes" and "Minimize Yardage"
    std::string ratio, colSlope, rowSlope, importExport;
    std::string compSlope, rotate;
    std::string avgElevation, totalCut, totalFill, cutPerArea, fillPerArea;
};

// "Comp. Slope:" and "Rotate" ... "Deg." of a row and a column slope.
std::pair<std::string, std::string> compoundSlopeText(double rowSlope, double colSlope);

class Session {
public:
    explicit Session(Prompt& prompt);

    Prompt& prompt() { return *prompt_; }

    Field field;
    std::string FFileName = "Untitled";
    bool FieldSaved = false;
    bool useBestFitSlopes = false;  // "Use Best Fit Slopes"
    bool autoReCalc = true;         // "AutoReCalc"
    int designTab = 0;              // 0 "Entire Field", k "Sector<k>"

    // Results as the views show them.
    FieldInfo info;
    DesignSummary summary;
    DesignPanel panel;
    ResultGrids results;
    DesignParametersTable parameters;
    DesignView view() const { return view_; }
    bool sectorDesignEnabled() const { return sectorDesignEnabled_; }

    // The whole-field pass, then the sector pass when sectors exist. A
    // spacing that is not a whole number is reported and stops it.
    void recalculate();
    // Only the sector pass (after a design box changed).
    void recalculateSectors();
    // "Full Field Design" / "Sector Design" on any of the result tabs.
    void setView(DesignView v);
    // Shows design record k in the design panel.
    void showDesignRecord(int k);

    // Open: version check, clear, read, scan and recalculate. False when
    // the file was not taken (the previous field stays).
    bool openField(const std::string& path);
    // Writes the current field; false (after "Error Writing this File")
    // when it could not be written.
    bool writeField(const std::string& path);

    // True when a blended design was asked for but the sectors were
    // designed separately.
    bool blendPending() const { return field.blend.on() && field.NumSectors > 0; }

private:
    bool wholeFieldPass();
    void sectorPass(bool wholeFieldDesigned);
    bool design(int k);
    void refreshOutputs();
    void refreshDesignSummary();
    void fillDesignParameters();
    template <class F>
    bool guarded(F&& step);

    Prompt* prompt_;
    DesignView view_ = DesignView::FullField;
    bool sectorDesignEnabled_ = false;
    bool designed_ = false;
};

}  // namespace tarnwick
