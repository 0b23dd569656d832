// tarnwick-cli: the design engine without a window, for batch work.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/render3d.h"
#include "core/field/conversion.h"
#include "core/session/design_report.h"
#include "core/session/design_tools.h"
#include "core/session/field_tools.h"
#include "core/base/number_format.h"
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

// Runs `print` and checks standard output after it, what is still buffered
// included: a full disk or a closed pipe is an error (status 1), not a
// success (status 0).
int printed(const std::function<bool()>& print) {
    errno = 0;
    if (print() && std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    const int error = errno;
    std::cerr << "tarnwick-cli: error: cannot write to standard output"
              << (error ? ": " + std::generic_category().message(error) : std::string()) << "\n";
    return 1;
}

bool printText(const std::string& text) { return std::fwrite(text.data(), 1, text.size(), stdout) == text.size(); }

// "-o" with an empty name would write nowhere.
int emptyOutputName() {
    std::cerr << "tarnwick-cli: error: -o needs a file name\n";
    return 2;
}

int usage() {
    std::cerr << "usage: tarnwick-cli design FIELD [--best-fit] [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli minimize FIELD [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli ratio-check FIELD --cells A1:C3 [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli convert FIELD --hi VALUE [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli adjust FIELD [--row-slope RS] [--col-slope CS] [--ref A1] [--json] [-o OUT.fld]\n"
                 "       tarnwick-cli force FIELD --station C5 --value 101.20 [--sector-view] [--best-fit] [--json]"
                 " [-o OUT.fld]\n"
              << "       " << kRender3dUsage;
    return 2;
}

// The design's JSON object on standard output, written as it is made.
bool printJson(const Session& s, const std::function<void(JsonWriter&)>& more = {}) {
    JsonWriter w([](std::string_view piece) { return std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size(); });
    writeDesignJson(w, s, more);
    return w.flush();
}

int design(const std::vector<std::string>& args) {
    std::string path;
    std::optional<std::string> out;
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
    if (out && out->empty()) return emptyOutputName();

    ConsolePrompt prompt;
    Session s(prompt);
    if (!s.openField(path) || prompt.errors > 0) return 2;
    // The field designed with its best-fit slopes, as ticking the box after
    // Open does.
    if (bestFit) s.setUseBestFitSlopes(true);
    if (out && !s.writeField(*out)) return 1;
    return printed([&] { return json ? printJson(s) : printText(designSummaryText(s)); });
}

using Options = std::map<std::string, std::string>;

// What a tool command adds to the design's output.
struct ToolOutput {
    std::function<void(JsonWriter&)> json;  // writes its member: "name": value
    std::string text;                       // lines after the design summary
};

// The command had nothing to work on.
ToolOutput nothingDone(const std::string& name, const std::string& text) {
    return {[name](JsonWriter& w) { w.key(name).null(); }, text};
}
using ToolRun = std::function<std::optional<ToolOutput>(Session&, ConsolePrompt&, const Options&)>;

// FIELD, --json and -o OUT.fld as `design` takes them, the command's own
// options (each with a value), then: open the field, run the command, write
// OUT.fld, print the design and the command's results. A run that gives
// nothing back had a bad option value; one that reported an error printed
// its reason on standard error.
int toolCommand(const std::vector<std::string>& args, const std::vector<std::string>& own, const ToolRun& run,
                const std::vector<std::string>& flags = {}) {
    std::string path;
    std::optional<std::string> out;
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
    if (out && out->empty()) return emptyOutputName();

    ConsolePrompt prompt;
    Session s(prompt);
    if (!s.openField(path) || prompt.errors > 0) return 2;
    if (options.count("--best-fit")) s.setUseBestFitSlopes(true);
    std::optional<ToolOutput> result = run(s, prompt, options);
    if (!result) return usage();
    if (prompt.errors > 0) return 1;
    if (out && !s.writeField(*out)) return 1;
    return printed([&] {
        return json ? printJson(s, result->json) : printText(designSummaryText(s) + "\n" + result->text);
    });
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
        o.json = [r](JsonWriter& w) {
            w.key("minimize").beginObject();
            w.key("row_slope").number(r->rowSlope);
            w.key("col_slope").number(r->colSlope);
            w.key("least_cut").number(r->leastCut);
            w.endObject();
        };
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
        out.json = [r](JsonWriter& w) {
            w.key("ratio_check").beginObject();
            w.key("full_ratio").number(r->fullHasFill ? std::optional(r->fullRatio) : std::nullopt);
            w.key("sector_ratio").number(r->sectorHasFill ? std::optional(r->sectorRatio) : std::nullopt);
            w.key("full_change").number(r->fullChange);
            w.key("sector_change").number(r->sectorChange);
            w.key("warning").boolean(r->warning);
            w.key("selected_stations").integer(r->selectedStations);
            w.endObject();
        };
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
// A failure has been reported as an error. `value` writes the member's
// value.
std::optional<ToolOutput> rewritten(RewriteOutcome outcome, const std::string& name,
                                    const std::function<void(JsonWriter&)>& value, const std::string& text) {
    if (outcome == RewriteOutcome::NotRun) return nothingDone(name, "Fewer than 2 stations: nothing rewritten.\n");
    return ToolOutput{[name, value](JsonWriter& w) { value(w.key(name)); }, text};
}

int convert(const std::vector<std::string>& args) {
    return toolCommand(args, {"--hi"}, [](Session& s, ConsolePrompt& prompt, const Options& o) {
        if (!o.count("--hi")) return std::optional<ToolOutput>();
        prompt.benchMark = numberOption(o, "--hi", 0);
        if (!prompt.benchMark) return std::optional<ToolOutput>();
        RewriteOutcome outcome = convertDataType(s);
        const std::string type = dataTypeCaption(s.field.prefs.RodReadings);
        const double hi = *prompt.benchMark;
        return rewritten(
            outcome, "convert",
            [hi, type](JsonWriter& w) {
                w.beginObject().key("hi").number(hi).key("data_type").string(type).endObject();
            },
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
                [row = *rs, col = *cs, ref](JsonWriter& w) {
                    w.beginObject().key("row_slope").number(row).key("col_slope").number(col);
                    w.key("ref_col").integer(ref ? ref->col : 0).key("ref_row").integer(ref ? ref->row : 0).endObject();
                },
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
                {}, "Forced " + stationName(at->col, at->row) + " to " + s.results.finalElevationText(at->col, at->row) +
                        (s.view() == DesignView::Sector ? " (sector design).\n" : " (full field design).\n")});
        },
        {"--sector-view", "--best-fit"});
}

}  // namespace

int run(int argc, char** argv) {
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
    if (command == "render3d") return runRender3d(argv + 1);
    return usage();
}

// Nothing escapes: whatever goes wrong, a message and status 1.
int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("tarnwick-cli: error: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::cerr << "tarnwick-cli: error: " << e.what() << "\n";
    } catch (...) {
        std::fputs("tarnwick-cli: error: unexpected failure\n", stderr);
    }
    return 1;
}
