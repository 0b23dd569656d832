// tarnwick-cli: the design engine without a window, for batch work.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/field/conversion.h"
#include "core/session/design_report.h"
#include "core/design/minimize.h"
#include "core/base/number_format.h"
#include "core/design/ratio_check.h"
#include "core/session/session.h"

namespace {

using namespace tarnwick;

// Messages go to standard error; nobody is there to answer questions.
class ConsolePrompt : public Prompt {
public:
    void error(const std::string& text) override { say("error", text); }
    void warning(const std::string& text) override { say("warning", text); }
    void information(const std::string& text) override { say("info", text); }
    bool confirm(const std::string& text) override {
        say("question", text + " (answered No)");
        return false;
    }
    Answer confirmOrCancel(const std::string& text) override {
        say("question", text + " (answered Cancel)");
        return Answer::Cancel;
    }
    void beep() override {}
    // The dialogs are answered from the command line.
    bool showConvertData(ConvertDataForm& form) override {
        if (!benchMark) return false;
        form.benchMark = *benchMark;
        return true;
    }
    bool showLaserAdjustment(LaserAdjustmentForm& form) override {
        if (!laser) return false;
        form = *laser;
        return true;
    }
    int errors = 0;
    std::optional<double> benchMark;
    std::optional<LaserAdjustmentForm> laser;

private:
    void say(const char* kind, const std::string& text) {
        if (std::strcmp(kind, "error") == 0) ++errors;
        std::cerr << "tarnwick-cli: " << kind << ": " << text << "\n";
    }
};

int usage() {
    std::cerr << "usage: tarnwick-cli design FIELD [--best-fit] [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli minimize FIELD [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli ratio-check FIELD --cells A1:C3 [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli convert FIELD --hi VALUE [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli adjust FIELD [--row-slope RS] [--col-slope CS] [--ref A1] [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli force FIELD --station C5 --value 101.20 [--sector-view] [--best-fit] [--json]"
                 " [-o OUT.fld]\n";
    return 2;
}

int design(const std::vector<std::string>& args) {
    std::string path, out;
    bool bestFit = false, json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--best-fit") bestFit = true;
        else if (a == "--json") json = true;
        else if (a == "-o" && i + 1 < args.size()) out = args[++i];
        else if (!a.empty() && a[0] == '-') return usage();
        else if (path.empty()) path = a;
        else return usage();
    }
    if (path.empty()) return usage();

    ConsolePrompt prompt;
    Session s(prompt);
    if (!s.openField(path) || prompt.errors > 0) return 2;
    // The field designed with its best-fit slopes, as ticking the box after
    // Open does.
    if (bestFit) s.setUseBestFitSlopes(true);
    if (!out.empty()) {
        if (!s.writeField(out)) return 1;
    }
    std::string text = json ? designJson(s) : designSummaryText(s);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

using Options = std::map<std::string, std::string>;

// What a tool command adds to the design's output.
struct ToolOutput {
    std::string jsonMember;  // "name": value
    std::string text;        // lines after the design summary
};

// The command had nothing to work on.
ToolOutput nothingDone(const std::string& name, const std::string& text) {
    return {jsonString(name) + ": null", text};
}
using ToolRun = std::function<std::optional<ToolOutput>(Session&, ConsolePrompt&, const Options&)>;

// FIELD, --json and -o OUT.fld as `design` takes them, the command's own
// options (each with a value), then: open the field, run the command, write
// OUT.fld, print the design and the command's results. A run that gives
// nothing back had a bad option value; one that reported an error printed
// its reason on standard error.
int toolCommand(const std::vector<std::string>& args, const std::vector<std::string>& own, const ToolRun& run,
                const std::vector<std::string>& flags = {}) {
    std::string path, out;
    bool json = false;
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json")
            json = true;
        else if (std::find(flags.begin(), flags.end(), a) != flags.end())
            options[a] = "";
        else if (a == "-o" && i + 1 < args.size())
            out = args[++i];
        else if (std::find(own.begin(), own.end(), a) != own.end() && i + 1 < args.size())
            options[a] = args[++i];
        else if (!a.empty() && a[0] == '-')
            return usage();
        else if (path.empty())
            path = a;
        else
            return usage();
    }
    if (path.empty()) return usage();

    ConsolePrompt prompt;
    Session s(prompt);
    if (!s.openField(path) || prompt.errors > 0) return 2;
    if (options.count("--best-fit")) s.setUseBestFitSlopes(true);
    std::optional<ToolOutput> result = run(s, prompt, options);
    if (!result) return usage();
    if (prompt.errors > 0) return 1;
    if (!out.empty()) {
        if (!s.writeField(out)) return 1;
    }
    std::string members = designJsonMembers(s);
    if (!result->jsonMember.empty()) members += ",\n  " + result->jsonMember;
    std::string text = json ? "{\n" + members + "\n}\n" : designSummaryText(s) + "\n" + result->text;
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

std::optional<double> numberOption(const Options& o, const std::string& name, double fallback) {
    auto it = o.find(name);
    if (it == o.end()) return fallback;
    return parseNumber(it->second);
}

int minimize(const std::vector<std::string>& args) {
    return toolCommand(args, {}, [](Session& s, ConsolePrompt&, const Options&) {
        std::optional<SlopeSearchResult> r = minimizeYardage(s);
        if (!r) return std::optional(nothingDone("minimize", "Minimize yardage: too few stations, nothing changed.\n"));
        ToolOutput o;
        o.jsonMember = "\"minimize\": {\"row_slope\": " + jsonNumber(r->rowSlope) +
                       ", \"col_slope\": " + jsonNumber(r->colSlope) + ", \"least_cut\": " + (r->leastCut ? jsonNumber(*r->leastCut) : "null") +
                       "}";
        o.text = "Minimize yardage: row slope " + formatFixed(r->rowSlope, 3) + ", column slope " +
                 formatFixed(r->colSlope, 3) + ", least cut " +
                 (r->leastCut ? formatFixed(*r->leastCut, 0) + " " + unitCaptions(s.field.prefs.feet).bestFitVolume
                              : std::string("-")) +
                 "\n";
        return std::optional(o);
    });
}

// "A1:C3" (or one station): every Yardbook cell of the rectangle, kept on
// the grid.
std::optional<std::vector<CellPos>> cellsOption(const Session& s, const std::string& text) {
    const size_t colon = text.find(':');
    auto first = parseReferenceStation(text.substr(0, colon));
    auto last = colon == std::string::npos ? first : parseReferenceStation(text.substr(colon + 1));
    if (!first || !last) return std::nullopt;
    const int maxCol = s.results.yardbookColCount() - 1, maxRow = s.results.yardbookRowCount() - 1;
    const int c0 = std::min(std::min(first->col, last->col), maxCol);
    const int c1 = std::min(std::max(first->col, last->col), maxCol);
    const int r0 = std::min(std::min(first->row, last->row), maxRow);
    const int r1 = std::min(std::max(first->row, last->row), maxRow);
    std::vector<CellPos> cells;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) cells.push_back({c, r});
    return cells;
}

int ratioCheck(const std::vector<std::string>& args) {
    return toolCommand(args, {"--cells"}, [](Session& s, ConsolePrompt&, const Options& o) {
        auto it = o.find("--cells");
        if (it == o.end()) return std::optional<ToolOutput>();
        auto cells = cellsOption(s, it->second);
        if (!cells) return std::optional<ToolOutput>();
        std::optional<RatioCheckResult> r = checkCutFillRatio(s, *cells);
        if (!r)
            return std::optional(
                nothingDone("ratio_check", "Check Cut/Fill Ratio: fewer than 2 cells selected, nothing checked.\n"));
        ToolOutput out;
        out.jsonMember = "\"ratio_check\": {\"full_ratio\": " + (r->fullHasFill ? jsonNumber(r->fullRatio) : "null") +
                         ", \"sector_ratio\": " + (r->sectorHasFill ? jsonNumber(r->sectorRatio) : "null") +
                         ", \"full_change\": " + jsonNumber(r->fullChange) +
                         ", \"sector_change\": " + jsonNumber(r->sectorChange) +
                         ", \"warning\": " + (r->warning ? "true" : "false") +
                         ", \"selected_stations\": " + std::to_string(r->selectedStations) + "}";
        const RatioCheckForm f = ratioCheckForm(*r);
        out.text = "Check Cut/Fill Ratio (" + std::to_string(r->selectedStations) + " stations selected):\n";
        out.text += "  " + f.fullCaption + " " + f.fullRatio + "\n    " + f.fullDirection + " " + f.fullChange + "\n";
        if (f.sectorLineShown)
            out.text += "  " + f.sectorCaption + " " + f.sectorRatio + "\n    " + f.sectorDirection + " " +
                        f.sectorChange + "\n";
        if (r->warning) out.text += std::string("  ") + kOver75Text + "\n";
        return std::optional(out);
    });
}

// The outcome of a rewrite of the readings; below 2 stations nothing runs.
// A failure has been reported as an error.
std::optional<ToolOutput> rewritten(RewriteOutcome outcome, const std::string& name, const std::string& value,
                                    const std::string& text) {
    if (outcome == RewriteOutcome::NotRun) return nothingDone(name, "Fewer than 2 stations: nothing rewritten.\n");
    return ToolOutput{jsonString(name) + ": " + value, text};
}

int convert(const std::vector<std::string>& args) {
    return toolCommand(args, {"--hi"}, [](Session& s, ConsolePrompt& prompt, const Options& o) {
        if (!o.count("--hi")) return std::optional<ToolOutput>();
        prompt.benchMark = numberOption(o, "--hi", 0);
        if (!prompt.benchMark) return std::optional<ToolOutput>();
        RewriteOutcome outcome = convertDataType(s);
        const std::string type = dataTypeCaption(s.field.prefs.RodReadings);
        return rewritten(
            outcome, "convert",
            "{\"hi\": " + jsonNumber(*prompt.benchMark) + ", \"data_type\": " + jsonString(type) + "}",
            "Converted about H.I. " + formatFixed(*prompt.benchMark, 2) + ": the readings are " + type + ".\n");
    });
}

int adjust(const std::vector<std::string>& args) {
    return toolCommand(
        args, {"--row-slope", "--col-slope", "--ref"}, [](Session& s, ConsolePrompt& prompt, const Options& o) {
            auto rs = numberOption(o, "--row-slope", 0), cs = numberOption(o, "--col-slope", 0);
            if (!rs || !cs) return std::optional<ToolOutput>();
            LaserAdjustmentForm form;
            form.rowSlope = *rs;
            form.colSlope = *cs;
            if (auto it = o.find("--ref"); it != o.end()) form.referenceStation = it->second;
            prompt.laser = form;
            RewriteOutcome outcome = adjustLaserSurvey(s);
            auto ref = parseReferenceStation(form.referenceStation);
            return rewritten(
                outcome, "adjust",
                "{\"row_slope\": " + jsonNumber(*rs) + ", \"col_slope\": " + jsonNumber(*cs) + ", \"ref_col\": " +
                    std::to_string(ref ? ref->col : 0) + ", \"ref_row\": " + std::to_string(ref ? ref->row : 0) + "}",
                "Laser survey adjustment: row slope " + formatFixed(*rs, 2) + ", column slope " + formatFixed(*cs, 2) +
                    ", reference " + (ref ? stationName(ref->col, ref->row) : "-") + ".\n");
        });
}

// Typing a value into the Final Elevations grid at a station.
int force(const std::vector<std::string>& args) {
    return toolCommand(
        args, {"--station", "--value"},
        [](Session& s, ConsolePrompt&, const Options& o) {
            auto station = o.find("--station"), value = o.find("--value");
            if (station == o.end() || value == o.end()) return std::optional<ToolOutput>();
            auto at = parseReferenceStation(station->second);
            if (!at || at->col > kMaxStationCols || at->row > kMaxStationRows) return std::optional<ToolOutput>();
            if (o.count("--sector-view")) s.setView(DesignView::Sector);
            s.finalElevationTyped(at->col, at->row, value->second);
            return std::optional(ToolOutput{
                "", "Forced " + stationName(at->col, at->row) + " to " + s.results.finalElevationText(at->col, at->row) +
                        (s.view() == DesignView::Sector ? " (sector design).\n" : " (full field design).\n")});
        },
        {"--sector-view", "--best-fit"});
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    if (args[0] == "--help" || args[0] == "-h") {
        usage();
        return 0;
    }
    std::string command = args[0];
    args.erase(args.begin());
    if (command == "design") return design(args);
    if (command == "minimize") return minimize(args);
    if (command == "ratio-check") return ratioCheck(args);
    if (command == "convert") return convert(args);
    if (command == "adjust") return adjust(args);
    if (command == "force") return force(args);
    return usage();
}
