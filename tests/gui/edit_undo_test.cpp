#include "window_fixture.h"

#include "edit_fixture.h"
#include "pipeline/pipeline_state.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace morvane::testing {
namespace {

struct Arrays {
    std::vector<float> vertices, normals, decimatedVertices, decimatedNormals;
    ItemList items;
};

class EditUndoTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        openWindowWithViewport();
        find<QPushButton>("terraformButton")->click();
        find<QPushButton>("glTerrainButton")->click();
        ASSERT_EQ(view->mode, GLMode::Terrain);
        window->window()->activateWindow();
        (void)QTest::qWaitForWindowActive(window->window());
    }
    Arrays arrays() const {
        return {pipeline->terrain.vertices, pipeline->terrain.normals,
                pipeline->decimatedTerrain.vertices, pipeline->decimatedTerrain.normals,
                view->items};
    }
    bool equals(const Arrays& a) const {
        return sameBits(pipeline->terrain.vertices, a.vertices) &&
               sameBits(pipeline->terrain.normals, a.normals) &&
               sameBits(pipeline->decimatedTerrain.vertices, a.decimatedVertices) &&
               sameBits(pipeline->decimatedTerrain.normals, a.decimatedNormals) &&
               view->items == a.items;
    }
    // One brush stroke across the middle of the view, Shift lowering.
    void stroke(bool lower = false) {
        const QPoint centre(gl->width() / 2, gl->height() / 2);
        view->shiftHeld = lower;
        QTest::mousePress(gl, Qt::LeftButton, {}, centre);
        QTest::mouseMove(gl, centre + QPoint(4, 2));
        QTest::mouseMove(gl, centre + QPoint(8, 4));
        QTest::mouseRelease(gl, Qt::LeftButton, {}, centre + QPoint(8, 4));
        view->shiftHeld = false;
    }
};

TEST_F(EditUndoTest, UndoAndRedoWalkAMixedSequence) {
    std::vector<Arrays> states{arrays()};
    stroke();
    ASSERT_FALSE(equals(states[0])) << "the stroke did not reach the terrain";
    states.push_back(arrays());
    // Window shortcut or viewport key handling, whichever is active: once.
    QTest::keyClick(gl, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(equals(states[0]));
    QTest::keyClick(gl, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(equals(states[1]));
    ItemRecord item;
    item.position = {1, 2, 3};
    item.triangleCount = 100;
    view->items.push_back(item);
    emit gl->itemsEdited(QStringLiteral("paint"));
    states.push_back(arrays());
    stroke(true);
    states.push_back(arrays());
    for (std::size_t i = 1; i < states.size(); ++i)
        ASSERT_FALSE(sameBits(states[i].vertices, states[i - 1].vertices) &&
                     states[i].items == states[i - 1].items)
            << "step " << i << " changed nothing";

    auto* undo = find<QPushButton>("glUndoButton");
    auto* redo = find<QPushButton>("glRedoButton");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    for (int i = int(states.size()) - 2; i >= 0; --i) {
        undo->click();
        ASSERT_TRUE(equals(states[std::size_t(i)])) << i;
    }
    EXPECT_FALSE(undo->isEnabled());
    for (std::size_t i = 1; i < states.size(); ++i) {
        redo->click();
        ASSERT_TRUE(equals(states[i])) << i;
    }
    EXPECT_EQ(find<QLabel>("triangleCountLabel")->text(), "triangles: 522342");

    // A new terrain ends the history.
    find<QPushButton>("terraformButton")->click();
    EXPECT_FALSE(undo->isEnabled());
}

} // namespace
} // namespace morvane::testing
