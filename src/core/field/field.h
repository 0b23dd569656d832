#pragma once
// One field in memory: the survey text, the station records, the counters
// of the last scan, the preferences that give readings their meaning, and
// the design records of the whole field and its sectors.

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/field/cells.h"
#include "core/field/survey_grid.h"

namespace tarnwick {

constexpr int kMaxSectors = 7;
constexpr int kPicturePartial = 28;     // partial-station mark
constexpr int kPictureFirstSector = 21; // sector k carries picture 20 + k

struct TFieldData {
    double oe = 0;       // reading at the last scan or design
    double Weight = 1.0; // 1 for a whole station, otherwise a partial one
    double FullNE = 0;   // new elevation of the whole-field design
    double FullCF = 0;   // its cut (< 0) or fill (> 0)
    double SecNE = 0;    // new elevation of the sector design
    double SecCF = 0;
    bool selected = false;
};

// One design: the rectangle it covers, what the user asks of it, and what
// the design kernel left there.
struct TDesignRecord {
    int FirstCol = 0;
    int FirstRow = 0;
    int LastCol = 0;
    int LastRow = 0;
    double RowSlope = 0;      // per 100 length units, across the columns
    double ColSlope = 0;      // per 100 length units, down the rows
    double CutFillRatio = 0;
    double ImportExport = 0;  // + import, - export
    double TotalCut = 0;
    double TotalFill = 0;
    double AvgElevation = 0;
    double Area = 0;          // acres or hectares
};

inline Rect Rect::of(const TDesignRecord& r) { return {r.FirstCol, r.FirstRow, r.LastCol, r.LastRow}; }

// A spacing text that is not a whole number stops the command that needed
// the station area.
class SpacingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Station spacing: a whole number of feet or meters from 1 to 10,000. A
// spacing of 0 would divide every slope by zero.
inline constexpr int kMinSpacing = 1;
inline constexpr int kMaxSpacing = 10000;
// The spacing a text gives, nothing when it is not a whole number in range.
std::optional<int> spacingValue(const std::string& text);

// Data type, unit system, station spacing and default ratio of the field
// being worked on (the Data Preferences).
struct Preferences {
    bool RodReadings = false;
    bool feet = true;  // "Feet / Acres"; false: "Meters / Hectares"
    std::string rowSpacingText = "100";  // "Distance Between Rows"
    std::string colSpacingText = "100";  // "Distance Between Columns"
    std::string defaultRatioText = "1.25";

    // Cubic feet per cubic yard in feet, 1 in meters.
    double Divisor() const { return feet ? 27.0 : 1.0; }
    // Throw SpacingError when the text is not a whole number from 1 to
    // 10,000.
    int rowSpacing() const;
    int colSpacing() const;
    double stationArea() const { return static_cast<double>(rowSpacing()) * colSpacing(); }
    std::string stationSizeLabel() const { return rowSpacingText + "x" + colSpacingText; }
    double defaultRatio() const;
    bool operator==(const Preferences&) const = default;
};

struct BlendState {
    bool colChecked = false;  // CheckBox_ColBlend, "Blend at Row Breaks"
    bool rowChecked = false;  // CheckBox_RowBlend, "Blend at Column Breaks"
    bool colEnabled = false;
    bool rowEnabled = false;
    bool on() const { return colChecked || rowChecked; }
    bool operator==(const BlendState&) const = default;
};

struct Field {
    SurveyGrid Survey;
    std::vector<std::vector<TFieldData>> FieldData;  // [column][row]
    int NumCols = 0;
    int NumRows = 0;
    int NumStations = 0;
    int NumSectors = 0;
    double MaxReading = 0;
    double MinReading = 999;
    std::vector<double> RowAverages;
    std::vector<double> ColAverages;
    std::array<TDesignRecord, kMaxSectors + 1> DesignRecords{};
    Preferences prefs;
    BlendState blend;
    std::string fieldName;     // printed on the cut/fill sheet
    std::string customerName;
    int fullDesignRows = 101;  // grows with the field, never shrinks

    Rect wholeField() const { return {1, 1, NumCols, NumRows}; }

    // Station record, or nullptr outside the records of the last scan.
    TFieldData* station(int col, int row) {
        if (col < 0 || row < 0 || static_cast<size_t>(col) >= FieldData.size()) return nullptr;
        auto& column = FieldData[static_cast<size_t>(col)];
        return static_cast<size_t>(row) < column.size() ? &column[static_cast<size_t>(row)] : nullptr;
    }
    const TFieldData* station(int col, int row) const { return const_cast<Field*>(this)->station(col, row); }
    double weight(int col, int row) const {
        const TFieldData* s = station(col, row);
        return s ? s->Weight : 1.0;
    }

    void sizeFieldData(int cols, int rows);  // (cols + 1) x (rows + 1), keeping records
};

// Field scan: counts the stations of the Survey text, reads every reading
// into the station records and finds the largest and smallest reading.
void fieldScan(Field& f);

// Clear field: readings, records, counters, sectors and blend boxes.
void clearField(Field& f);

// Area of the stations of a rectangle that hold a reading, weighted, in
// acres (feet) or hectares (meters).
double rectangleArea(const Field& f, const Rect& r);

// Sector of a station: the sector whose rectangle holds it, 0 for none.
int sectorOfStation(const Field& f, int col, int row);

}  // namespace tarnwick
