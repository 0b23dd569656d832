#pragma once
// The state the main window owns while a field is worked on, and the
// commands over it: the recalculation, the result views, the design panel
// and the field file commands. The desktop program and the command-line
// tool both drive a Session; neither computes anything itself.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/design/design_forms.h"
#include "core/field/field.h"
#include "core/session/changes.h"
#include "core/session/prompt.h"
#include "core/design/result_tables.h"
#include "core/files/settings.h"
#include "core/design/statistics.h"

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
    std::optional<BestFit> bestFit; // slopes as computed, average to 3 decimals; nothing below 4 stations
    std::optional<double> yardage;  // nothing below 5 stations
    std::string avgEl;              // "Average  Elevation:"
    std::string CSBest;             // "Column Slope Best Fit:"
    std::string RSBest;             // "Row Slope Best Fit:"
    std::string BFYards;            // "Best Fit Yardage:"
    std::string Numsta;             // station count
    std::string NumAcr;             // field area
    bool operator==(const FieldInfo&) const = default;
};

// " Design Summary -  Sum of All Sectors  ".
struct DesignSummary {
    double cut = 0;
    double fill = 0;
    double importExport = 0;
    std::optional<double> ratio;  // nothing when the fill is 0
    std::string totalCut, totalFill, importExportText, cutPerArea, ratioText;
    bool operator==(const DesignSummary&) const = default;
};

// The design tab's boxes and captions for the record shown.
struct DesignPanelState {
    int record = 0;
    bool bestFitVisible = true;  // "Use Best Fit Slopes" and "Minimize Yardage"
    std::string ratio, colSlope, rowSlope, importExport;
    std::string compSlope, rotate;
    std::string avgElevation, totalCut, totalFill, cutPerArea, fillPerArea;
    bool operator==(const DesignPanelState&) const = default;
};

// "Comp. Slope:" and "Rotate" ... "Deg." of a row and a column slope.
std::pair<std::string, std::string> compoundSlopeText(double rowSlope, double colSlope);

// Auto-advance of the Survey grid's cursor after Enter.
enum class Direction { LR, RL, UD, DU };
const char* directionCaption(Direction d);

struct Selection {
    int firstCol = 1;
    int firstRow = 1;
    int lastCol = 1;
    int lastRow = 1;
    bool operator==(const Selection&) const = default;
};

enum class EditOutcome { Accepted, Emptied, Refused };

enum class DesignBox { Ratio, ColSlope, RowSlope, ImportExport };

// The Row/Column Profiles chart below the Survey grid.
struct ProfileSeries {
    std::string title;
    // Runs of neighbouring stations that hold readings, as (station number,
    // reading): an empty station ends a run, so the line has a gap there
    // instead of a drop to 0. No run at all when the line holds no reading.
    std::vector<std::vector<std::pair<double, double>>> lines;
};
struct ProfileData {
    bool shown = false;    // only above 3 stations; otherwise the chart is empty
    double xMax = 0;       // the horizontal axis runs from 1 to here
    int tickInterval = 1;  // ticks on the multiples of it: whole station numbers
    ProfileSeries row, col;
    // The vertical axis, one unit beyond the lowest and the highest reading
    // of the last scan; set from 3 stations on, otherwise the axis stays.
    std::optional<std::pair<double, double>> readingRange;
};
// The tick step of the profile chart's horizontal axis for an axis running
// from 1 to xMax: the smallest of 1, 2, 5, 10, 20, 25, 50 that puts at most
// 13 ticks on it.
int profileTickInterval(int xMax);

class CommandScope;

// Every public command runs inside a CommandScope (core/session/command_scope.h):
// listeners hear once per command what it changed, and FieldSaved is cleared
// whenever what the field file keeps changed.
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

    // Survey entry.
    std::string LastValue;          // the last accepted reading
    Direction direction = Direction::LR;
    CellPos current;                // the Survey grid's current cell
    CellPos remembered;             // the cell of the last right-click
    Selection selection;

    // Printed page headers and the laser receiver (kept in the settings file).
    std::array<std::string, 4> headerLines = Settings{}.headerLines;
    int laserModel = 1;
    std::string laserAddTo = "0";
    int serialPortIndex = 1;
    bool exportMode = false;        // started for a command-line export

    void addListener(SessionListener* l) { listeners_.push_back(l); }
    void removeListener(SessionListener* l) { std::erase(listeners_, l); }

    // Results as the views show them.
    FieldInfo info;
    DesignSummary summary;
    DesignPanelState panel;
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

    // Open: version check, clear, read, uncheck "Use Best Fit Slopes", scan
    // and recalculate. False when the file was not taken (the previous
    // field stays).
    bool openField(const std::string& path);
    // Writes the current field; false (after "Error Writing this File")
    // when it could not be written.
    bool writeField(const std::string& path);

    // ---- Survey entry and grid editing -----------------------------------
    // The cell editor closed on (col, row) with `text`.
    EditOutcome finishEdit(int col, int row, const std::string& text);
    void pressEnter();           // repeat LastValue into an empty cell, advance
    void pressHome();            // clear LastValue, go to column 1
    void pressOtherKey();        // any key but Enter clears LastValue
    void pressDelete();          // empty the current cell
    void leftClick(int col, int row);
    void rightClick(int col, int row);
    void cycleDirection();
    void leaveSurveyGrid();      // recalculates while AutoReCalc is off
    // Clipboard text of the selection; nothing below 2 stations.
    std::optional<std::string> copyCells(const Selection& sel);
    // Moves the selection's text to the clipboard text; nothing when refused.
    std::optional<std::string> cutCells(const Selection& sel);
    void pasteCells(const std::string& text, CellPos topLeft);
    void insertRow();
    void insertCol();
    void deleteRow();
    void deleteCol();
    Selection selectRow() const;
    Selection selectCol() const;
    Selection selectAll() const;
    std::string partialStationHint(int col, int row) const;
    int surveyColumnWidth() const;
    ProfileData profile(int col, int row) const;
    // The design tabs: "Entire Field", then "Sector1".."Sector<NumSectors>".
    int designTabCount() const { return 1 + field.NumSectors; }
    static std::string designTabCaption(int k);
    // Before another page is shown: false keeps the Survey page.
    bool pageChangeAllowed();
    void setAutoReCalc(bool on);
    void clearAllSectors();

    // ---- Design panel -----------------------------------------------------
    void enterDesignBox(DesignBox box, const std::string& text);
    // While typing in a slope box: a value above 20 beeps and gives back the
    // text to restore; nothing when the text may stay.
    std::optional<std::string> designBoxTyped(DesignBox box, const std::string& text);
    void leaveDesignBox(DesignBox box, const std::string& text);
    void setUseBestFitSlopes(bool on);
    void selectDesignTab(int k);
    // The Design Parameters page received the focus.
    void designParametersShown();
    void reCalc();  // the "ReCalc" button

    // ---- Field file commands ----------------------------------------------
    // New: "Save Data Before Closing?" over unsaved changes, as Open asks
    // it, then "Clear Current Field Data?".
    void newField();
    // The field as New leaves it, without asking: cleared, "Untitled", the
    // default ratio in the ratio box, "Use Best Fit Slopes" checked. The
    // main window starts with it.
    void clearForNewField();
    // Before Open or New replaces the field: unsaved changes of more than 4
    // stations are offered for saving ("Save Data Before Closing?",
    // Yes/No/Cancel). False when the command must stop.
    bool mayReplaceField();
    bool openCommand();
    bool openFieldCommand(const std::string& path);  // Open with a known name
    bool saveCommand();
    bool saveAsCommand();
    // The close questions; true when the window may close.
    bool closeCommand();
    // "Preferences..."; `store` keeps the settings file.
    void preferencesCommand(SettingsStore* store);
    bool writeSettingsTo(SettingsStore& store);

    // ---- Sectors, partial stations, forced elevations, blending ------------
    void setSectorSlope();           // add or edit a sector from the selection
    void viewSectorInfo();
    void deleteSector();             // the sector of the remembered cell
    void clearAllSectorsCommand();   // "Clear All Sectors..."
    void placeSectorPictures();
    std::string sectorHeading(int k, const Rect& r) const;
    void setPartialStation();
    void specifyFinalElevation();
    // The user left an edited cell of the Final Elevations grid.
    void finalElevationTyped(int col, int row, const std::string& text);
    // Moves the design of the remembered cell's record through v there.
    void forceElevation(double v);
    // A click on a "Blend" box: `colBox` is CheckBox_ColBlend ("Blend at
    // Row Breaks"), otherwise CheckBox_RowBlend.
    void clickBlendBox(bool colBox, bool checked);
    // A click on a slope stepper: the box's text steps by 0.005.
    void stepSlope(DesignBox box, bool up, const std::string& boxText);
    bool breakCheck() const;
    void updateBlendAvailability();
    SectorSlopeForm sectorForm;      // keeps its values between uses
    SetElevationForm elevationForm;  // keeps its value between uses

    // Designs one record and refreshes every view of the results.
    void designAndShow(int k);

private:
    friend class CommandScope;
    // The results shown were filled again (grids, captions, summary, panel).
    void resultsShown() { pending_.results = true; }
    // A field took the last one's place (New, Open): blank results, and
    // the command tells the views everything changed.
    void fieldReplaced();
    void recalculateIfAuto();
    bool writeTo(const std::string& path);
    void resetResults();  // blank captions, boxes and grids of a cleared field
    void blendedPass();
    bool wholeFieldPass();
    void sectorPass(bool wholeFieldDesigned);
    bool design(int k);
    void refreshOutputs();
    void refreshDesignSummary();
    void fillDesignParameters();
    // Runs a step; a spacing that is not a whole number is reported and
    // stops it.
    bool guarded(const std::function<void()>& step);

    Prompt* prompt_;
    std::vector<SessionListener*> listeners_;
    double rememberedBoxValue_ = 0;
    std::string saveAsFilter_ = "Yardbook Files (*.fld)|*.fld|All Files (*.*)|*.*";
    DesignView view_ = DesignView::FullField;
    bool sectorDesignEnabled_ = false;
    bool designed_ = false;
    // The command being run: how deep its scopes are, its outermost scope,
    // and what it marked changed.
    int commandDepth_ = 0;
    CommandScope* outermostScope_ = nullptr;
    Changes pending_;
};

// The session's preferences, header lines and laser set-up as settings,
// and back (at start-up, before any field is opened).
Settings currentSettings(const Session& session);
void applySettings(Session& session, const Settings& s);

}  // namespace tarnwick
