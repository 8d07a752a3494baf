#pragma once

#include <QString>

#include <array>
#include <vector>

namespace morvane {

// One painted prop. Painting fills these; the viewport draws and picks
// them in list order; scene creation turns each into a host node.
struct ItemRecord {
    int itemNumber = 0;               // index in the list when placed; never renumbered
    std::array<float, 3> position{};  // world, scene units: x and z from the terrain centre
    QString propFile;                 // the .pp2 the item came from
    int modelSlot = 0;                // index into the prop display-list table
    std::array<int, 3> rotation{};    // degrees, applied in the order z, x, y
    std::array<float, 3> colour{1.0f, 1.0f, 1.0f};
    float overallScale = 100.0f;      // percent, at placement
    std::array<float, 3> scale{100.0f, 100.0f, 100.0f}; // per axis, percent
    std::array<float, 3> boxMin{};    // bounding box of the model, model units
    std::array<float, 3> boxMax{};
    int triangleCount = 0;

    bool operator==(const ItemRecord& other) const {
        return itemNumber == other.itemNumber && position == other.position &&
               propFile == other.propFile && modelSlot == other.modelSlot &&
               rotation == other.rotation && colour == other.colour &&
               overallScale == other.overallScale && scale == other.scale &&
               boxMin == other.boxMin && boxMax == other.boxMax &&
               triangleCount == other.triangleCount;
    }
    bool operator!=(const ItemRecord& other) const { return !(*this == other); }
};

// In list order; the item count is its size.
using ItemList = std::vector<ItemRecord>;

} // namespace morvane
