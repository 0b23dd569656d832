#pragma once
// Every command runs inside one CommandScope. The outermost scope of a
// command notes, when it opens, what the field file keeps and what the
// views show; when it closes it works out what the command changed, clears
// FieldSaved when what the file keeps changed (a field replaced by New or
// Open counts), and tells the listeners once. Commands that call other
// commands open scopes inside it; those tell nothing themselves.
//
// The Survey grid reports its own changed cells; the session marks the
// result grids it filled again and a replaced field. Everything else is
// compared, so no command has to remember to say what it changed.

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/field/field.h"
#include "core/session/changes.h"
#include "core/session/session.h"

namespace tarnwick {

class CommandScope {
public:
    explicit CommandScope(Session& s);
    // Throws what a listener throws, unless an error is already on its way
    // out of the command.
    ~CommandScope() noexcept(false);
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

    // The field was written: what the file keeps is compared from here on.
    void fileWritten();

private:
    // What the field file keeps, as far as a command can change it.
    struct Stored {
        unsigned long long surveyRevision = 0;
        Preferences prefs;
        std::string fieldName, customerName;
        bool colBlend = false, rowBlend = false;
        int numSectors = 0;
        // Rectangle, slopes, ratio and import/export of records 0..NumSectors.
        std::vector<std::array<double, 8>> records;
        // Partial stations: column, row, weight.
        std::vector<std::tuple<int, int, double>> weights;
        bool operator==(const Stored&) const;
    };
    struct Shown {
        std::array<Rect, kMaxSectors> sectorRects{};
        int numSectors = 0;
        BlendState blend;
        CellPos current, remembered;
        Rect selection;
        bool autoReCalc = false;
        int direction = 0;
        int view = 0;
        int designTab = 0;
        bool useBestFitSlopes = false;
        std::string fileName;
        // The captions of the side panel and the Survey page.
        FieldInfo info;
        DesignSummary summary;
        DesignPanelState panel;
    };
    static Stored storedOf(const Session& s);
    static Shown shownOf(const Session& s);
    Changes finish();

    Session& s_;
    bool outermost_;
    int exceptionsAtStart_ = 0;
    Stored stored_;
    Shown shown_;
};

}  // namespace tarnwick
