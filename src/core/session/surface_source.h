#pragma once
// What the 3D View page draws from: the session's field as the last scan
// and design left it.

#include <optional>

#include "core/session/session.h"
#include "core/view3d/surface.h"

namespace tarnwick {

// Nothing when a station spacing is not a whole number: the design has
// reported that already, and the page keeps its picture.
std::optional<SurfaceInput> surfaceInput(const Session& s);

// Refresh 3D view: rebuilds `surface` from the session's field. False when
// nothing changed (no stations, or a spacing that is not a whole number).
bool refreshSurface(const Session& s, Surface3D& surface);

}  // namespace tarnwick
