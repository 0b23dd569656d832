#include "core/session/design_report.h"

#include <cmath>
#include <cstdio>

#include "core/base/number_format.h"

namespace tarnwick {

std::string jsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    return formatShortest(v);
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (char ch : s) {
        unsigned char c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

namespace {

std::string numberArray(const std::vector<double>& v) {
    std::string out = "[";
    for (size_t i = 1; i < v.size(); ++i) {
        if (i > 1) out += ", ";
        out += jsonNumber(v[i]);
    }
    return out + "]";
}

}  // namespace

std::string designJsonMembers(const Session& s) {
    const Field& f = s.field;
    std::string o;
    auto member = [&o](const std::string& key, const std::string& value) {
        if (!o.empty()) o += ",\n";
        o += "  " + jsonString(key) + ": " + value;
    };
    member("num_cols", std::to_string(f.NumCols));
    member("num_rows", std::to_string(f.NumRows));
    member("num_stations", std::to_string(f.NumStations));
    member("num_sectors", std::to_string(f.NumSectors));

    const FieldInfo& info = s.info;
    auto bestFit = [&info](double BestFit::*figure) {
        return info.bestFit ? jsonNumber((*info.bestFit).*figure) : std::string("null");
    };
    member("best_fit", "{\"row_slope\": " + bestFit(&BestFit::RowSlope) +
                           ", \"col_slope\": " + bestFit(&BestFit::ColSlope) +
                           ", \"average\": " + bestFit(&BestFit::average) +
                           ", \"yardage\": " + (info.yardage ? jsonNumber(*info.yardage) : "null") + "}");

    std::string records = "[";
    for (int k = 0; k <= f.NumSectors; ++k) {
        const TDesignRecord& r = f.DesignRecords[static_cast<size_t>(k)];
        if (k > 0) records += ",";
        records += "\n    {\"first_col\": " + std::to_string(r.FirstCol) +
                   ", \"first_row\": " + std::to_string(r.FirstRow) +
                   ", \"last_col\": " + std::to_string(r.LastCol) + ", \"last_row\": " + std::to_string(r.LastRow) +
                   ", \"row_slope\": " + jsonNumber(r.RowSlope) + ", \"col_slope\": " + jsonNumber(r.ColSlope) +
                   ", \"cut_fill_ratio\": " + jsonNumber(r.CutFillRatio) +
                   ", \"import_export\": " + jsonNumber(r.ImportExport) +
                   ", \"total_cut\": " + jsonNumber(r.TotalCut) + ", \"total_fill\": " + jsonNumber(r.TotalFill) +
                   ", \"avg_elevation\": " + jsonNumber(r.AvgElevation) + ", \"area\": " + jsonNumber(r.Area) + "}";
    }
    member("records", records + "\n  ]");

    const DesignSummary& sum = s.summary;
    member("summary", "{\"total_cut\": " + jsonNumber(sum.cut) + ", \"total_fill\": " + jsonNumber(sum.fill) +
                          ", \"import_export\": " + jsonNumber(sum.importExport) +
                          ", \"ratio\": " + (sum.ratio ? jsonNumber(*sum.ratio) : "null") + "}");

    std::string stations = "[";
    bool first = true;
    for (int r = 1; r <= f.NumRows; ++r)
        for (int c = 1; c <= f.NumCols; ++c) {
            if (!f.Survey.holdsReading(c, r)) continue;
            const TFieldData* st = f.station(c, r);
            if (!st) continue;
            stations += first ? "\n    " : ",\n    ";
            first = false;
            stations += "{\"col\": " + std::to_string(c) + ", \"row\": " + std::to_string(r) +
                        ", \"oe\": " + jsonNumber(st->oe) + ", \"weight\": " + jsonNumber(st->Weight) +
                        ", \"full_ne\": " + jsonNumber(st->FullNE) + ", \"full_cf\": " + jsonNumber(st->FullCF) +
                        ", \"sec_ne\": " + jsonNumber(st->SecNE) + ", \"sec_cf\": " + jsonNumber(st->SecCF) + "}";
        }
    member("stations", stations + "\n  ]");

    const YardbookTotals& t = s.results.totals();
    member("yardbook", std::string("{\"view\": ") +
                           (s.results.view() == DesignView::FullField ? "\"full\"" : "\"sector\"") +
                           ", \"col_cut\": " + numberArray(t.colCut) + ", \"col_fill\": " + numberArray(t.colFill) +
                           ", \"row_cut\": " + numberArray(t.rowCut) + ", \"row_fill\": " + numberArray(t.rowFill) +
                           ", \"grand_cut\": " + jsonNumber(t.grandCut) +
                           ", \"grand_fill\": " + jsonNumber(t.grandFill) + "}");
    return o;
}

std::string designJson(const Session& s) { return "{\n" + designJsonMembers(s) + "\n}\n"; }

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
