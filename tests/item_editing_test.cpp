#include "edit_fixture.h"
#include "pipeline_fixture.h"

#include "props/item_editing.h"
#include "props/obj_model.h"
#include "props/terrain_cell.h"

#include <cmath>

namespace morvane {
namespace {

using testing::gridTerrain;
using testing::itemAt;
using testing::RecordingNotifier;
using testing::sameBits;

// Grid of 11 vertices across 20 units (spacing 2), rising along x: the
// normal leans towards -x.
TerrainArrays slope() {
    return gridTerrain(11, 20, [](float gx, float) { return 0.5f * gx; });
}

TEST(ItemEditingTest, EditBoxesSetTheSelectedItemOnly) {
    struct Row {
        ItemField field;
        int value;
        ItemRecord expected;
    };
    ItemRecord base = itemAt(1.0f, 2.0f, 3.0f);
    auto with = [&](auto change) {
        ItemRecord r = base;
        change(r);
        return r;
    };
    const Row rows[] = {
        {ItemField::RotationX, -359, with([](ItemRecord& r) { r.rotation[0] = -359; })},
        {ItemField::RotationZ, 359, with([](ItemRecord& r) { r.rotation[2] = 359; })},
        {ItemField::ScaleX, -1000, with([](ItemRecord& r) { r.scale[0] = -1000.0f; })},
        {ItemField::ScaleZ, 0, with([](ItemRecord& r) { r.scale[2] = 0.0f; })},
        {ItemField::PositionY, -999999, with([](ItemRecord& r) { r.position[1] = -999999.0f; })},
    };
    for (const Row& row : rows) {
        ItemList items{itemAt(9.0f, 9.0f, 9.0f), base};
        EXPECT_TRUE(setItemField(items, 2, row.field, row.value));
        EXPECT_EQ(items[1], row.expected) << int(row.field);
        EXPECT_EQ(items[0], itemAt(9.0f, 9.0f, 9.0f));
        // The same value again is no change; no selection changes nothing.
        EXPECT_FALSE(setItemField(items, 2, row.field, row.value));
        for (const int selection : {-1, 0, 3}) {
            const ItemList copy = items;
            EXPECT_FALSE(setItemField(items, selection, row.field, 7));
            EXPECT_EQ(items, copy);
        }
    }
}

TEST(ItemEditingTest, DraggingFollowsTheTerrainAndOffItMovesOnlyXAndZ) {
    const TerrainArrays t = slope();
    struct Row {
        std::array<float, 3> point;
        int blend;
        bool stacking;
        bool onGrid;
    };
    const Row rows[] = {
        {{-3.0f, 50.0f, 4.2f}, 0, false, true},   // upright at blend 0
        {{-3.0f, 50.0f, 4.2f}, 100, false, true}, // leaning with the slope
        {{2.5f, 50.0f, -7.0f}, 100, true, true},  // stacking keeps the point's height
        {{10.5f, 50.0f, 0.0f}, 100, false, false}, // past the last column
    };
    for (const Row& row : rows) {
        ItemRecord item = itemAt(1.0f, -4.0f, 1.0f);
        item.rotation = {11, 22, 33};
        dragItemOnTerrain(item, t, 20, row.blend, row.stacking, row.point);
        EXPECT_EQ(item.position[0], row.point[0]);
        EXPECT_EQ(item.position[2], row.point[2]);
        if (!row.onGrid) {
            EXPECT_EQ(item.position[1], -4.0f);
            EXPECT_EQ(item.rotation, (std::array<int, 3>{11, 22, 33}));
            continue;
        }
        const float height = 0.5f * gridPoint(20, row.point[0], row.point[2])[0];
        EXPECT_NEAR(item.position[1], row.stacking ? row.point[1] : height, 1e-4f);
        // Normal (-0.5, 1, 0) normalised: asin(-0.447) = -26.57 degrees; the heading is the user's.
        EXPECT_EQ(item.rotation, (std::array<int, 3>{0, 22, row.blend == 0 ? 0 : 26}));
    }
}

TEST(ItemEditingTest, ObjDragTakesTheNearestScaledVertexNormal) {
    ObjModel model;
    model.vertices = {{0, 0, 0}, {0, 0, 0}, {10, 0, 0}, {20, 0, 0}};
    model.smoothedNormals = {{0, 1, 0}, {0.6f, 0.8f, 0}, {0, 0.8f, 0.6f}};
    for (const auto& [scale, expectedRotX, expectedRotZ] :
         {std::tuple{100.0f, 0, -36}, std::tuple{50.0f, 36, 0}}) {
        // At 50 % the third vertex sits at x = 10, where the point is.
        ItemRecord item = itemAt(0, 0, 0);
        item.rotation = {5, 6, 7};
        const std::array<float, 3> point{10.0f, 1.0f, 0.5f};
        dragItemOnObjTerrain(item, model, scale, 100, point);
        EXPECT_EQ(item.position, point);
        EXPECT_EQ(item.rotation, (std::array<int, 3>{expectedRotX, 6, expectedRotZ})) << scale;
    }
    EXPECT_EQ(nearestObjVertex(ObjModel{}, 100.0f, {0, 0, 0}), 0);
}

TEST(ItemEditingTest, RepositionSeatsItemsOnTheirCellsTopLeftVertex) {
    TerrainArrays t = slope();
    // Stale normals: re-seating recomputes them.
    std::fill(t.normals.begin(), t.normals.end(), 0.0f);
    const TerrainArrays expectedNormals = slope();
    ItemList items{itemAt(-3.0f, 99.0f, 4.2f), itemAt(30.0f, 5.0f, 0.0f)};
    items[0].rotation = {1, 45, 2};
    RecordingNotifier notifier;
    EXPECT_EQ(repositionItems(items, t, 20, 100, false, notifier), 1);
    EXPECT_TRUE(notifier.messages.empty());
    // (-3, 4.2) is grid (7, 14.2): cell column 3, row 7, top-left (-4, 4).
    EXPECT_EQ(items[0].position, (std::array<float, 3>{-4.0f, 3.0f, 4.0f}));
    EXPECT_EQ(items[0].rotation, (std::array<int, 3>{0, 45, 26}));
    EXPECT_EQ(items[1], itemAt(30.0f, 5.0f, 0.0f)); // off the grid: untouched
    EXPECT_TRUE(sameBits(t.normals, expectedNormals.normals));

    ItemList none;
    std::fill(t.normals.begin(), t.normals.end(), 0.0f);
    EXPECT_EQ(repositionItems(none, t, 20, 100, false, notifier), 0);
    EXPECT_TRUE(sameBits(t.normals, expectedNormals.normals));

    // An imported terrain: a warning, and neither items nor normals change.
    std::fill(t.normals.begin(), t.normals.end(), 0.0f);
    const TerrainArrays staleNormals = t;
    const ItemList itemsBefore = items;
    EXPECT_EQ(repositionItems(items, t, 20, 100, true, notifier), 0);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0], std::make_pair(QString("Error"),
                                                   QString("This features is not needed with imported terrains!")));
    EXPECT_EQ(items, itemsBefore);
    EXPECT_TRUE(sameBits(t.normals, staleNormals.normals));
}

TEST(ItemEditingTest, TiltNeverComesFromAnOutOfRangeComponent) {
    struct Row { float component, blend; int degrees; };
    const Row rows[] = {{1.0000002f, 0.99f, 89}, {-2.0f, 0.33f, -29}, {0.5f, 0.25f, 7},
                        {NAN, 1.0f, 0}};
    for (const Row& row : rows)
        EXPECT_EQ(tiltDegrees(row.component, row.blend), row.degrees) << row.component;
}

} // namespace
} // namespace morvane
