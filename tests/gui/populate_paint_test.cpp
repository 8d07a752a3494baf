#include "window_fixture.h"

#include "common/random_source.h"
#include "pipeline/pipeline_state.h"
#include "props/obj_model.h"
#include "props/ui/prop_display_lists.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>

namespace morvane::testing {
namespace {

constexpr int kCentreX = 380;
constexpr int kCentreY = 280;
constexpr int kCubeTriangles = 12;

// The window with a terrain of size 100 built and a cube prop chosen in
// slot 1, in PAINT mode.
class PopulatePaintTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        environment.random = &random;
        openWindowWithViewport();
        find<QLineEdit>("FFTerrainSizeLineEdit")->setText("100");
        find<QPushButton>("terraformButton")->click();
        ASSERT_TRUE(pipeline->terrainExists);
        chooseCube();
    }
    void chooseCube() {
        const QString obj = m_root.filePath("cube.obj");
        ASSERT_TRUE(writeFile(obj, "v -1 0 -1\nv 1 0 -1\nv 1 2 -1\nv -1 2 -1\n"
                                   "v -1 0 1\nv 1 0 1\nv 1 2 1\nv -1 2 1\n"
                                   "f 1 4 3 2\nf 5 6 7 8\nf 1 5 8 4\nf 2 3 7 6\nf 4 8 7 3\nf 1 2 6 5\n"));
        ObjFacts facts;
        QStringList console;
        gl->makeCurrent();
        ASSERT_TRUE(gl->propLists().compile(1, {obj}, facts, prompts, console));
        view->currentProp.path = QStringLiteral("/props/cube.pp2");
        view->currentProp.modelSlot = 1;
        view->currentProp.colour = {0.2f, 0.6f, 1.0f};
        view->currentProp.boxMin = facts.boxMin;
        view->currentProp.boxMax = facts.boxMax;
        view->currentProp.triangleCount = kCubeTriangles;
        find<QPushButton>("glPaintButton")->click();
        ASSERT_EQ(view->mode, GLMode::Paint);
    }
    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(gl, &event);
    }
    void click(QPoint pos) {
        mouse(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    }
    void key(QEvent::Type type, int code) {
        QKeyEvent event(type, code, Qt::NoModifier);
        QApplication::sendEvent(gl, &event);
    }
    QString status() const { return find<QLabel>("statusLine")->text(); }
    QString triangles() const { return find<QLabel>("triangleCountLabel")->text(); }
    std::vector<int> numbers() const {
        std::vector<int> out;
        for (const ItemRecord& item : view->items)
            out.push_back(item.itemNumber);
        return out;
    }

    SequenceRandomSource random{5};
};

TEST_F(PopulatePaintTest, BrushDiameterReadoutUpdatesOnReleaseButTheBrushAtOnce) {
    // The terrain build of size 100 sets the brush.
    auto* diameter = find<QSlider>("glEcoDiameterSlider");
    auto* readout = find<QLabel>("glEcoDiameterValueLabel");
    EXPECT_EQ(diameter->maximum(), 100);
    EXPECT_EQ(diameter->value(), 16);
    diameter->setSliderDown(true);
    diameter->setSliderPosition(40);
    EXPECT_EQ(view->brushDiameter, 40.0f);
    EXPECT_EQ(readout->text(), "16/100");
    diameter->setSliderDown(false);
    EXPECT_EQ(readout->text(), "40/100");
}

TEST_F(PopulatePaintTest, HelpLabelSwapsTheViewportForTheHelpWhileTheMouseRestsOnIt) {
    auto* trigger = find<QLabel>("triggerPopulateHelpLabel");
    auto* help = find<QFrame>("HelpLabel");
    auto* viewportArea = find<QFrame>("glViewportArea");
    ASSERT_TRUE(trigger && help && viewportArea);
    const QPoint viewportAt = viewportArea->mapTo(window->window(), QPoint(0, 0));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(trigger, &enter);
    EXPECT_FALSE(help->isHidden());
    EXPECT_TRUE(viewportArea->isHidden());
    EXPECT_EQ(help->mapTo(window->window(), QPoint(0, 0)), viewportAt);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(trigger, &leave);
    EXPECT_TRUE(help->isHidden());
    EXPECT_FALSE(viewportArea->isHidden());
}

TEST_F(PopulatePaintTest, ClicksDragsAndShiftPlaceItemsAndTheDeletionsTakeThemAway) {
    const int terrain = 522242;
    EXPECT_EQ(view->triangleCounter, terrain);
    click({kCentreX, kCentreY});
    ASSERT_EQ(view->items.size(), 1u);
    EXPECT_EQ(status(), "added item # 1");
    EXPECT_EQ(triangles(), "triangles: " + QString::number(terrain + kCubeTriangles));
    EXPECT_LT(std::abs(view->items[0].position[0]), 10.0f); // in the middle of the terrain

    // The same spot again is too close with a distance of 10 m (the cube
    // stands 5 units tall there); a drag paints where 1 m allows.
    find<QSpinBox>("itemDistanceSpinBox")->setValue(1000);
    click({kCentreX, kCentreY});
    EXPECT_EQ(view->items.size(), 1u);
    find<QSpinBox>("itemDistanceSpinBox")->setValue(100);
    mouse(QEvent::MouseButtonPress, {kCentreX - 150, kCentreY + 50}, Qt::LeftButton,
          Qt::LeftButton);
    for (int x = kCentreX - 120; x <= kCentreX - 60; x += 30)
        mouse(QEvent::MouseMove, {x, kCentreY + 50}, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {kCentreX - 60, kCentreY + 50}, Qt::LeftButton,
          Qt::NoButton);
    EXPECT_EQ(view->items.size(), 5u);

    // Shift: five instances (terrain size / 20) inside the brush.
    key(QEvent::KeyPress, Qt::Key_Shift);
    click({kCentreX + 60, kCentreY + 50});
    key(QEvent::KeyRelease, Qt::Key_Shift);
    EXPECT_TRUE(prompts.warnings.empty());
    ASSERT_EQ(view->items.size(), 10u);
    EXPECT_EQ(status(), "added items up to # 10");
    EXPECT_EQ(triangles(), "triangles: " + QString::number(terrain + 10 * kCubeTriangles));
    EXPECT_EQ(numbers(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // The deletions' rules are the core's; here the button, key and question reach them.
    QSignalSpy edits(gl, &GLTerrain::itemsEdited);
    find<QPushButton>("glDeleteLastPaint")->click();
    EXPECT_EQ(status(), "object #10 deleted");
    EXPECT_EQ(triangles(), "triangles: " + QString::number(terrain + 9 * kCubeTriangles));
    view->selectedItem = 3;
    key(QEvent::KeyPress, Qt::Key_Delete);
    EXPECT_EQ(numbers(), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(view->mode, GLMode::Edit);

    find<QPushButton>("glEditDeleteAllButton")->click(); // Cancel keeps everything
    EXPECT_EQ(prompts.questions, QStringList{"Warning|delete all the items?"});
    EXPECT_EQ(view->items.size(), 8u);
    prompts.yesAnswers = {true};
    find<QPushButton>("glEditDeleteAllButton")->click();
    EXPECT_TRUE(view->items.empty());
    EXPECT_EQ(triangles(), "triangles: 522242");
    EXPECT_EQ(gl->propLists().list(1), 0u);
    EXPECT_EQ(edits.count(), 3);
}

TEST_F(PopulatePaintTest, ShiftOnAMaskedSpotGivesUpWithTheMessageAndTerraformClearsTheItems) {
    const QString black = m_root.filePath("black.png");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::black);
    ASSERT_TRUE(image.save(black));
    prompts.files = {black};
    gl->loadMaskTerrainTexture();
    ASSERT_TRUE(gl->maskOn());
    key(QEvent::KeyPress, Qt::Key_Shift);
    click({kCentreX, kCentreY});
    key(QEvent::KeyRelease, Qt::Key_Shift);
    EXPECT_TRUE(view->items.empty());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].second,
              "The area where objects should be deployed seems to be completely masked. Try a "
              "larger radius or choose a different spot.");

    find<QCheckBox>("glMaskTextureCheckBox")->setChecked(false);
    click({kCentreX, kCentreY});
    ASSERT_EQ(view->items.size(), 1u);
    // A new terrain takes the items and the prop away without a question.
    find<QPushButton>("terraformButton")->click();
    EXPECT_TRUE(view->items.empty());
    EXPECT_TRUE(view->currentProp.path.isEmpty());
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(view->triangleCounter, 522242);
}

} // namespace
} // namespace morvane::testing
