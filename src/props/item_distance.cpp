#include "props/item_distance.h"

#include <algorithm>
#include <cmath>

namespace morvane {

namespace {

// Cell indices are clamped so a far-off coordinate still has a cell; the
// clamp is monotonic, so neighbours stay neighbours.
constexpr double kCellIndexLimit = 1099511627776.0; // 2^40

bool finite(const std::array<float, 3>& p) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

} // namespace

std::array<double, 3> distanceCandidate(double x, double y, double z) {
    // std::trunc instead of a conversion to int: same value wherever an int
    // holds it, and no overflow for points far off the terrain.
    return {std::trunc(x), std::trunc(y), std::trunc(z)};
}

bool tooClose(const std::array<float, 3>& itemPosition, const std::array<double, 3>& candidate,
              double distance) {
    const double dx = double(itemPosition[0]) - candidate[0];
    const double dy = double(itemPosition[1]) - candidate[1];
    const double dz = double(itemPosition[2]) - candidate[2];
    return dx * dx + dy * dy + dz * dz < distance * distance;
}

bool passesDistanceTest(const ItemList& items, const std::array<double, 3>& candidate,
                        double distance) {
    for (const ItemRecord& item : items)
        if (tooClose(item.position, candidate, distance))
            return false;
    return true;
}

ItemDistanceGrid::ItemDistanceGrid(const ItemList& items, double distance)
    : m_distance(distance), m_cellSize(2.0 * distance) {
    if (!(m_distance > 0.0))
        return; // nothing is ever too close
    m_cells.reserve(items.size());
    for (const ItemRecord& item : items)
        add(item);
}

std::int64_t ItemDistanceGrid::cellOf(double coordinate) const {
    const double cell = std::floor(coordinate / m_cellSize);
    return std::int64_t(std::clamp(cell, -kCellIndexLimit, kCellIndexLimit));
}

std::uint64_t ItemDistanceGrid::key(std::int64_t column, std::int64_t row) {
    return (std::uint64_t(column) << 32) ^ (std::uint64_t(row) * 0x9E3779B97F4A7C15ull);
}

void ItemDistanceGrid::add(const ItemRecord& item) {
    if (!(m_distance > 0.0) || !finite(item.position))
        return; // such an item never fails a test
    m_cells[key(cellOf(item.position[0]), cellOf(item.position[2]))].push_back(item.position);
}

bool ItemDistanceGrid::passes(const std::array<double, 3>& candidate) const {
    if (!(m_distance > 0.0))
        return true;
    if (!std::isfinite(candidate[0]) || !std::isfinite(candidate[2]))
        return true; // the differences are not finite: never closer than d
    // An item closer than d lies within d along x and z; one extra cell on
    // each side absorbs the rounding of the divisions.
    const std::int64_t column0 = cellOf(candidate[0] - m_distance) - 1;
    const std::int64_t column1 = cellOf(candidate[0] + m_distance) + 1;
    const std::int64_t row0 = cellOf(candidate[2] - m_distance) - 1;
    const std::int64_t row1 = cellOf(candidate[2] + m_distance) + 1;
    for (std::int64_t column = column0; column <= column1; ++column)
        for (std::int64_t row = row0; row <= row1; ++row) {
            const auto found = m_cells.find(key(column, row));
            if (found == m_cells.end())
                continue;
            for (const std::array<float, 3>& position : found->second)
                if (tooClose(position, candidate, m_distance))
                    return false;
        }
    return true;
}

} // namespace morvane
