#include "edit_fixture.h"

#include "common/notifier.h"
#include "props/edit_history.h"
#include "props/item_editing.h"
#include "props/terrain_sculpt.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morvane {
namespace {

using testing::cellCentre;
using testing::gridTerrain;
using testing::itemAt;
using testing::sameBits;

constexpr int kSide = 33;
constexpr int kSize = 64;

struct Snapshot {
    std::vector<float> vertices, normals, decimatedVertices, decimatedNormals;
    ItemList items;
};

struct Scene {
    TerrainArrays terrain =
        gridTerrain(kSide, kSize, [](float gx, float gz) { return std::sin(gx * 0.2f) + gz * 0.1f; });
    TerrainArrays decimated = testing::decimatedOf(terrain);
    ItemList items;
    EditableState state{terrain, decimated, items};

    void sculpt(int row, int column, bool lower) {
        SculptSettings s;
        s.intensity = 80;
        s.brushDiameter = 10;
        s.lower = lower;
        s.belowZero = true;
        s.terrainSize = kSize;
        const auto [x, z] = cellCentre(terrain, kSize, row, column);
        sculptTerrain(terrain, decimated, s, x, z);
    }
    Snapshot snapshot() const {
        return {terrain.vertices, terrain.normals, decimated.vertices, decimated.normals, items};
    }
    bool equals(const Snapshot& s) const {
        return sameBits(terrain.vertices, s.vertices) && sameBits(terrain.normals, s.normals) &&
               sameBits(decimated.vertices, s.decimatedVertices) &&
               sameBits(decimated.normals, s.decimatedNormals) && items == s.items;
    }
};

TEST(EditHistoryTest, UndoAndRedoRestoreAMixedSequenceBitForBit) {
    Scene scene;
    EditHistory history;
    history.reset(scene.state);
    std::vector<Snapshot> snapshots{scene.snapshot()};
    const auto step = [&](const char* action, auto edit) {
        edit();
        ASSERT_TRUE(history.record(QLatin1String(action), scene.state)) << action;
        snapshots.push_back(scene.snapshot());
    };
    step("sculpt", [&] { scene.sculpt(10, 12, false); });
    step("paint", [&] {
        for (int i = 0; i < 3; ++i)
            scene.items.push_back(itemAt(float(i), 0.0f, float(-i), i));
    });
    step("drag", [&] {
        dragItemOnTerrain(scene.items[1], scene.terrain, kSize, 40, false, {5.0f, 0.0f, 7.0f});
    });
    step("edit", [&] { setItemField(scene.items, 3, ItemField::ScaleY, 300); });
    step("delete", [&] { scene.items.erase(scene.items.begin()); });
    step("sculpt", [&] { scene.sculpt(31, 0, true); }); // a corner
    EXPECT_EQ(history.stepCount(), 6);
    EXPECT_EQ(history.undoText(), "sculpt");

    for (int i = int(snapshots.size()) - 2; i >= 0; --i) {
        ASSERT_TRUE(history.undo(scene.state));
        ASSERT_TRUE(scene.equals(snapshots[std::size_t(i)])) << "after undoing to " << i;
    }
    EXPECT_FALSE(history.undo(scene.state));
    for (std::size_t i = 1; i < snapshots.size(); ++i) {
        ASSERT_TRUE(history.redo(scene.state));
        ASSERT_TRUE(scene.equals(snapshots[i])) << "after redoing to " << i;
    }
    EXPECT_FALSE(history.redo(scene.state));
    // Nothing changed since the last step: nothing to record.
    EXPECT_FALSE(history.record(QStringLiteral("none"), scene.state));
}

TEST(EditHistoryTest, StepsKeepOnlyWhatChanged) {
    Scene scene;
    EditHistory history;
    history.reset(scene.state);
    scene.sculpt(4, 4, false);
    ASSERT_TRUE(history.record(QStringLiteral("sculpt"), scene.state));
    const EditStep& sculpt = history.step(0);
    // A brush near the top touches a band of rows, far less than the grid.
    EXPECT_GT(sculpt.vertices.other.size(), 0u);
    EXPECT_LT(sculpt.vertices.other.size(), scene.terrain.vertices.size() / 2);
    EXPECT_TRUE(sculpt.items.other.empty());

    scene.items.push_back(itemAt(1, 2, 3));
    ASSERT_TRUE(history.record(QStringLiteral("paint"), scene.state));
    const EditStep& paint = history.step(1);
    EXPECT_EQ(paint.items.length, 1u);
    EXPECT_EQ(paint.vertices.length, 0u);
    EXPECT_TRUE(paint.vertices.other.empty());
}

TEST(EditHistoryTest, TheBudgetDropsTheOldestSteps) {
    // Room for about three of the steps below, measured on a probe.
    Scene probe;
    EditHistory measure;
    measure.reset(probe.state);
    probe.sculpt(16, 16, false);
    probe.items.push_back(itemAt(0, 0, 0));
    ASSERT_TRUE(measure.record(QStringLiteral("sculpt"), probe.state));
    Scene scene;
    EditHistory history(measure.bytes() * 3);
    history.reset(scene.state);
    std::vector<Snapshot> snapshots{scene.snapshot()};
    for (int i = 0; i < 8; ++i) {
        scene.sculpt(16, 16, i % 2 == 1);
        scene.items.push_back(itemAt(float(i), 0, 0, i));
        ASSERT_TRUE(history.record(QStringLiteral("sculpt"), scene.state));
        snapshots.push_back(scene.snapshot());
        EXPECT_LE(history.bytes(), history.budget()) << i;
    }
    const int kept = history.stepCount();
    EXPECT_GE(kept, 2);
    EXPECT_LT(kept, 8);
    EXPECT_EQ(history.droppedSteps(), 8 - kept);
    // What is kept still undoes exactly, back to the oldest kept step.
    for (int i = 0; i < kept; ++i)
        ASSERT_TRUE(history.undo(scene.state));
    EXPECT_FALSE(history.undo(scene.state));
    EXPECT_TRUE(scene.equals(snapshots[std::size_t(8 - kept)]));
    // A budget smaller than one step still keeps the newest.
    EditHistory tiny(1);
    tiny.reset(scene.state);
    scene.sculpt(3, 3, false);
    EXPECT_TRUE(tiny.record(QStringLiteral("sculpt"), scene.state));
    scene.sculpt(20, 20, false);
    EXPECT_TRUE(tiny.record(QStringLiteral("sculpt"), scene.state));
    EXPECT_EQ(tiny.stepCount(), 1);
    EXPECT_EQ(tiny.droppedSteps(), 1);
}

TEST(EditHistoryTest, UnrecordedChangesNewStepsAndNewTerrains) {
    Scene scene;
    EditHistory history;
    history.reset(scene.state);
    const Snapshot start = scene.snapshot();
    scene.items.push_back(itemAt(1, 1, 1));
    ASSERT_TRUE(history.record(QStringLiteral("paint"), scene.state));
    const Snapshot painted = scene.snapshot();

    // A change nobody recorded is what undo takes back first.
    scene.sculpt(8, 8, false);
    ASSERT_TRUE(history.undo(scene.state));
    EXPECT_TRUE(scene.equals(painted));
    EXPECT_EQ(history.stepCount(), 2);
    // Redo refuses to mix a redone step with a fresh change.
    ASSERT_TRUE(history.undo(scene.state));
    EXPECT_TRUE(scene.equals(start));
    scene.items.push_back(itemAt(5, 5, 5));
    EXPECT_FALSE(history.redo(scene.state));
    // Recording it ends the undone steps.
    ASSERT_TRUE(history.record(QStringLiteral("paint"), scene.state));
    EXPECT_EQ(history.stepCount(), 1);
    EXPECT_FALSE(history.canRedo());
    // Another grid is another terrain: the history starts over.
    scene.terrain = gridTerrain(9, kSize, [](float, float) { return 0.0f; });
    scene.decimated = testing::decimatedOf(scene.terrain);
    EXPECT_FALSE(history.record(QStringLiteral("sculpt"), scene.state));
    EXPECT_EQ(history.stepCount(), 0);
    EXPECT_FALSE(history.undo(scene.state));
}

} // namespace
} // namespace morvane
