#pragma once

#include <QString>

#include <array>

namespace morvane {

// The prop the user paints with: chosen in the prop library, read by
// painting. Slot 0 holds no prop.
struct CurrentProp {
    QString path;                                 // the .pp2; empty = none
    int modelSlot = 0;                            // index into the prop display-list table
    std::array<float, 3> colour{1.0f, 1.0f, 1.0f}; // display colour, 0..1
    std::array<float, 3> boxMin{};                // model bounding box, model units
    std::array<float, 3> boxMax{};
    int triangleCount = 0;

    bool chosen() const { return !path.isEmpty(); }
};

} // namespace morvane
