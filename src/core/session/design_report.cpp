#include "core/session/design_report.h"

#include <algorithm>
#include <cstdio>

#include "core/base/number_format.h"

namespace tarnwick {

namespace {

// The members of the design, into the open object of `w`.
void writeDesignMembers(JsonWriter& w, const Session& s) {
    const Field& f = s.field;
    w.key("num_cols").integer(f.NumCols);
    w.key("num_rows").integer(f.NumRows);
    w.key("num_stations").integer(f.NumStations);
    w.key("num_sectors").integer(f.NumSectors);

    const FieldInfo& info = s.info;
    auto bestFit = [&](double BestFit::*figure) {
        return info.bestFit ? std::optional<double>((*info.bestFit).*figure) : std::nullopt;
    };
    w.key("best_fit").beginObject();
    w.key("row_slope").number(bestFit(&BestFit::RowSlope));
    w.key("col_slope").number(bestFit(&BestFit::ColSlope));
    w.key("average").number(bestFit(&BestFit::average));
    w.key("yardage").number(info.yardage);
    w.endObject();

    w.key("records").beginArray(JsonWriter::Layout::Lines);
    for (int k = 0; k <= f.NumSectors; ++k) {
        const TDesignRecord& r = f.DesignRecords[static_cast<size_t>(k)];
        w.beginObject();
        w.key("first_col").integer(r.FirstCol);
        w.key("first_row").integer(r.FirstRow);
        w.key("last_col").integer(r.LastCol);
        w.key("last_row").integer(r.LastRow);
        w.key("row_slope").number(r.RowSlope);
        w.key("col_slope").number(r.ColSlope);
        w.key("cut_fill_ratio").number(r.CutFillRatio);
        w.key("import_export").number(r.ImportExport);
        w.key("total_cut").number(r.TotalCut);
        w.key("total_fill").number(r.TotalFill);
        w.key("avg_elevation").number(r.AvgElevation);
        w.key("area").number(r.Area);
        w.endObject();
    }
    w.endArray();

    const DesignSummary& sum = s.summary;
    w.key("summary").beginObject();
    w.key("total_cut").number(sum.cut);
    w.key("total_fill").number(sum.fill);
    w.key("import_export").number(sum.importExport);
    w.key("ratio").number(sum.ratio);
    w.endObject();

    w.key("stations").beginArray(JsonWriter::Layout::Lines);
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c) {
            if (!f.Survey.holdsReading(c, r)) continue;
            const TFieldData* st = f.station(c, r);
            if (!st) continue;
            w.beginObject();
            w.key("col").integer(c);
            w.key("row").integer(r);
            w.key("oe").number(st->oe);
            w.key("weight").number(st->Weight);
            w.key("full_ne").number(st->FullNE);
            w.key("full_cf").number(st->FullCF);
            w.key("sec_ne").number(st->SecNE);
            w.key("sec_cf").number(st->SecCF);
            w.endObject();
        }
    w.endArray();

    const YardbookTotals& t = s.results.totals();
    auto totals = [&w](const char* name, const std::vector<double>& v) {
        w.key(name).beginArray();
        for (size_t i = 1; i < v.size(); ++i) w.number(v[i]);  // index 0 holds no column or row
        w.endArray();
    };
    w.key("yardbook").beginObject();
    w.key("view").string(s.results.view() == DesignView::FullField ? "full" : "sector");
    totals("col_cut", t.colCut);
    totals("col_fill", t.colFill);
    totals("row_cut", t.rowCut);
    totals("row_fill", t.rowFill);
    w.key("grand_cut").number(t.grandCut);
    w.key("grand_fill").number(t.grandFill);
    w.endObject();
}

}  // namespace

void writeDesignJson(JsonWriter& w, const Session& s, const std::function<void(JsonWriter&)>& more) {
    w.beginObject(JsonWriter::Layout::Lines);
    writeDesignMembers(w, s);
    if (more) more(w);
    w.endObject();
    w.raw("\n");
}

std::string designJson(const Session& s, const std::function<void(JsonWriter&)>& more) {
    JsonWriter w;
    // About 200 bytes a station: one allocation for the largest field.
    w.reserve(4096 + 200 * static_cast<size_t>(std::max(s.field.NumStations, 0)));
    writeDesignJson(w, s, more);
    return w.take();
}

std::string designSummaryText(const Session& s) {
    const Field& f = s.field;
    const UnitCaptions u = unitCaptions(f.prefs.feet);
    std::string out;
    auto line = [&out](const std::string& text) { out += text + "\n"; };
    line("Field:            " + (s.FFileName.empty() ? std::string("Untitled") : s.FFileName));
    line(std::string("Data type:        ") + (f.prefs.RodReadings ? "Rod Readings" : "Elevations"));
    line("Stations:         " + std::to_string(f.NumStations) + " (" + std::to_string(f.NumCols) + " columns x " +
         std::to_string(f.NumRows) + " rows, " + f.prefs.stationSizeLabel() + " " + u.length + ")");
    line("Area:             " + s.info.NumAcr + " " + u.area);
    line("Average:          " + s.info.avgEl + " " + u.length);
    line("Best fit slopes:  column " + s.info.CSBest + ", row " + s.info.RSBest);
    line("Best fit yardage: " + (s.info.yardage ? s.info.BFYards + " " + u.bestFitVolume : std::string("-")));
    line("");
    char buf[256];
    std::snprintf(buf, sizeof buf, "%-13s %-9s %9s %9s %7s %9s %11s %11s", "Design", "Span", "Col slope",
                  "Row slope", "Ratio", "Imp/Exp", "Cut", "Fill");
    line(buf);
    for (int k = 0; k <= f.NumSectors; ++k) {
        const TDesignRecord& r = f.DesignRecords[static_cast<size_t>(k)];
        std::string name = k == 0 ? "Entire Field" : "Sector" + std::to_string(k);
        std::string span = stationName(r.FirstCol, r.FirstRow) + ":" + stationName(r.LastCol, r.LastRow);
        std::snprintf(buf, sizeof buf, "%-13s %-9s %9s %9s %7s %9s %11s %11s", name.c_str(), span.c_str(),
                      formatFixed(r.ColSlope, 3).c_str(), formatFixed(r.RowSlope, 3).c_str(),
                      formatFixed(r.CutFillRatio, 2).c_str(), formatFixed(r.ImportExport, 0).c_str(),
                      formatFixed(r.TotalCut, 0).c_str(), formatFixed(r.TotalFill, 0).c_str());
        line(buf);
    }
    line("");
    const DesignSummary& sum = s.summary;
    line(std::string("Design summary") + (f.NumSectors > 0 ? " (sum of all sectors)" : "") + ":");
    line("  Total cut:      " + sum.totalCut + " " + u.volume);
    line("  Total fill:     " + sum.totalFill + " " + u.volume);
    line("  Import/Export:  " + sum.importExportText + " " + u.volume);
    line("  C/F ratio:      " + sum.ratioText);
    if (f.blend.on() && f.NumSectors > 0)
        line(std::string("Sectors blended at ") + (f.blend.colChecked ? "row" : "column") + " breaks.");
    return out;
}

}  // namespace tarnwick
