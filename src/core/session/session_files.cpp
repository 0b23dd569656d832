// New, Open, Save, Save As and the close questions.

#include <filesystem>

#include "core/session/command_scope.h"
#include "core/session/session.h"

namespace tarnwick {
namespace {

constexpr const char* kOpenFilter = "Field Files (*.fld)|*.FLD|All files (*.*)|*.*";
constexpr const char* kSaveFilter = "Field Files (*.fld)|*.fld|All files (*.*)|*.*";

std::string withFldExtension(const std::string& name) {
    std::filesystem::path p(name);
    p.replace_extension(".fld");
    return p.string();
}

}  // namespace

void Session::newField() {
    CommandScope scope(*this);
    if (field.NumStations == 0) return;
    // Unsaved changes are offered for saving first, as Open does; Cancel
    // keeps everything.
    if (!mayReplaceField()) return;
    if (!prompt_->confirm("Clear Current Field Data?")) return;
    clearForNewField();
}

void Session::clearForNewField() {
    CommandScope scope(*this);
    FFileName = "Untitled";
    clearField(field);
    fieldReplaced();
    // The ratio box shows the default ratio, and the new field is designed
    // with what the box shows.
    field.DesignRecords[0].CutFillRatio = field.prefs.defaultRatio();
    panel.ratio = field.prefs.defaultRatioText;
    useBestFitSlopes = true;
}

void Session::fieldReplaced() {
    resetResults();
    pending_.replaced = true;
}

void Session::resetResults() {
    results.clear();
    view_ = DesignView::FullField;
    sectorDesignEnabled_ = false;
    designTab = 0;
    info = FieldInfo{};
    summary = DesignSummary{};
    std::string ratio = panel.ratio;
    panel = DesignPanelState{};
    panel.ratio = ratio;
    panel.colSlope = panel.rowSlope = "0.000";
    panel.importExport = "0";
    parameters = DesignParametersTable();
    current = {1, 1};
    selection = {};
}

bool Session::mayReplaceField() {
    CommandScope scope(*this);
    if (FieldSaved) return true;
    fieldScan(field);
    if (field.NumStations <= 4) return true;
    const Answer a = prompt_->confirmOrCancel("Save Data Before Closing?");
    if (a == Answer::Cancel) return false;
    // A save that did not happen keeps the field: nothing is lost.
    return a == Answer::No || saveCommand();
}

bool Session::openCommand() {
    CommandScope scope(*this);
    if (!mayReplaceField()) return false;
    auto path = prompt_->chooseOpenFile({kOpenFilter, {}, "fld"});
    if (!path) return false;
    return openFieldCommand(*path);
}

bool Session::openFieldCommand(const std::string& path) { return openField(path); }

bool Session::writeTo(const std::string& path) {
    // Readings typed since the last recalculation are written too.
    fieldScan(field);
    if (!writeField(path)) return false;
    FieldSaved = true;
    if (outermostScope_) outermostScope_->fileWritten();
    return true;
}

bool Session::saveCommand() {
    CommandScope scope(*this);
    fieldScan(field);
    if (field.NumStations < 2) return false;
    saveAsFilter_ = kSaveFilter;
    if (FFileName == "Untitled") return saveAsCommand();
    auto path = prompt_->chooseSaveFile({kSaveFilter, withFldExtension(FFileName), "fld"});
    if (!path) return false;
    FFileName = *path;
    bool ok = writeTo(*path);
    return ok;
}

bool Session::saveAsCommand() {
    CommandScope scope(*this);
    std::string proposed = FFileName == "Untitled" ? std::string() : withFldExtension(FFileName);
    auto path = prompt_->chooseSaveFile({saveAsFilter_, proposed, "fld"});
    if (!path) return false;
    std::error_code ec;
    if (std::filesystem::exists(*path, ec) &&
        prompt_->confirmOrCancel("File Exists. OK to overwrite " + *path) != Answer::Yes)
        return false;
    FFileName = *path;
    bool ok = writeTo(*path);
    return ok;
}

bool Session::closeCommand() {
    CommandScope scope(*this);
    if (exportMode) return true;
    if (!prompt_->confirm(std::string("Exit ") + kProgramName + "?")) return false;
    fieldScan(field);
    if (!FieldSaved && field.NumStations > 4 && prompt_->confirm("Save Data Before Closing?")) {
        // A save that did not happen keeps the window open: nothing is lost.
        return saveCommand();
    }
    return true;
}

}  // namespace tarnwick
