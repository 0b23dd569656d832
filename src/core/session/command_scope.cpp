#include "core/session/command_scope.h"

#include <exception>

#include "core/session/session.h"

namespace tarnwick {
namespace {

Rect rectOf(const Selection& s) { return {s.firstCol, s.firstRow, s.lastCol, s.lastRow}; }

// The stations whose weight differs between two lists of partial stations:
// the rectangle around every station either list names.
std::optional<Rect> weightsRect(const std::vector<std::tuple<int, int, double>>& a,
                                const std::vector<std::tuple<int, int, double>>& b) {
    if (a == b) return std::nullopt;
    Rect r{1, 1, 0, 0};
    for (const auto* list : {&a, &b})
        for (const auto& [col, row, w] : *list) r = r.unitedWith({col, row, col, row});
    return r;
}

}  // namespace

bool CommandScope::Stored::operator==(const Stored&) const = default;

CommandScope::Stored CommandScope::storedOf(const Session& s) {
    const Field& f = s.field;
    Stored st;
    st.surveyRevision = f.Survey.textRevision();
    st.prefs = f.prefs;
    st.fieldName = f.fieldName;
    st.customerName = f.customerName;
    st.colBlend = f.blend.colChecked;
    st.rowBlend = f.blend.rowChecked;
    st.numSectors = f.NumSectors;
    // The average elevation is written too, but it follows from the readings,
    // which are compared themselves.
    for (int k = 0; k <= f.NumSectors && k <= kMaxSectors; ++k) {
        const TDesignRecord& r = f.DesignRecords[static_cast<size_t>(k)];
        st.records.push_back({double(r.FirstCol), double(r.FirstRow), double(r.LastCol), double(r.LastRow), r.RowSlope,
                              r.ColSlope, r.CutFillRatio, r.ImportExport});
    }
    // The file keeps the weights that are neither 1 nor 0.
    for (size_t c = 1; c < f.FieldData.size(); ++c)
        for (size_t r = 1; r < f.FieldData[c].size(); ++r) {
            const double w = f.FieldData[c][r].Weight;
            if (w != 1 && w != 0) st.weights.emplace_back(int(c), int(r), w);
        }
    return st;
}

CommandScope::Shown CommandScope::shownOf(const Session& s) {
    const Field& f = s.field;
    Shown sh;
    sh.numSectors = f.NumSectors;
    for (int k = 1; k <= f.NumSectors && k <= kMaxSectors; ++k)
        sh.sectorRects[static_cast<size_t>(k - 1)] = Rect::of(f.DesignRecords[static_cast<size_t>(k)]);
    sh.blend = f.blend;
    sh.current = s.current;
    sh.remembered = s.remembered;
    sh.selection = rectOf(s.selection);
    sh.autoReCalc = s.autoReCalc;
    sh.direction = static_cast<int>(s.direction);
    sh.view = static_cast<int>(s.view());
    sh.designTab = s.designTab;
    sh.useBestFitSlopes = s.useBestFitSlopes;
    sh.fileName = s.FFileName;
    sh.info = s.info;
    sh.summary = s.summary;
    sh.panel = s.panel;
    return sh;
}

CommandScope::CommandScope(Session& s) : s_(s), outermost_(s.commandDepth_ == 0) {
    ++s_.commandDepth_;
    if (!outermost_) return;
    exceptionsAtStart_ = std::uncaught_exceptions();
    s_.outermostScope_ = this;
    stored_ = storedOf(s_);
    shown_ = shownOf(s_);
}

void CommandScope::fileWritten() { stored_ = storedOf(s_); }

Changes CommandScope::finish() {
    Changes c = s_.pending_;
    s_.pending_ = Changes{};
    c.survey = s_.field.Survey.takeChangedCells();

    const Stored stored = storedOf(s_);
    if (auto w = weightsRect(stored_.weights, stored.weights)) c.survey = c.survey ? c.survey->unitedWith(*w) : *w;
    c.stored = c.replaced || !(stored == stored_);
    c.preferences = c.preferences || !(stored.prefs == stored_.prefs);

    const Shown shown = shownOf(s_);
    c.sectors = shown.numSectors != shown_.numSectors || shown.sectorRects != shown_.sectorRects ||
                !(shown.blend == shown_.blend);
    c.cursor = shown.current != shown_.current || shown.remembered != shown_.remembered ||
               shown.selection != shown_.selection;
    c.options = shown.autoReCalc != shown_.autoReCalc || shown.direction != shown_.direction ||
                shown.view != shown_.view || shown.designTab != shown_.designTab ||
                shown.useBestFitSlopes != shown_.useBestFitSlopes;
    c.fileName = shown.fileName != shown_.fileName;
    c.results = c.results || !(shown.info == shown_.info) || !(shown.summary == shown_.summary) ||
                !(shown.panel == shown_.panel);
    if (c.stored) s_.FieldSaved = false;
    return c;
}

CommandScope::~CommandScope() noexcept(false) {
    --s_.commandDepth_;
    if (!outermost_) return;
    s_.outermostScope_ = nullptr;
    const bool unwinding = std::uncaught_exceptions() > exceptionsAtStart_;
    try {
        const Changes c = finish();
        if (!c.any()) return;
        // A listener may remove itself while it is told.
        const std::vector<SessionListener*> listeners = s_.listeners_;
        for (SessionListener* l : listeners) l->changed(c);
    } catch (...) {
        // The views follow what is left of a command that failed; a second
        // error on the way out would end the program.
        if (!unwinding) throw;
    }
}

}  // namespace tarnwick
