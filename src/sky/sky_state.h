#pragma once

#include "sky/sky_dome.h"
#include "sky/sky_model.h"
#include "sky/sky_parameters.h"

namespace morvane {

// The one sky of a window: the user's parameters, the sun they give and
// the dome built from both. Owned by the window and handed to the viewport
// and the sky map controls.
struct SkyState {
    SkyParameters parameters;
    SunLight sun = computeSun(SkyParameters{});
    SkyDome dome;

    void recomputeSun() { sun = computeSun(parameters); }
    // With a random source the stars are placed anew.
    void rebuildDome(double radius, RandomSource* newStars) {
        rebuildSkyDome(dome, parameters, sun, radius, newStars);
    }
};

} // namespace morvane
