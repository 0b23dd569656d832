#include "core/view3d/projection.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/base/number_format.h"

namespace tarnwick {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Room for the labels around the box: the Z labels stand to the left.
constexpr int kMarginX = 80, kMarginY = 60;

// Distances of the captions from their axes, in pixels.
constexpr double kCaptionDistanceX = 40, kCaptionDistanceY = 40, kCaptionDistanceZ = 20;
constexpr double kTickLength = 6, kTickLabelDistance = 10;
constexpr double kLabelCharWidth = 7;  // about one digit of the labels' font

// Position 0..1 of v on an axis, for either direction of the axis.
double along(const AxisRange& a, double v) {
    return a.hi == a.lo ? 0.5 : (v - a.lo) / (a.hi - a.lo);
}

ScreenPoint unit(double x, double y, ScreenPoint fallback) {
    const double n = std::hypot(x, y);
    return n < 1e-6 ? fallback : ScreenPoint{x / n, y / n};
}

LabelAlign alignFor(double d) {
    return d > 0.3 ? LabelAlign::Start : d < -0.3 ? LabelAlign::End : LabelAlign::Centre;
}

bool inside(const std::array<ScreenPoint, 4>& q, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = 3; i < 4; j = i++) {
        const ScreenPoint& a = q[i];
        const ScreenPoint& b = q[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

}  // namespace

std::vector<double> axisTicks(double lo, double hi, int minCount) {
    if (lo > hi) std::swap(lo, hi);
    const double span = hi - lo;
    if (!(span > 0) || !std::isfinite(span)) return {lo};
    // From the power of ten above the span down through 5, 2 and 1 times
    // each power, the first step that gives enough ticks.
    double power = std::pow(10.0, std::ceil(std::log10(span)));
    for (int i = 0; i < 60; ++i) {
        const double step = power * (i % 3 == 0 ? 1.0 : i % 3 == 1 ? 0.5 : 0.2);
        if (i % 3 == 2) power /= 10;
        const double first = std::ceil(lo / step - 1e-9) * step;
        const int count = static_cast<int>(std::floor((hi - first) / step + 1e-9)) + 1;
        if (count >= minCount) {
            std::vector<double> ticks;
            for (int k = 0; k < count; ++k) {
                double v = first + k * step;
                if (std::fabs(v) < step * 1e-9) v = 0;
                ticks.push_back(v);
            }
            return ticks;
        }
    }
    return {lo, hi};
}

SurfaceProjection::SurfaceProjection(const Surface3D& surface, int width, int height)
    : s_(surface), width_(width), height_(height), cols_(surface.cols()), rows_(surface.rows()) {
    sx_ = surface.scaleX();
    sy_ = surface.scaleY();
    sz_ = surface.scaleZ();
    const double z = surface.angleZ() * kPi / 180, x = surface.angleX() * kPi / 180;
    cosZ_ = std::cos(z);
    sinZ_ = std::sin(z);
    cosX_ = std::cos(x);
    sinX_ = std::sin(x);
    // The box keeps its size while it turns about Z: across the picture it
    // never spans more than its diagonal in plan, up the picture never more
    // than that diagonal and its height seen at the tilt.
    const double plan = std::hypot(sx_, sy_);
    const double tall = plan * std::fabs(cosX_) + sz_ * std::fabs(sinX_);
    const double fit = std::min((width - 2 * kMarginX) / plan, (height - 2 * kMarginY) / tall);
    scale_ = std::max(fit, 1.0) * surface.magnification();
    centreX_ = std::trunc(width / 2.0);
    centreY_ = std::trunc(height / 2.0);

    points_.resize(static_cast<size_t>(cols_) * static_cast<size_t>(rows_));
    depths_.resize(points_.size());
    const AxisRange zAxis = surface.zAxis();
    const double stepX = cols_ > 1 ? sx_ / (cols_ - 1) : 0, stepY = rows_ > 1 ? sy_ / (rows_ - 1) : 0;
    for (int r = 1; r <= rows_; ++r)
        for (int c = 1; c <= cols_; ++c) {
            const size_t i = index(c, r);
            const double bx = cols_ > 1 ? -sx_ / 2 + (c - 1) * stepX : 0;
            const double by = rows_ > 1 ? -sy_ / 2 + (r - 1) * stepY : 0;
            const double bz = (along(zAxis, surface.height(c, r)) - 0.5) * sz_;
            points_[i] = project(bx, by, bz, &depths_[i]);
        }
}

ScreenPoint SurfaceProjection::project(double bx, double by, double bz, double* depth) const {
    const double x1 = bx * cosZ_ - by * sinZ_;
    const double y1 = bx * sinZ_ + by * cosZ_;
    const double up = y1 * cosX_ + bz * sinX_;
    if (depth) *depth = -y1 * sinX_ + bz * cosX_;
    return {centreX_ + scale_ * x1, centreY_ - scale_ * up};
}

SurfaceDrawing SurfaceProjection::drawing() const {
    SurfaceDrawing d;
    d.width = width_;
    d.height = height_;

    struct Entry {
        double depth;
        int col, row;
    };
    std::vector<Entry> order;
    order.reserve(points_.size());
    for (int r = 1; r < rows_; ++r)
        for (int c = 1; c < cols_; ++c)
            if (s_.cellDrawn(c, r)) {
                const double depth = depths_[index(c, r)] + depths_[index(c + 1, r)] + depths_[index(c, r + 1)] +
                                     depths_[index(c + 1, r + 1)];
                order.push_back({depth, c, r});
            }
    std::stable_sort(order.begin(), order.end(), [](const Entry& a, const Entry& b) { return a.depth < b.depth; });
    // A cell's size on the picture: its width in plan, shortened by the tilt.
    const double cellPixels = scale_ * std::sqrt(std::fabs(cosX_)) *
                              std::min(cols_ > 1 ? sx_ / (cols_ - 1) : sx_, rows_ > 1 ? sy_ / (rows_ - 1) : sy_);
    d.meshOpacity = std::clamp((cellPixels - 2) / 10, 0.15, 1.0);
    d.cells.reserve(order.size());
    for (const Entry& e : order) {
        const int c = e.col, r = e.row;
        const double average =
            (s_.height(c, r) + s_.height(c + 1, r) + s_.height(c + 1, r + 1) + s_.height(c, r + 1)) / 4;
        d.cells.push_back(
            {{station(c, r), station(c + 1, r), station(c + 1, r + 1), station(c, r + 1)}, s_.colorOf(average), c, r});
    }
    addFrame(d);
    addAxes(d);
    return d;
}

void SurfaceProjection::addFrame(SurfaceDrawing& d) const {
    const double hx = sx_ / 2, hy = sy_ / 2, hz = sz_ / 2;
    auto edge = [&](double ax, double ay, double az, double bx, double by, double bz) {
        double da = 0, db = 0;
        SurfaceLine line{project(ax, ay, az, &da), project(bx, by, bz, &db)};
        (da + db > 1e-9 ? d.frontFrame : d.backFrame).push_back(line);
    };
    for (double y : {-hy, hy})
        for (double z : {-hz, hz}) edge(-hx, y, z, hx, y, z);
    for (double x : {-hx, hx})
        for (double z : {-hz, hz}) edge(x, -hy, z, x, hy, z);
    for (double x : {-hx, hx})
        for (double y : {-hy, hy}) edge(x, y, -hz, x, y, hz);
}

void SurfaceProjection::addAxes(SurfaceDrawing& d) const {
    const double hx = sx_ / 2, hy = sy_ / 2, hz = sz_ / 2;
    auto depthOf = [&](double x, double y, double z) {
        double depth = 0;
        project(x, y, z, &depth);
        return depth;
    };
    auto outward = [&](ScreenPoint from, ScreenPoint to, ScreenPoint fallback) {
        return unit(to.x - from.x, to.y - from.y, fallback);
    };
    // One axis along the box edge from `a` to `b` (box points), its ticks
    // and labels pointing `out`, its caption `distance` beyond the edge.
    auto axis = [&](std::array<double, 3> a, std::array<double, 3> b, const AxisRange& range, int minTicks,
                    int decimals, ScreenPoint out, const char* caption, double distance) {
        const ScreenPoint pa = project(a[0], a[1], a[2]), pb = project(b[0], b[1], b[2]);
        d.axes.push_back({pa, pb});
        const LabelAlign h = alignFor(out.x), v = alignFor(out.y);
        size_t longest = 0;
        for (double tick : axisTicks(range.lo, range.hi, minTicks)) {
            const double t = along(range, tick);
            const ScreenPoint p{pa.x + (pb.x - pa.x) * t, pa.y + (pb.y - pa.y) * t};
            d.axes.push_back({p, {p.x + kTickLength * out.x, p.y + kTickLength * out.y}});
            d.labels.push_back({{p.x + kTickLabelDistance * out.x, p.y + kTickLabelDistance * out.y},
                                formatFixed(tick, decimals),
                                h,
                                v,
                                false});
            longest = std::max(longest, d.labels.back().text.size());
        }
        // Where the labels stand beside the axis, the caption clears them.
        distance += std::fabs(out.x) * kLabelCharWidth * static_cast<double>(longest);
        const ScreenPoint mid{(pa.x + pb.x) / 2, (pa.y + pb.y) / 2};
        d.labels.push_back({{mid.x + distance * out.x, mid.y + distance * out.y}, caption, h, v, true});
    };

    // X and Y run along the bottom edges nearer to the viewer.
    const double ey = depthOf(0, hy, -hz) >= depthOf(0, -hy, -hz) ? hy : -hy;
    const double ex = depthOf(hx, 0, -hz) >= depthOf(-hx, 0, -hz) ? hx : -hx;
    const ScreenPoint bottom = project(0, 0, -hz);
    const ScreenPoint down{0, 1};
    axis({-hx, ey, -hz}, {hx, ey, -hz}, s_.xAxis(), 3, 0, outward(bottom, project(0, ey, -hz), down), "X",
         kCaptionDistanceX);
    axis({ex, -hy, -hz}, {ex, hy, -hz}, s_.yAxis(), 3, 0, outward(bottom, project(ex, 0, -hz), down), "Y",
         kCaptionDistanceY);
    // Z stands at the corner furthest left in the picture, labels to its left.
    double cx = -hx, cy = -hy, left = project(cx, cy, -hz).x;
    for (double x : {-hx, hx})
        for (double y : {-hy, hy})
            if (double px = project(x, y, -hz).x; px < left - 1e-9) {
                left = px;
                cx = x;
                cy = y;
            }
    axis({cx, cy, -hz}, {cx, cy, hz}, s_.zAxis(), 4, 2, {-1, 0}, "Z", 0);
    // The Z caption sits above the top of its axis rather than beside the
    // labels.
    SurfaceLabel& z = d.labels.back();
    const ScreenPoint top = project(cx, cy, hz);
    z.at = {top.x, top.y - kCaptionDistanceZ};
    z.horizontal = LabelAlign::Centre;
    z.vertical = LabelAlign::End;
}

std::optional<std::pair<int, int>> SurfaceProjection::stationAt(double x, double y) const {
    std::optional<std::pair<int, int>> best;
    double bestDepth = 0;
    std::array<ScreenPoint, 4> q;
    for (int r = 1; r < rows_; ++r)
        for (int c = 1; c < cols_; ++c) {
            q = {station(c, r), station(c + 1, r), station(c + 1, r + 1), station(c, r + 1)};
            const auto [minX, maxX] = std::minmax({q[0].x, q[1].x, q[2].x, q[3].x});
            const auto [minY, maxY] = std::minmax({q[0].y, q[1].y, q[2].y, q[3].y});
            if (x < minX || x > maxX || y < minY || y > maxY || !inside(q, x, y)) continue;
            const double depth = depths_[index(c, r)] + depths_[index(c + 1, r)] + depths_[index(c, r + 1)] +
                                 depths_[index(c + 1, r + 1)];
            if (best && depth <= bestDepth) continue;
            // The corner of the cell nearest to the point names the station.
            const std::array<std::pair<int, int>, 4> corner{{{c, r}, {c + 1, r}, {c + 1, r + 1}, {c, r + 1}}};
            size_t nearest = 0;
            double dist = 0;
            for (size_t i = 0; i < 4; ++i) {
                const double di = std::hypot(q[i].x - x, q[i].y - y);
                if (i == 0 || di < dist) {
                    dist = di;
                    nearest = i;
                }
            }
            best = corner[nearest];
            bestDepth = depth;
        }
    return best;
}

}  // namespace tarnwick
