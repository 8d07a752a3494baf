#include "props/item_distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace morvane {
namespace {

ItemRecord at(float x, float y, float z) {
    ItemRecord item;
    item.position = {x, y, z};
    return item;
}

TEST(ItemDistanceTest, CandidateIsTruncatedAndOnlyStrictlyCloserItemsFail) {
    struct Row {
        const char* what;
        std::array<float, 3> item;
        std::array<double, 3> point; // before truncation
        double distance;
        bool passes;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Row rows[] = {
        {"distance 0 never fails", {0, 0, 0}, {0, 0, 0}, 0.0, true},
        {"same spot", {0, 0, 0}, {0, 0, 0}, 0.01, false},
        {"exactly d away passes", {3, 4, 0}, {0, 0, 0}, 5.0, true},
        {"just inside d fails", {3, 4, 0}, {0, 0, 0}, 5.0001, false},
        {"(0.9, 0.9, 0.9) tests as the origin", {1, 0, 0}, {0.9, 0.9, 0.9}, 1.0, true},
        {"truncation toward zero for negatives", {-1, 0, 0}, {-0.9, 0, 0}, 1.0, true},
        {"height counts", {0, 3, 0}, {0, 0, 0}, 2.0, true},
        {"a point that is no number never fails", {0, 0, 0}, {nan, 0, 0}, 10.0, true},
        {"an item at infinity never fails", {inf, 0, 0}, {0, 0, 0}, 10.0, true},
        {"far off the terrain, no overflow", {3e9f, 0, 0}, {double(3e9f) + 0.5, 0, 0}, 1.0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const ItemList items{at(row.item[0], row.item[1], row.item[2])};
        const auto candidate = distanceCandidate(row.point[0], row.point[1], row.point[2]);
        EXPECT_EQ(passesDistanceTest(items, candidate, row.distance), row.passes);
        EXPECT_EQ(ItemDistanceGrid(items, row.distance).passes(candidate), row.passes);
    }
    EXPECT_TRUE(passesDistanceTest({}, {0, 0, 0}, 100.0));
}

// The grid answers what the linear scan answers, on lists dense and sparse,
// for distances from below a cell to across the whole list, and keeps doing
// so as a press adds items.
TEST(ItemDistanceTest, GridAnswersExactlyLikeTheLinearScan) {
    std::mt19937 engine(11);
    int failures = 0, checks = 0;
    for (const double spread : {5.0, 100.0, 5000.0})
        for (const double distance : {0.01, 0.5, 1.0, 3.7, 25.0, 1000.0}) {
            std::uniform_real_distribution<float> coordinate(float(-spread), float(spread));
            // Whole numbers often, so candidates sit exactly d away.
            const auto draw = [&] {
                const float v = coordinate(engine);
                return engine() % 3 == 0 ? std::trunc(v) : v;
            };
            ItemList items;
            for (int i = 0; i < 400; ++i)
                items.push_back(at(draw(), draw() * 0.1f, draw()));
            ItemDistanceGrid grid(items, distance);
            for (int i = 0; i < 400; ++i) {
                const auto candidate = distanceCandidate(draw(), draw() * 0.1f, draw());
                const bool linear = passesDistanceTest(items, candidate, distance);
                ASSERT_EQ(grid.passes(candidate), linear)
                    << "spread " << spread << " d " << distance << " at " << candidate[0] << ","
                    << candidate[1] << "," << candidate[2];
                failures += linear ? 0 : 1;
                ++checks;
                if (i % 4 == 0) { // the press places an item
                    items.push_back(at(float(candidate[0]) + 0.25f, float(candidate[1]),
                                       float(candidate[2]) - 0.25f));
                    grid.add(items.back());
                }
            }
        }
    // Both answers occur, or the comparison proves little.
    EXPECT_GT(failures, checks / 10);
    EXPECT_LT(failures, checks * 9 / 10);
}

} // namespace
} // namespace morvane
