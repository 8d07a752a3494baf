#include "hostexport/scene_layout.h"

#include "scripted_random.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(SceneLayoutTest, CornerCamerasStandOffTheCornersAtTheHeightMaximumLookingIn) {
    // Terrain size 100 and height maximum 10: d = 100 x 175 / 2, h = 9000.
    const auto cameras = cornerCameras("T", 100, 10);
    const struct {
        const char* name;
        SceneVec position, rotation;
    } expected[] = {
        {"T NW Camera", {-8750, 9000, -8750}, {-25, -135, 0}},
        {"T NE Camera", {8750, 9000, -8750}, {-25, 135, 0}},
        {"T SE Camera", {8750, 9000, 8750}, {-25, 45, 0}},
        {"T SW Camera", {-8750, 9000, 8750}, {-25, -45, 0}},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cameras[i].name, expected[i].name);
        EXPECT_EQ(cameras[i].position, expected[i].position);
        EXPECT_EQ(cameras[i].rotation, expected[i].rotation);
    }
    EXPECT_EQ(cornerCameras("T", 1000, 0)[2].position, (SceneVec{87500, 0, 87500}));
    EXPECT_EQ(mainCameraRotation(20.0f, -30.0f), (SceneVec{-20.0f, 30.0f, 0.0f}));
    EXPECT_EQ(sceneCameraNames("my Terrain 1").join(','),
              "my Terrain 1 Main Camera,my Terrain 1 NW Camera,my Terrain 1 NE Camera,"
              "my Terrain 1 SW Camera,my Terrain 1 SE Camera");
}

TEST(SceneLayoutTest, ItemsArePlacedInCentimetresWithScaleFactors) {
    ItemRecord item;
    item.position = {1.5f, -0.25f, 20.0f};
    item.rotation = {10, 200, -5};
    item.overallScale = 80.0f;
    item.scale = {50.0f, 100.0f, 250.0f};
    const PropPlacement p = propPlacement(item);
    EXPECT_EQ(p.position, (SceneVec{150.0f, -25.0f, 2000.0f}));
    EXPECT_EQ(p.rotation, (std::array<int, 3>{10, 200, -5}));
    EXPECT_FLOAT_EQ(p.scale, 0.8f);
    EXPECT_EQ(p.scaleFactors, (SceneVec{0.5f, 1.0f, 2.5f}));
}

TEST(SceneLayoutTest, ClonesCountTheirLabelsOn) {
    const struct {
        const char *source, *label, *name;
    } rows[] = {
        {"Tree", "Tree_1", "Tree__1"},
        {"Tree_1", "Tree_2", "Tree__2"},
        {"Tree_9", "Tree_10", "Tree__10"},
        {"pine_tree_12", "pine_tree_13", "pine_tree__13"},
        // Not a counter: the whole label is the base.
        {"Big_Rock", "Big_Rock_1", "Big_Rock__1"},
        {"Rock_", "Rock__1", "Rock___1"},
        {"", "_1", "__1"},
    };
    for (const auto& row : rows) {
        const CloneNames names = cloneNames(row.source);
        EXPECT_EQ(names.label, row.label) << row.source;
        EXPECT_EQ(names.name, row.name) << row.source;
    }
}

TEST(SceneLayoutTest, PropSequenceLoadsOnSlotChangeOrChildrenAndClonesOtherwise) {
    using Step = PropSequence::Step;
    auto item = [](const char* file, int slot) {
        ItemRecord record;
        record.propFile = file;
        record.modelSlot = slot;
        return record;
    };
    struct Row {
        ItemRecord item;
        Step expected;
        bool ok = true, children = false; // the load's outcome, for Load rows
    };
    const Row rows[] = {
        {item("a.pp2", 0), Step::Load},
        {item("a.pp2", 0), Step::Duplicate},
        {item("a.pp2", 0), Step::Duplicate},
        {item("b.pp2", 1), Step::Load, true, true}, // b's node has children
        {item("b.pp2", 1), Step::Load},              // so it is loaded again
        {item("b.pp2", 1), Step::Duplicate},
        {item("", 1), Step::Skip},                   // no file: nothing to place
        {item("b.pp2", 1), Step::Duplicate},         // still cloned from the last b
        {item("c.pp2", 2), Step::Load, false},       // fails to load
        {item("c.pp2", 2), Step::Skip},              // not cloned from b
        {item("a.pp2", 0), Step::Load},
        {item("a.pp2", 0), Step::Duplicate},
    };
    PropSequence sequence;
    for (const Row& row : rows) {
        const Step step = sequence.next(row.item);
        EXPECT_EQ(int(step), int(row.expected)) << "row " << &row - rows;
        if (step == Step::Load)
            sequence.loaded(row.ok, row.children);
    }
}

TEST(SceneLayoutTest, SkyTexturePathTidiesTheNameAndMorphsStayInRange) {
    EXPECT_EQ(skyDomeTexturePath("/data  x/maps", "  my   Terrain "),
              "/data  x/maps/my Terrain _skyDome.jpg");
    testing::ScriptedRandom random({7, 100, 5});
    EXPECT_FLOAT_EQ(randomMorphValue(random, 0), 0.0f); // 7 mod 1
    EXPECT_FLOAT_EQ(randomMorphValue(random, 100), 1.0f); // 100 mod 101
    EXPECT_FLOAT_EQ(randomMorphValue(random, 3), 0.01f);  // 5 mod 4
}

} // namespace
} // namespace morvane
