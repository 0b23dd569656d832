// Survey entry and grid editing: the cell editor's validation, the keys of
// the Survey grid, clipboard text, row and column moves, and the figures
// the Survey page shows beside the grid.

#include <algorithm>

#include "core/base/number_format.h"
#include "core/session/command_scope.h"
#include "core/session/session.h"
#include "core/base/text_file.h"

namespace tarnwick {
namespace {

bool isStationCell(int col, int row) {
    return col >= 1 && row >= 1 && col <= kMaxStationCols && row <= kMaxStationRows;
}

}  // namespace

const char* directionCaption(Direction d) {
    switch (d) {
        case Direction::LR: return "LR";
        case Direction::RL: return "RL";
        case Direction::UD: return "UD";
        case Direction::DU: return "DU";
    }
    return "LR";
}

EditOutcome Session::finishEdit(int col, int row, const std::string& text) {
    CommandScope scope(*this);
    if (!isStationCell(col, row)) return EditOutcome::Refused;
    const std::string typed = text.empty() ? LastValue : text;
    auto empty = [&](EditOutcome outcome) {
        field.Survey.setText(col, row, {});
        return outcome;
    };
    if (typed == "-") return empty(EditOutcome::Emptied);
    if (!parseNumber(typed)) return empty(EditOutcome::Refused);
    const double value = parseReading(typed);
    if (value > 999) return empty(EditOutcome::Refused);

    const std::string rewritten = formatFixed(value, 2);
    field.Survey.setText(col, row, rewritten);
    LastValue = rewritten;
    recalculateIfAuto();
    return EditOutcome::Accepted;
}

void Session::pressEnter() {
    CommandScope scope(*this);
    // An empty station takes the last reading again: walking a level part
    // of the field is one key per station. It counts as a typed reading.
    if (!field.Survey.holdsReading(current.col, current.row) && !LastValue.empty())
        finishEdit(current.col, current.row, LastValue);
    switch (direction) {
        case Direction::LR: ++current.col; break;
        case Direction::RL: --current.col; break;
        case Direction::UD: ++current.row; break;
        case Direction::DU: --current.row; break;
    }
    current.col = std::clamp(current.col, 1, kMaxStationCols);
    current.row = std::clamp(current.row, 1, kMaxStationRows);
}

void Session::pressHome() {
    CommandScope scope(*this);
    LastValue.clear();
    current.col = 1;
}

void Session::pressOtherKey() { LastValue.clear(); }

void Session::pressDelete() {
    CommandScope scope(*this);
    if (!field.Survey.holdsReading(current.col, current.row)) return;
    field.Survey.setText(current.col, current.row, {});
    recalculateIfAuto();
}

void Session::leftClick(int col, int row) {
    CommandScope scope(*this);
    LastValue.clear();
    current = {std::clamp(col, 1, kMaxStationCols), std::clamp(row, 1, kMaxStationRows)};
}

void Session::rightClick(int col, int row) {
    CommandScope scope(*this);
    remembered = {col, row};
}

void Session::cycleDirection() {
    CommandScope scope(*this);
    switch (direction) {
        case Direction::LR: direction = Direction::RL; break;
        case Direction::RL: direction = Direction::UD; break;
        case Direction::UD: direction = Direction::DU; break;
        case Direction::DU: direction = Direction::LR; break;
    }
}

void Session::leaveSurveyGrid() {
    CommandScope scope(*this);
    if (!autoReCalc) recalculate();
}

void Session::recalculateIfAuto() {
    if (autoReCalc) recalculate();
}

std::optional<std::string> Session::copyCells(const Selection& sel) {
    if (field.NumStations < 2) return std::nullopt;
    std::string out;
    for (int r = sel.firstRow; r <= sel.lastRow; ++r) {
        if (r > sel.firstRow) out += '\n';
        for (int c = sel.firstCol; c <= sel.lastCol; ++c) {
            if (c > sel.firstCol) out += '\t';
            if (field.Survey.inside(c, r)) out += field.Survey.text(c, r);
        }
    }
    return out;
}

std::optional<std::string> Session::cutCells(const Selection& sel) {
    CommandScope scope(*this);
    if (field.NumStations < 2) return std::nullopt;
    if (field.NumSectors > 0) {
        if (!prompt_->confirm("This Action will also Delete All Sectors. OK?")) return std::nullopt;
        clearAllSectors();
    }
    std::string text = *copyCells(sel);
    for (int r = std::max(sel.firstRow, 1); r <= std::min(sel.lastRow, kMaxStationRows); ++r)
        for (int c = std::max(sel.firstCol, 1); c <= std::min(sel.lastCol, kMaxStationCols); ++c)
            field.Survey.setText(c, r, {});
    recalculate();
    return text;
}

void Session::pasteCells(const std::string& text, CellPos topLeft) {
    CommandScope scope(*this);
    std::vector<std::string> lines = splitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        int row = topLeft.row + static_cast<int>(i);
        if (row > kMaxStationRows) break;
        const std::string& line = lines[i];
        size_t start = 0;
        for (int col = topLeft.col;; ++col) {
            size_t tab = line.find('\t', start);
            if (isStationCell(col, row)) field.Survey.setText(col, row, line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
    }
    // Every reading of the field is rewritten with two decimals before the
    // design sees it, so the design uses what the cells show.
    fieldScan(field);
    for (int r = 1; r <= field.NumRows; ++r)
        for (int c = 1; c <= field.NumCols; ++c)
            if (field.Survey.holdsReading(c, r))
                field.Survey.setText(c, r, formatFixed(parseReading(field.Survey.text(c, r)), 2));
    recalculate();
}

namespace {

bool rowHoldsText(const SurveyGrid& g, int row) {
    for (int c = 1; c < g.colCount(); ++c)
        if (g.holdsReading(c, row)) return true;
    return false;
}

bool colHoldsText(const SurveyGrid& g, int col) {
    for (int r = 1; r < g.rowCount(); ++r)
        if (g.holdsReading(col, r)) return true;
    return false;
}

}  // namespace

void Session::insertRow() {
    CommandScope scope(*this);
    if (field.NumStations < 2) return;
    if (rowHoldsText(field.Survey, kMaxStationRows)) {
        prompt_->error("Row " + std::to_string(kMaxStationRows) +
                       " holds readings: there is no room to insert a row.");
        return;
    }
    field.Survey.insertRow(current.row);
    recalculate();
}

void Session::insertCol() {
    CommandScope scope(*this);
    if (field.NumStations < 2) return;
    if (colHoldsText(field.Survey, kMaxStationCols)) {
        prompt_->error("Column " + columnLetters(kMaxStationCols) +
                       " holds readings: there is no room to insert a column.");
        return;
    }
    field.Survey.insertCol(current.col);
    recalculate();
}

void Session::deleteRow() {
    CommandScope scope(*this);
    if (field.NumStations < 2) return;
    field.Survey.deleteRow(current.row);
    recalculate();
}

void Session::deleteCol() {
    CommandScope scope(*this);
    if (field.NumStations < 2) return;
    field.Survey.deleteCol(current.col);
    recalculate();
}

Selection Session::selectRow() const { return {1, current.row, std::max(field.NumCols, 1), current.row}; }
Selection Session::selectCol() const { return {current.col, 1, current.col, std::max(field.NumRows, 1)}; }
Selection Session::selectAll() const { return {1, 1, std::max(field.NumCols, 1), std::max(field.NumRows, 1)}; }

std::string Session::partialStationHint(int col, int row) const {
    if (col < 1 || row < 1 || col > field.NumCols || row > field.NumRows) return {};
    double w = field.weight(col, row);
    if (w == 1) return {};
    return "Partial: " + formatShortest(w);
}

int Session::surveyColumnWidth() const {
    if (field.NumSectors == 0) return 40;
    if (field.MaxReading > 100) return 55;
    if (field.MaxReading > 10) return 50;
    return 45;
}

int profileTickInterval(int xMax) {
    const int span = std::max(xMax, 2);
    for (int step : {1, 2, 5, 10, 20, 25, 50})
        if (span / step <= 13) return step;  // span / step multiples of step lie in 1..span
    return 100;
}

ProfileData Session::profile(int col, int row) const {
    ProfileData p;
    p.row.title = "Row";
    p.col.title = "Col";
    const Field& f = field;
    if (f.NumStations > 2) p.readingRange = std::pair(f.MinReading - 1, f.MaxReading + 1);
    if (f.NumStations <= 3) return p;
    p.shown = true;
    p.xMax = std::max(f.NumRows, f.NumCols);
    p.tickInterval = profileTickInterval(static_cast<int>(p.xMax));
    const SurveyGrid& g = f.Survey;
    const bool outside = col < 1 || row < 1 || col > f.NumCols || row > f.NumRows;
    // A station without a reading, or a line of the averages without one,
    // is a gap.
    auto add = [](ProfileSeries& s, int at, std::optional<double> y, bool& gap) {
        if (!y) {
            gap = true;
            return;
        }
        if (gap) s.lines.emplace_back();
        s.lines.back().emplace_back(at, *y);
        gap = false;
    };
    auto average = [](const std::vector<double>& v, int i, bool holds) -> std::optional<double> {
        if (!holds || i < 0 || static_cast<size_t>(i) >= v.size()) return std::nullopt;
        return v[static_cast<size_t>(i)];
    };
    auto reading = [&g](int c, int r) -> std::optional<double> {
        if (!g.holdsReading(c, r)) return std::nullopt;
        return parseReading(g.text(c, r));
    };
    auto columnHolds = [&](int c) {
        for (int r = 1; r <= f.NumRows; ++r)
            if (g.holdsReading(c, r)) return true;
        return false;
    };
    auto rowHolds = [&](int r) {
        for (int c = 1; c <= f.NumCols; ++c)
            if (g.holdsReading(c, r)) return true;
        return false;
    };
    bool gap = true;
    p.row.title = outside ? "Row Average" : "Row " + std::to_string(row);
    for (int c = 1; c <= f.NumCols; ++c)
        add(p.row, c, outside ? average(f.ColAverages, c, columnHolds(c)) : reading(c, row), gap);
    gap = true;
    p.col.title = outside ? "Col Average" : "Col " + columnLetters(col);
    for (int r = 1; r <= f.NumRows; ++r)
        add(p.col, r, outside ? average(f.RowAverages, r, rowHolds(r)) : reading(col, r), gap);
    return p;
}

bool Session::pageChangeAllowed() {
    CommandScope scope(*this);
    fieldScan(field);
    return field.NumStations > 1;
}

void Session::setAutoReCalc(bool on) {
    CommandScope scope(*this);
    autoReCalc = on;
}

void Session::clearAllSectors() {
    CommandScope scope(*this);
    Field& f = field;
    for (int k = 1; k <= f.NumSectors; ++k) {
        const TDesignRecord& rec = f.DesignRecords[static_cast<size_t>(k)];
        if (f.Survey.picture(rec.FirstCol, rec.FirstRow) == kPictureFirstSector + k - 1)
            f.Survey.setPicture(rec.FirstCol, rec.FirstRow, 0);
    }
    f.NumSectors = 0;
    f.blend = BlendState{};
    designTab = 0;
}

}  // namespace tarnwick
