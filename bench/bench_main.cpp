// Benchmarks on full 130 x 130 fields: the recalculation a typed reading
// sets off, opening and saving a field file, the design tools, the JSON
// report and the 3D view.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string_view>
#include <vector>

#include "core/base/json_writer.h"
#include "core/design/kernel.h"
#include "core/base/number_format.h"
#include "core/session/design_report.h"
#include "core/session/design_tools.h"
#include "core/session/prompt.h"
#include "core/session/session.h"
#include "core/session/surface_source.h"
#include "core/view3d/projection.h"

namespace {

using namespace tarnwick;

// A rolling 130 x 130 field with a few empty and partial stations and seven
// sectors in bands across it.
void makeField(Session& s, int sectors) {
    Field& f = s.field;
    for (int r = 1; r <= 130; ++r)
        for (int c = 1; c <= 130; ++c) {
            if ((c * 7 + r * 3) % 97 == 0) continue;
            double v = 100.0 + 0.8 * std::sin(c * 0.05) + 0.6 * std::cos(r * 0.07) + 0.004 * c - 0.003 * r +
                       0.05 * std::sin(c * 1.3 + r * 0.7);
            f.Survey.setText(c, r, formatFixed(v, 2));
        }
    fieldScan(f);
    for (int k = 0; k < 40; ++k) f.FieldData[static_cast<size_t>(1 + (k * 37) % 130)][static_cast<size_t>(1 + (k * 53) % 130)].Weight = 0.5;
    f.NumSectors = sectors;
    const int band = 130 / 7;
    for (int k = 1; k <= sectors; ++k) {
        int first = (k - 1) * band + 1;
        int last = k == 7 ? 130 : k * band;
        f.DesignRecords[static_cast<size_t>(k)] = {1, first, 130, last, 0.05 * k, -0.02 * k, 1.1 + 0.05 * k, k == 3 ? 200.0 : 0.0};
    }
    s.recalculate();
}

void BM_Recalculate7Sectors(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 7);
    for (auto _ : state) {
        s.recalculate();
        benchmark::DoNotOptimize(s.summary.cut);
    }
}
BENCHMARK(BM_Recalculate7Sectors)->Unit(benchmark::kMillisecond);

// The sector pass with the seven stacked sectors blended at their breaks.
void BM_BlendedSectorPass7(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 7);
    s.field.blend.rowChecked = true;
    for (auto _ : state) {
        s.recalculateSectors();
        benchmark::DoNotOptimize(s.summary.cut);
    }
}
BENCHMARK(BM_BlendedSectorPass7)->Unit(benchmark::kMillisecond);

std::string benchFile() {
    static std::string path = [] {
        SilentPrompt prompt;
        Session s(prompt);
        makeField(s, 7);
        std::string p = (std::filesystem::temp_directory_path() / "tarnwick-bench-130x130.fld").string();
        s.writeField(p);
        return p;
    }();
    return path;
}

void BM_OpenFieldFile(benchmark::State& state) {
    const std::string path = benchFile();
    SilentPrompt prompt;
    Session s(prompt);
    for (auto _ : state) {
        s.openField(path);
        benchmark::DoNotOptimize(s.summary.cut);
    }
}
BENCHMARK(BM_OpenFieldFile)->Unit(benchmark::kMillisecond);

void BM_SaveFieldFile(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    s.openField(benchFile());
    const std::string out = (std::filesystem::temp_directory_path() / "tarnwick-bench-save.fld").string();
    for (auto _ : state) benchmark::DoNotOptimize(s.writeField(out));
    std::filesystem::remove(out);
}
BENCHMARK(BM_SaveFieldFile)->Unit(benchmark::kMillisecond);

// "Minimize Yardage": best fit, up to 401 trial designs, the design of the
// found slopes. Each run starts again from the best fit.
void minimizeAgainAndAgain(benchmark::State& state, Session& s) {
    int trials = 0;
    for (auto _ : state) {
        auto r = minimizeYardage(s);
        trials = r ? r->trials : 0;
        benchmark::DoNotOptimize(s.field.DesignRecords[0].TotalCut);
    }
    state.counters["trials"] = trials;
}

void BM_MinimizeYardage(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 0);
    minimizeAgainAndAgain(state, s);
}
BENCHMARK(BM_MinimizeYardage)->Unit(benchmark::kMillisecond);

// A field surveyed on every other column, tilted across the rows: its
// best-fit row slope (each row regressed over its readings only) is twice
// the true one, so the search walks some fifty steps.
void BM_MinimizeYardageLongWalk(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    Field& f = s.field;
    for (int r = 1; r <= 130; ++r)
        for (int c = 1; c <= 130; c += 2)
            f.Survey.setText(c, r, formatFixed(100.0 + 0.3 * c - 0.2 * r + 0.05 * std::sin(c * 1.3 + r * 0.7), 2));
    s.recalculate();
    minimizeAgainAndAgain(state, s);
}
BENCHMARK(BM_MinimizeYardageLongWalk)->Unit(benchmark::kMillisecond);

// The search's bound: 401 trial designs of the 130 x 130 field.
void BM_TrialDesigns401(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 0);
    for (auto _ : state) {
        TrialDesigner trial(s.field);
        double sum = 0;
        for (int i = 0; i < 401; ++i) sum += *trial.cut(0.001 * (i % 21) - 0.01, 0.001 * (i / 21) - 0.01);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TrialDesigns401)->Unit(benchmark::kMillisecond);

// "Check Cut/Fill Ratio" over a block of 40 x 40 graded stations of a field
// with seven sectors: two recalculations.
void BM_RatioCheck(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 7);
    std::vector<CellPos> cells;
    for (int r = 11; r <= 50; ++r)
        for (int c = 21; c <= 60; ++c) cells.push_back({c, r});
    for (auto _ : state) {
        auto r = checkCutFillRatio(s, cells);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_RatioCheck)->Unit(benchmark::kMillisecond);

// The 3D view while the user drags it: the surface as the last refresh
// left it, turned a little further each frame and laid out again as the
// drawing list for a 1000 x 700 picture.
void BM_SurfaceDrawingList(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 7);
    Surface3D surface;
    surface.choose(SurfaceChoice::FullDesign);
    refreshSurface(s, surface);
    double z = 310;
    for (auto _ : state) {
        surface.afterMouseAction(70, z += 1, 1.0);
        SurfaceDrawing d = SurfaceProjection(surface, 1000, 700).drawing();
        benchmark::DoNotOptimize(d.cells.data());
    }
    state.counters["cells"] = surface.cellsDrawn();
}
BENCHMARK(BM_SurfaceDrawingList)->Unit(benchmark::kMillisecond);

// Refresh 3D view after a design: the matrix, ranges and drawn cells.
void BM_SurfaceRefresh(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 7);
    Surface3D surface;
    for (auto _ : state) benchmark::DoNotOptimize(refreshSurface(s, surface));
}
BENCHMARK(BM_SurfaceRefresh)->Unit(benchmark::kMillisecond);

// The JSON report of the field as `tarnwick-cli design --json` prints it
// (about 3 MB), and the writer alone on the numbers and keys such a report
// is made of.
void BM_DesignJson130x130With7Sectors(benchmark::State& state) {
    SilentPrompt prompt;
    Session s(prompt);
    makeField(s, 7);
    size_t bytes = 0;
    for (auto _ : state) {
        std::string text = designJson(s);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_DesignJson130x130With7Sectors)->Unit(benchmark::kMillisecond);

// The writer alone: 16900 station objects of eight members with numbers
// like a design's, into one buffer and streamed in pieces to a sink.
void writeStations(benchmark::State& state, bool streamed) {
    std::vector<double> values(16900 * 4);
    for (size_t i = 0; i < values.size(); ++i) values[i] = 100.0 + 0.0137 * (i % 311) + 0.123456789 * std::sin(i);
    size_t bytes = 0;
    for (auto _ : state) {
        size_t streamedBytes = 0;
        JsonWriter w = streamed ? JsonWriter([&](std::string_view piece) {
            streamedBytes += piece.size();
            return true;
        })
                                : JsonWriter();
        if (!streamed) w.reserve(3 << 20);
        w.beginArray(JsonWriter::Layout::Lines);
        for (int i = 0; i < 16900; ++i) {
            const double* v = &values[static_cast<size_t>(i) * 4];
            w.beginObject();
            w.key("col").integer(1 + i % 130).key("row").integer(1 + i / 130);
            w.key("oe").number(v[0]).key("weight").number(1.0);
            w.key("full_ne").number(v[1]).key("full_cf").number(v[1] - v[0]);
            w.key("sec_ne").number(v[2]).key("sec_cf").number(v[3] - v[0]);
            w.endObject();
        }
        w.endArray();
        benchmark::DoNotOptimize(w.text().data());
        w.flush();
        bytes = streamed ? streamedBytes : w.text().size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_JsonWriterStations(benchmark::State& state) { writeStations(state, false); }
BENCHMARK(BM_JsonWriterStations)->Unit(benchmark::kMillisecond);

void BM_JsonWriterStationsStreamed(benchmark::State& state) { writeStations(state, true); }
BENCHMARK(BM_JsonWriterStationsStreamed)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
