// The design panel: its four entry boxes, "Use Best Fit Slopes", the design
// tabs and "ReCalc".

#include "core/base/number_format.h"
#include "core/session/command_scope.h"
#include "core/session/session.h"

namespace tarnwick {
namespace {

bool isSlope(DesignBox box) { return box == DesignBox::ColSlope || box == DesignBox::RowSlope; }

}  // namespace

void Session::enterDesignBox(DesignBox, const std::string& text) { rememberedBoxValue_ = parseReading(text); }

std::optional<std::string> Session::designBoxTyped(DesignBox box, const std::string& text) {
    CommandScope scope(*this);
    if (!isSlope(box) || !(parseReading(text) > 20)) return std::nullopt;
    prompt_->beep();
    return formatFixed(rememberedBoxValue_, 3);
}

void Session::leaveDesignBox(DesignBox box, const std::string& text) {
    CommandScope scope(*this);
    const double value = parseReading(text);
    if (value == rememberedBoxValue_) return;
    rememberedBoxValue_ = value;
    const int k = designTab >= 0 && designTab <= field.NumSectors ? designTab : 0;
    TDesignRecord& rec = field.DesignRecords[static_cast<size_t>(k)];
    TDesignRecord& common = field.DesignRecords[1];
    switch (box) {
        case DesignBox::Ratio:
            // Whole field first, then the sectors, as every recalculation:
            // the sector view keeps its designs.
            rec.CutFillRatio = value;
            recalculate();
            break;
        case DesignBox::ColSlope:
            if (k == 0) useBestFitSlopes = false;
            rec.ColSlope = value;
            if (field.blend.colChecked) common.ColSlope = value;
            recalculateSectors();
            break;
        case DesignBox::RowSlope:
            if (k == 0) useBestFitSlopes = false;
            rec.RowSlope = value;
            if (field.blend.rowChecked) common.RowSlope = value;
            recalculateSectors();
            break;
        case DesignBox::ImportExport:
            rec.ImportExport = value;
            recalculateSectors();
            break;
    }
    showDesignRecord(k);
}

void Session::setUseBestFitSlopes(bool on) {
    CommandScope scope(*this);
    if (useBestFitSlopes == on) return;
    useBestFitSlopes = on;
    if (on) recalculate();
}

void Session::selectDesignTab(int k) {
    CommandScope scope(*this);
    designTab = k >= 0 && k <= field.NumSectors ? k : 0;
    showDesignRecord(designTab);
}

void Session::designParametersShown() {
    CommandScope scope(*this);
    if (designTab != 0) return;
    showDesignRecord(0);
}

void Session::reCalc() { recalculate(); }

std::string Session::designTabCaption(int k) { return k == 0 ? "Entire Field" : "Sector" + std::to_string(k); }

}  // namespace tarnwick
