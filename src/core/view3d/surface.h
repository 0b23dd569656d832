#pragma once
// The 3D View page's surface: which of the three surfaces it shows (the
// survey readings, the whole-field design or the sector design), the matrix
// of plotted heights, the axis ranges and colour scale of the last refresh,
// the view angles and magnification the user turned it to, and the two
// labels of the page. Everything here is plain data and rules; the drawing
// list and the hit test are in projection.h.

#include <optional>
#include <string>
#include <vector>

#include "core/field/field.h"

namespace tarnwick {

// The page's three radio buttons.
enum class SurfaceChoice { SurveyReadings, FullDesign, SectorDesign };

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kLightBlue{128, 128, 255};
inline constexpr Rgb kLightGreen{128, 255, 128};
inline constexpr Rgb kLightRed{255, 128, 128};
inline constexpr Rgb kMaroon{128, 0, 0};

// An axis from `lo` at its start to `hi` at its end; the z axis of rod
// readings runs downwards (lo > hi).
struct AxisRange {
    double lo = 0, hi = 1;
    bool operator==(const AxisRange&) const = default;
};

// What a refresh reads: the field as the last scan and design left it, and
// the station spacings as whole numbers.
struct SurfaceInput {
    const Field* field = nullptr;
    int colSpacing = 100;
    int rowSpacing = 100;
};

inline constexpr double kMinMagnification = 0.4;
inline constexpr double kScaleZ = 0.3;

class Surface3D {
public:
    // Rebuilds the matrix, ranges and colours from the chosen surface. With
    // no stations nothing changes (the page keeps its old picture) and the
    // answer is false.
    bool refresh(const SurfaceInput& in);

    SurfaceChoice choice() const { return choice_; }
    // A click on one of the radio buttons (the caller refreshes).
    void choose(SurfaceChoice c) { choice_ = c; }
    // "Sector Design" is offered only while sectors exist.
    bool sectorChoiceVisible() const { return sectorChoiceVisible_; }

    // Clear field and Open turn the view back to 70 about X, 310 about Z.
    void resetAngles();
    // The user rotated or zoomed: angles in degrees (kept in 0..360), and the
    // magnification the mouse asked for, which stops at 0.4.
    void afterMouseAction(double angleX, double angleZ, double magnification);
    // The mouse moved over the station (col, row) of the plot, or off it.
    void mouseOver(std::optional<std::pair<int, int>> station);

    double angleX() const { return angleX_; }
    double angleZ() const { return angleZ_; }
    double magnification() const { return magnification_; }
    void setMagnification(double m) { magnification_ = m; }

    const std::string& angleLabel() const { return angleLabel_; }      // Label33
    const std::string& stationLabel() const { return stationLabel_; }  // Label28

    // The last refresh: NumCols x NumRows heights, indexed from 1.
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    double height(int col, int row) const { return matrix_[index(col, row)]; }
    // The before-drawing rule: a mesh cell (between points col, col + 1 and
    // rows row, row + 1) is drawn only when its four corners and the station
    // two steps on hold readings.
    bool cellDrawn(int col, int row) const {
        return col >= 1 && row >= 1 && col < cols_ && row < rows_ && drawn_[index(col, row)] != 0;
    }
    int cellsDrawn() const;

    double MaxReading() const { return maxReading_; }
    double MinReading() const { return minReading_; }
    AxisRange xAxis() const { return x_; }
    AxisRange yAxis() const { return y_; }
    AxisRange zAxis() const { return z_; }  // in the direction it is drawn
    AxisRange colorScale() const { return color_; }
    double scaleX() const { return 1.0; }
    double scaleY() const { return scaleY_; }
    double scaleZ() const { return kScaleZ; }
    // Low, middle and high colours of the scale.
    Rgb lowColor() const { return low_; }
    Rgb middleColor() const { return middle_; }
    Rgb highColor() const { return high_; }
    // The colour of a height on the scale: low to middle to high, linearly.
    Rgb colorOf(double height) const;

private:
    size_t index(int col, int row) const {
        return static_cast<size_t>(row - 1) * static_cast<size_t>(cols_) + static_cast<size_t>(col - 1);
    }

    SurfaceChoice choice_ = SurfaceChoice::SurveyReadings;
    bool sectorChoiceVisible_ = false;
    // The control's own start; the window's first Clear field turns it to
    // the cleared angles at once.
    double angleX_ = 65, angleZ_ = 350, magnification_ = 1.0;
    std::string angleLabel_ = "angle ";
    std::string stationLabel_ = "Station: ";

    int cols_ = 0, rows_ = 0;
    std::vector<double> matrix_;
    std::vector<unsigned char> drawn_;
    double maxReading_ = -999, minReading_ = 999;
    AxisRange x_, y_, z_, color_;
    double scaleY_ = 1.0;
    Rgb low_ = kLightBlue, middle_ = kLightGreen, high_ = kLightRed;
};

// The caption of a choice as the radio buttons show it.
const char* surfaceChoiceCaption(SurfaceChoice c);

}  // namespace tarnwick
