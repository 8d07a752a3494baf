#pragma once

#include <QString>

#include <array>
#include <vector>

namespace morvane {

// One painted prop. Painting fills these; the viewport draws and picks
// them in list order.
struct ItemRecord {
    std::array<float, 3> position{};  // world coordinates
    QString propFile;                 // the .pp2 the item came from
    int modelSlot = 0;                // index into the prop display-list table
    std::array<float, 3> rotation{};  // x, y, z angles in degrees
    std::array<float, 3> colour{1.0f, 1.0f, 1.0f};
    std::array<float, 3> scale{100.0f, 100.0f, 100.0f}; // percentages
    std::array<float, 3> boxMin{};    // bounding box of the model, item space
    std::array<float, 3> boxMax{};
    int triangleCount = 0;
};

using ItemList = std::vector<ItemRecord>;

} // namespace morvane
