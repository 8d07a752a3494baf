#include "window_fixture.h"

#include "pipeline/pipeline_state.h"
#include "props/terrain_cell.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QLineEdit>
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

TEST_F(EditPanelTest, SpinBoxesHaveTheirRangesAndChangeTheSelectedItem) {
    struct Row {
        const char* name;
        int minimum, maximum;
        const char* tip;
        int value;
        std::function<float(const ItemRecord&)> field;
    };
    const Row rows[] = {
        {"glXRotCurrentSpinBox", -359, 359, "change selected item X-Rot angle", -45,
         [](const ItemRecord& r) { return float(r.rotation[0]); }},
        {"glYRotCurrentSpinBox", -359, 359, "change selected item Y-Rot angle", 270,
         [](const ItemRecord& r) { return float(r.rotation[1]); }},
        {"glZRotCurrentSpinBox", -359, 359, "change selected item Z-Rot angle", 5,
         [](const ItemRecord& r) { return float(r.rotation[2]); }},
        {"glscaleCurrentXSpinBox", -1000, 1000, "decrease/increase item X scale", -300,
         [](const ItemRecord& r) { return r.scale[0]; }},
        {"glscaleCurrentYSpinBox", -1000, 1000, "decrease/increase item Y scale", 999,
         [](const ItemRecord& r) { return r.scale[1]; }},
        {"glscaleCurrentZSpinBox", -1000, 1000, "decrease/increase item Z scale", 1,
         [](const ItemRecord& r) { return r.scale[2]; }},
        {"glYOffsetSpinBox", -999999, 999999, "offset the item on the Y axis", -123456,
         [](const ItemRecord& r) { return r.position[1]; }},
    };
    view->items = {itemAt(1, 2, 3), itemAt(4, 5, 6)};
    pick(2);
    for (const Row& row : rows) {
        auto* spin = find<QSpinBox>(row.name);
        ASSERT_NE(spin, nullptr) << row.name;
        EXPECT_EQ(spin->minimum(), row.minimum) << row.name;
        EXPECT_EQ(spin->maximum(), row.maximum) << row.name;
        EXPECT_EQ(spin->toolTip(), row.tip);
        const ItemRecord first = view->items[0];
        type(spin, row.value);
        EXPECT_EQ(row.field(view->items[1]), float(row.value)) << row.name;
        EXPECT_EQ(view->items[0], first) << row.name;
    }
    // Without a selection the boxes change nothing.
    const ItemList before = view->items;
    view->selectedItem = -1;
    type(find<QSpinBox>("glXRotCurrentSpinBox"), 12);
    EXPECT_EQ(view->items, before);

    // Each edit is one undo step, newest first.
    find<QPushButton>("glUndoButton")->click();
    EXPECT_EQ(view->items[1].position[1], 5.0f);
    EXPECT_EQ(view->items[1].scale[2], 1.0f);
}

TEST_F(EditPanelTest, TogglesShowTheirStateAndANewTerrainTurnsThemOff) {
    struct Row {
        const char* name;
        const char* image;
        bool ViewportState::*flag;
    };
    const Row rows[] = {{"glItemStackButton", "tool_stack.png", &ViewportState::stacking},
                        {"glDeformBelowZeroButton", "tool_below0.png",
                         &ViewportState::deformBelowZero}};
    for (const Row& row : rows) {
        auto* button = find<QPushButton>(row.name);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(view->*row.flag);
        EXPECT_TRUE(button->styleSheet().contains("50,50,50,255"));
        EXPECT_TRUE(button->styleSheet().contains(row.image));
        button->click();
        EXPECT_TRUE(view->*row.flag);
        EXPECT_TRUE(button->styleSheet().contains("71,120,247,255"));
        EXPECT_TRUE(button->styleSheet().contains(row.image));
    }
    EXPECT_EQ(find<QPushButton>("glRepositionItemsButton")->toolTip(),
              "reposition items at the proper height");
    find<QPushButton>("terraformButton")->click();
    for (const Row& row : rows) {
        EXPECT_FALSE(view->*row.flag);
        EXPECT_TRUE(find<QPushButton>(row.name)->styleSheet().contains("50,50,50,255"));
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

TEST_F(EditPanelTest, RepositionOnAnImportedTerrainOnlyWarns) {
    const QString obj = m_root.filePath("terrain.obj");
    ASSERT_TRUE(writeFile(obj, "v -30 1 -40\nv 30 1 -40\nv 30 5 40\nv -30 5 40\nf 1 2 3 4\n"));
    prompts.files = {obj};
    window->loadCustomTerrain();
    ASSERT_TRUE(pipeline->customTerrainLoaded);
    view->items = {itemAt(1, 2, 3)};
    const ItemList before = view->items;
    prompts.warnings.clear();
    find<QPushButton>("glRepositionItemsButton")->click();
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].first, "Error");
    EXPECT_EQ(prompts.warnings[0].second, "This features is not needed with imported terrains!");
    EXPECT_EQ(view->items, before);
}

} // namespace
} // namespace morvane::testing
