#pragma once
// What one command changed, told to the views once, when the command ends
// (core/session/command_scope.h). Each view takes what it shows and leaves
// the rest.

#include <optional>

#include "core/field/cells.h"

namespace tarnwick {

struct Changes {
    // Survey cells whose text, picture or partial-station weight changed,
    // in station columns and rows.
    std::optional<Rect> survey;
    bool results = false;      // result grids, captions, design summary, design panel
    bool sectors = false;      // the sectors' rectangles and the Blend boxes
    bool preferences = false;  // data type, units, spacing, default ratio
    bool replaced = false;     // New, Open: a field in place of the last one, everything changed
    bool cursor = false;       // current cell, selection, remembered cell
    bool options = false;      // AutoReCalc, auto advance, view, design tab, "Use Best Fit Slopes"
    bool fileName = false;     // FFileName
    bool stored = false;       // what the field file keeps: the field is no longer saved

    bool any() const {
        return survey || results || sectors || preferences || replaced || cursor || options || fileName || stored;
    }
};

class SessionListener {
public:
    virtual ~SessionListener() = default;
    virtual void changed(const Changes& c) = 0;
};

}  // namespace tarnwick
