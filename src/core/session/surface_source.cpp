#include "core/session/surface_source.h"

namespace tarnwick {

std::optional<SurfaceInput> surfaceInput(const Session& s) {
    try {
        return SurfaceInput{&s.field, s.field.prefs.colSpacing(), s.field.prefs.rowSpacing()};
    } catch (const SpacingError&) {
        return std::nullopt;
    }
}

bool refreshSurface(const Session& s, Surface3D& surface) {
    const std::optional<SurfaceInput> in = surfaceInput(s);
    return in && surface.refresh(*in);
}

}  // namespace tarnwick
