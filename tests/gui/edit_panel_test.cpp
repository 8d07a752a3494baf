#include "window_fixture.h"

#include "pipeline/pipeline_state.h"
#include "props/terrain_cell.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace morvane::testing {
namespace {

ItemRecord itemAt(float x, float y, float z) {
    ItemRecord item;
    item.position = {x, y, z};
    item.rotation = {10, 20, -30};
    item.scale = {150.0f, 80.0f, 100.0f};
    item.triangleCount = 12;
    return item;
}

class EditPanelTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        openWindowWithViewport();
        find<QPushButton>("terraformButton")->click();
        ASSERT_TRUE(pipeline->terrainExists);
    }
    void pick(int itemNumber) {
        view->mode = GLMode::Edit;
        view->selectedItem = itemNumber;
        emit gl->itemPicked(itemNumber);
    }
    // Typed as the user does: select the text, type, press Return.
    void type(QSpinBox* spin, int value) {
        spin->selectAll();
        QTest::keyClicks(spin, QString::number(value));
        QTest::keyClick(spin, Qt::Key_Return);
    }
};

TEST_F(EditPanelTest, SpinBoxesChangeTheSelectedItemOnly) {
    // Values at or near each box's limits, typed as the user does.
    struct Row {
        const char* name;
        int value;
        std::function<float(const ItemRecord&)> field;
    };
    const Row rows[] = {
        {"glXRotCurrentSpinBox", -359, [](const ItemRecord& r) { return float(r.rotation[0]); }},
        {"glYRotCurrentSpinBox", 270, [](const ItemRecord& r) { return float(r.rotation[1]); }},
        {"glZRotCurrentSpinBox", 359, [](const ItemRecord& r) { return float(r.rotation[2]); }},
        {"glscaleCurrentXSpinBox", -1000, [](const ItemRecord& r) { return r.scale[0]; }},
        {"glscaleCurrentYSpinBox", 999, [](const ItemRecord& r) { return r.scale[1]; }},
        {"glscaleCurrentZSpinBox", 1, [](const ItemRecord& r) { return r.scale[2]; }},
        {"glYOffsetSpinBox", -999999, [](const ItemRecord& r) { return r.position[1]; }},
    };
    view->items = {itemAt(1, 2, 3), itemAt(4, 5, 6)};
    pick(2);
    for (const Row& row : rows) {
        auto* spin = find<QSpinBox>(row.name);
        ASSERT_NE(spin, nullptr) << row.name;
        const ItemRecord first = view->items[0];
        type(spin, row.value);
        EXPECT_EQ(row.field(view->items[1]), float(row.value)) << row.name;
        EXPECT_EQ(view->items[0], first) << row.name;
    }
    const ItemList before = view->items;
    view->selectedItem = -1;
    type(find<QSpinBox>("glXRotCurrentSpinBox"), 12);
    EXPECT_EQ(view->items, before);

    // Each edit is one undo step, newest first.
    find<QPushButton>("glUndoButton")->click();
    EXPECT_EQ(view->items[1].position[1], 5.0f);
    EXPECT_EQ(view->items[1].scale[2], 1.0f);
}

TEST_F(EditPanelTest, TogglesSetTheirFlagAndANewTerrainTurnsThemOff) {
    const char* names[] = {"glItemStackButton", "glDeformBelowZeroButton"};
    bool ViewportState::*flags[] = {&ViewportState::stacking, &ViewportState::deformBelowZero};
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(view->*flags[i]) << names[i];
        find<QPushButton>(names[i])->click();
        EXPECT_TRUE(view->*flags[i]) << names[i];
    }
    find<QPushButton>("terraformButton")->click();
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(view->*flags[i]) << names[i];
        // The button's look follows the flag back to off.
        EXPECT_TRUE(find<QPushButton>(names[i])->styleSheet().contains("50,50,50,255"));
    }
}

TEST_F(EditPanelTest, DraggingSeatsTheItemOnTheTerrainAndShowsIt) {
    view->items = {itemAt(30, 99, 30)};
    pick(1);
    const QPoint centre(gl->width() / 2, gl->height() / 2);
    emit gl->moveSelectedItemRequested(centre.x(), centre.y());
    const ItemRecord& item = view->items[0];
    const std::array<double, 3> point = gl->surfacePoint(centre.x(), centre.y());
    EXPECT_FLOAT_EQ(item.position[0], float(point[0]));
    EXPECT_FLOAT_EQ(item.position[2], float(point[2]));
    // The interpolated terrain height there, not the depth buffer's point.
    const auto [gx, gz] = gridPoint(100, item.position[0], item.position[2]);
    const auto cell = terrainCellAt(pipeline->terrain, gx, gz);
    ASSERT_TRUE(cell);
    EXPECT_EQ(item.position[1], surfaceAt(pipeline->terrain, *cell).height);
    EXPECT_EQ(item.rotation[1], 20);
    EXPECT_EQ(find<QSpinBox>("glYOffsetSpinBox")->value(), int(item.position[1]));
    EXPECT_EQ(find<QSpinBox>("glXRotCurrentSpinBox")->value(), item.rotation[0]);
}

// The button reaches the re-seating (whose rules the core tests hold).
TEST_F(EditPanelTest, RepositionButtonSeatsTheItemsOnTheTerrain) {
    view->items = {itemAt(1.5f, 99.0f, 3.5f)};
    find<QPushButton>("glRepositionItemsButton")->click();
    EXPECT_NE(view->items[0].position[0], 1.5f); // moved to its cell's vertex
    EXPECT_NE(view->items[0].position[1], 99.0f);
    EXPECT_TRUE(prompts.warnings.empty());
}

} // namespace
} // namespace morvane::testing
