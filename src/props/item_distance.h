#pragma once

#include "viewport/item_record.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace morvane {

// A placement candidate too close to an earlier item is refused. The
// candidate is the placement point with each coordinate truncated toward
// zero; it fails when some item lies at a squared distance strictly below
// d^2. Coordinates that are not finite never fail.
std::array<double, 3> distanceCandidate(double x, double y, double z);
bool tooClose(const std::array<float, 3>& itemPosition, const std::array<double, 3>& candidate,
              double distance);

// The definition: every item of the list is compared.
bool passesDistanceTest(const ItemList& items, const std::array<double, 3>& candidate,
                        double distance);

// The same test through a grid over x and z, for deployments that test
// many candidates against a long list. The grid is a snapshot: built from
// the list at the start of a press and told about each item the press adds.
// Only the cells that can hold an item closer than the distance are
// scanned, and those items go through `tooClose`, so the answer is the
// linear scan's.
class ItemDistanceGrid {
public:
    ItemDistanceGrid(const ItemList& items, double distance);

    void add(const ItemRecord& item);
    bool passes(const std::array<double, 3>& candidate) const;

private:
    std::int64_t cellOf(double coordinate) const;
    static std::uint64_t key(std::int64_t column, std::int64_t row);

    double m_distance;
    double m_cellSize;
    std::unordered_map<std::uint64_t, std::vector<std::array<float, 3>>> m_cells;
};

} // namespace morvane
