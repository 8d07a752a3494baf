#pragma once

namespace morvane {

// The populate controls as painting reads them at each press or drag.
struct PopulateSettings {
    int instances = 5;            // items a Shift-press deploys
    int distanceCm = 100;         // minimum distance to earlier items, centimetres
    int angleRandomization = 0;   // rotations drawn in [-A, A] degrees
    bool angleYOnly = false;      // x and z rotations come from the normal blend alone
    bool angleYSnap = false;      // y rotation is 0, 90, 180 or 270
    int scaleRandomization = 0;   // scale varies by up to this many percent
    int scale = 100;              // initial scale, percent
    bool scaleYOnly = false;      // x and z scales stay at 100
    int brushDiameter = 1;        // side of the deployment square, scene units
    int perpVsNormal = 20;        // 0 = upright, 100 = along the surface normal

    // Centimetres to scene units.
    double minimumDistance() const { return double(distanceCm) * 0.01; }
};

} // namespace morvane
