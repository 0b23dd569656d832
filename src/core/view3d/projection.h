#pragma once
// The surface seen from the view angles: every matrix point projected onto
// a picture of width x height pixels, the drawing list a painter works
// through in order (back of the frame, the coloured mesh cells farthest
// first, front of the frame, axes, ticks and labels), and the hit test that
// finds the station under a point of the picture.
//
// The surface lives in a box centred on the origin, 1.0 wide across the
// columns, NumRows / NumCols deep down the rows and 0.3 high. It is turned
// about the vertical (Z) axis, then tilted about the picture's horizontal
// (X) axis: 0 about X looks straight down, 90 looks at it from the side.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/view3d/surface.h"

namespace tarnwick {

struct ScreenPoint {
    double x = 0, y = 0;  // pixels, y down
};

struct SurfaceLine {
    ScreenPoint a, b;
};

// One mesh cell: corners (c, r), (c + 1, r), (c + 1, r + 1), (c, r + 1).
struct SurfaceCell {
    std::array<ScreenPoint, 4> corners;
    Rgb fill;
    int col = 0, row = 0;
};

enum class LabelAlign { Start, Centre, End };

// A text placed at a point: Start puts the point at the text's left (or
// top) edge, End at its right (or bottom) edge.
struct SurfaceLabel {
    ScreenPoint at;
    std::string text;
    LabelAlign horizontal = LabelAlign::Centre;
    LabelAlign vertical = LabelAlign::Centre;
    bool caption = false;  // "X", "Y", "Z"
};

struct SurfaceDrawing {
    int width = 0, height = 0;
    Rgb background{255, 255, 255};
    Rgb frameColor{0, 0, 0};
    Rgb meshColor = kMaroon;
    // How strongly the mesh covers the colours, 0..1: it fades where the
    // cells are only a few pixels wide, so the heights stay readable.
    double meshOpacity = 1.0;
    std::vector<SurfaceLine> backFrame;   // edges behind the surface
    std::vector<SurfaceCell> cells;       // painter's order: farthest first
    std::vector<SurfaceLine> frontFrame;  // edges in front of it
    std::vector<SurfaceLine> axes;        // axis lines and their ticks
    std::vector<SurfaceLabel> labels;     // tick labels and captions
};

// Tick values of an axis from lo to hi (either order), at a step of 1, 2 or
// 5 times a power of ten, as coarse as still gives at least `minCount`.
std::vector<double> axisTicks(double lo, double hi, int minCount);

class SurfaceProjection {
public:
    SurfaceProjection(const Surface3D& surface, int width, int height);

    // A point of the box (see above) on the picture; `depth` grows towards
    // the viewer.
    ScreenPoint project(double bx, double by, double bz, double* depth = nullptr) const;
    // The matrix point of a station.
    ScreenPoint station(int col, int row) const { return points_[index(col, row)]; }

    SurfaceDrawing drawing() const;

    // The station of the mesh cell under (x, y) that lies nearest to it;
    // nothing off the surface.
    std::optional<std::pair<int, int>> stationAt(double x, double y) const;

private:
    size_t index(int col, int row) const {
        return static_cast<size_t>(row - 1) * static_cast<size_t>(cols_) + static_cast<size_t>(col - 1);
    }
    void addFrame(SurfaceDrawing& d) const;
    void addAxes(SurfaceDrawing& d) const;

    const Surface3D& s_;
    int width_, height_;
    int cols_, rows_;
    double sx_, sy_, sz_;
    double cosZ_, sinZ_, cosX_, sinX_;
    double scale_;
    double centreX_, centreY_;
    std::vector<ScreenPoint> points_;
    std::vector<double> depths_;
};

}  // namespace tarnwick
