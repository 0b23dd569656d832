// Opens FIELD as `design` does, refreshes the 3D surface of the chosen view
// and paints it into a file with the desktop program's painter, on the
// offscreen platform: no display is needed.

#include "cli/render3d.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QSvgGenerator>
#include <cstdio>
#include <iostream>
#include <optional>

#include "core/base/json_writer.h"
#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/session/session.h"
#include "core/session/surface_source.h"
#include "gui/view3d/surface_painter.h"

namespace tarnwick {

namespace {

constexpr int kMaxSide = 8000;

// Errors go to standard error; nobody is there to answer questions.
class RenderPrompt : public SilentPrompt {
public:
    void error(const std::string& text) override {
        ++errors;
        std::cerr << "tarnwick-cli: error: " << text << "\n";
    }
    void warning(const std::string& text) override { std::cerr << "tarnwick-cli: warning: " << text << "\n"; }
    int errors = 0;
};

int usage() {
    std::cerr << "usage: " << kRender3dUsage;
    return 2;
}

// "A<sep>B" as two numbers.
std::optional<std::pair<double, double>> pairOption(const std::string& text, char sep) {
    const size_t at = text.find(sep);
    if (at == std::string::npos) return std::nullopt;
    auto a = parseNumber(text.substr(0, at)), b = parseNumber(text.substr(at + 1));
    if (!a || !b) return std::nullopt;
    return std::pair{*a, *b};
}

void range(JsonWriter& w, const char* name, AxisRange r) {
    w.key(name).beginArray().number(r.lo).number(r.hi).endArray();
}

std::string surfaceJson(const Surface3D& s) {
    JsonWriter w;
    w.beginObject(JsonWriter::Layout::Lines);
    w.key("view").string(surfaceChoiceCaption(s.choice()));
    w.key("cols").integer(s.cols());
    w.key("rows").integer(s.rows());
    w.key("cells_drawn").integer(s.cellsDrawn());
    range(w, "x_axis", s.xAxis());
    range(w, "y_axis", s.yAxis());
    range(w, "z_axis", s.zAxis());
    range(w, "color_scale", s.colorScale());
    w.key("y_scale").number(s.scaleY());
    w.key("max_reading").number(s.MaxReading());
    w.key("min_reading").number(s.MinReading());
    w.endObject();
    return w.take() + "\n";
}

}  // namespace

int render3dCommand(const std::vector<std::string>& args) {
    std::string path, png, svg;
    std::optional<SurfaceChoice> choice;
    std::pair<double, double> angles{70, 310};  // as Open leaves them
    int width = 1000, height = 700;
    bool json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--json") {
            json = true;
        } else if (a == "--view" && hasValue) {
            const std::string& v = args[++i];
            if (v == "survey")
                choice = SurfaceChoice::SurveyReadings;
            else if (v == "full")
                choice = SurfaceChoice::FullDesign;
            else if (v == "sector")
                choice = SurfaceChoice::SectorDesign;
            else
                return usage();
        } else if (a == "--angles" && hasValue) {
            auto p = pairOption(args[++i], ',');
            if (!p) return usage();
            angles = *p;
        } else if (a == "--size" && hasValue) {
            auto p = pairOption(args[++i], 'x');
            if (!p || !(p->first >= 1 && p->first <= kMaxSide && p->second >= 1 && p->second <= kMaxSide))
                return usage();
            width = static_cast<int>(p->first);
            height = static_cast<int>(p->second);
        } else if (a == "--png" && hasValue) {
            png = args[++i];
        } else if (a == "--svg" && hasValue) {
            svg = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return usage();
        } else if (path.empty()) {
            path = a;
        } else {
            return usage();
        }
    }
    if (path.empty() || !choice || png.empty() == svg.empty()) return usage();

    RenderPrompt prompt;
    Session session(prompt);
    if (!session.openField(path) || prompt.errors > 0) return 2;
    Surface3D surface;
    surface.choose(*choice);
    if (!refreshSurface(session, surface)) {
        std::cerr << "tarnwick-cli: error: the field holds no stations to draw\n";
        return 1;
    }
    surface.afterMouseAction(angles.first, angles.second, 1.0);

    // The painter needs fonts, and so an application; never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tarnwick-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QSize size(width, height);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    bool painted = false;
    if (!png.empty()) {
        QImage image(size, QImage::Format_RGB32);
        painted = renderSurface(image, surface, size) && image.save(&bytes, "PNG");
    } else {
        QSvgGenerator generator;
        generator.setOutputDevice(&bytes);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(QString::fromUtf8(surfaceChoiceCaption(surface.choice())));
        painted = renderSurface(generator, surface, size);
    }
    const std::string out = png.empty() ? svg : png;
    const WriteResult written = painted ? writeFileAtomically(out, bytes.data().toStdString()) : WriteResult{false, {}};
    if (!written) {
        std::cerr << "tarnwick-cli: error: cannot write " << out
                  << (written.reason.empty() ? std::string() : ": " + written.reason) << "\n";
        return 1;
    }
    if (json) {
        // Standard output checked: a full disk is an error, not a success.
        const std::string text = surfaceJson(surface);
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
            std::cerr << "tarnwick-cli: error: cannot write to standard output\n";
            return 1;
        }
    }
    return 0;
}

}  // namespace tarnwick
