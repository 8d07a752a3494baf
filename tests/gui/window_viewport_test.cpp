#include "window_fixture.h"

#include "pipeline/pipeline_state.h"
#include "props/obj_model.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>

#include <GL/gl.h>

#include <set>

namespace morvane::testing {
namespace {

const char* const kObjError = "There was an error loading your custom terrain .obj file";

// A drag as the user makes it: pressed, moved to `value`, released.
void drag(QSlider* slider, std::initializer_list<int> values, bool release = true) {
    slider->setSliderDown(true);
    for (int value : values)
        slider->setSliderPosition(value);
    if (release)
        slider->setSliderDown(false);
}

ItemRecord itemAt(float x, float y, float z) {
    ItemRecord item;
    item.position = {x, y, z};
    item.rotation = {10, 20, -30};
    item.scale = {150.9f, 80.0f, 100.0f};
    item.boxMin = {0.0f, 0.0f, 0.0f};
    item.boxMax = {2.0f, 2.0f, 2.0f};
    return item;
}

class WindowViewportTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        openWindowWithViewport();
    }
    QString file(const QString& name, const QByteArray& content) const {
        const QString path = m_root.filePath(name);
        EXPECT_TRUE(writeFile(path, content));
        return path;
    }
    // A tilted quad of 60 x 80 units across the ground: diagonal 100,
    // heights 1 to 5.
    QString quadObj() const {
        return file("terrain.obj", "# a small terrain\n"
                                   "v -30 1 -40\nv 30 1 -40\nv 30 5 40\nv -30 5 40\n"
                                   "f 1 2 3 4\n");
    }
    QString navigation() const { // pan x, pan y, distance
        const NavigationPosition& nav = gl->navigation();
        return QString("%1 %2 %3").arg(nav.panX).arg(nav.panY).arg(nav.distance);
    }
};

TEST_F(WindowViewportTest, ModeButtonsSwitchModeSelectionAndPanels) {
    view->items = {itemAt(1, 2, 3)};
    auto* edit = find<QFrame>("glEditPanelFrame");
    auto pick = [&] {
        view->selectedItem = 1;
        QMetaObject::invokeMethod(gl, "itemPicked", Q_ARG(int, 1));
    };

    find<QPushButton>("glEditButton")->click();
    pick();
    EXPECT_FALSE(edit->isHidden());
    // Picking shows the item, angles and scales cut to whole numbers.
    EXPECT_EQ(find<QSpinBox>("glYRotCurrentSpinBox")->value(), 20);
    EXPECT_EQ(find<QSpinBox>("glscaleCurrentXSpinBox")->value(), 150);
    find<QPushButton>("glEditButton")->click(); // EDIT keeps the pick
    EXPECT_EQ(view->selectedItem, 1);
    EXPECT_FALSE(edit->isHidden());

    const std::pair<const char*, GLMode> modes[] = {{"glPaintButton", GLMode::Paint},
                                                    {"glTerrainButton", GLMode::Terrain},
                                                    {"glSkyButton", GLMode::SkyDome}};
    for (const auto& [name, mode] : modes) {
        find<QPushButton>("glEditButton")->click();
        pick();
        find<QPushButton>(name)->click();
        EXPECT_EQ(view->mode, mode) << name;
        EXPECT_EQ(view->selectedItem, -1) << name;
        EXPECT_TRUE(edit->isHidden()) << name;
        EXPECT_EQ(find<QFrame>("glSkyPanelFrame")->isHidden(), mode != GLMode::SkyDome) << name;
    }

    find<QPushButton>("glEditButton")->click();
    pick();
    QMetaObject::invokeMethod(gl, "selectionCleared"); // an empty pick
    EXPECT_TRUE(edit->isHidden());
}

TEST_F(WindowViewportTest, PanSlidersMoveTheCameraAndSpringBackWithoutMovingIt) {
    ASSERT_EQ(pipeline->finalStage.terrainSize(), 100);
    auto* vertical = find<QSlider>("glVSlider");
    auto* horizontal = find<QSlider>("glHSlider");
    NavigationPosition& nav = gl->navigation();
    nav = NavigationPosition{1.0, 2.0, 300.0};

    drag(vertical, {3, 10}, false);
    EXPECT_DOUBLE_EQ(nav.panY, 12.0);
    drag(vertical, {4}); // and released
    EXPECT_DOUBLE_EQ(nav.panY, 6.0);

    drag(horizontal, {-10, -25});
    EXPECT_EQ(horizontal->value(), 0);
    // A page step after a drag counts from where the slider stood.
    horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_DOUBLE_EQ(nav.panX, -20.0);
    EXPECT_DOUBLE_EQ(nav.distance, 300.0);

    // The step scales with the terrain.
    pipeline->finalStage.terrainSizeText = "1000";
    drag(vertical, {1});
    EXPECT_DOUBLE_EQ(nav.panY, 16.0);
}

TEST_F(WindowViewportTest, ResetViewFramesTheTerrainOrThePickedItem) {
    glCamera& camera = gl->camera();
    camera.yaw = camera.roll = camera.pitch = 33.0f;
    gl->navigation() = NavigationPosition{5.0, 6.0, 7.0};
    find<QPushButton>("glResetViewButton")->click();
    EXPECT_EQ(navigation(), "0 0 200");
    EXPECT_EQ(QString("%1 %2 %3").arg(camera.yaw).arg(camera.roll).arg(camera.pitch), "0 0 20");

    view->items = {itemAt(9, 9, 9), itemAt(3, 4, 5)};
    view->selectedItem = 2;
    window->resetView();
    EXPECT_EQ(navigation(), "3 7 17"); // 1.5 and 6 box heights above and behind
}

TEST_F(WindowViewportTest, TerraformOpensTheTabsAndHandsTheTerrainToTheViewport) {
    QTabWidget* tabs = controller();
    auto* size = find<QLineEdit>("FFTerrainSizeLineEdit");
    auto* terraform = find<QPushButton>("terraformButton");
    gl->makeCurrent();
    while (glGetError() != GL_NO_ERROR) {
    }
    size->setText("0");
    terraform->click();
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].second, "nice try... please enter a terrain size higher than 0");
    EXPECT_FALSE(tabs->isTabEnabled(1));
    EXPECT_EQ(tabs->currentIndex(), 0);

    find<QAbstractSlider>("FFTerrainSizeSlider")->setValue(3);
    ASSERT_EQ(size->text(), "1000");
    terraform->click();
    EXPECT_TRUE(tabs->isTabEnabled(1) && tabs->isTabEnabled(2));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(find<QLabel>("triangleCountLabel")->text(), "triangles: 522242");
    EXPECT_FALSE(find<QLabel>("triangleCountLabel")->isHidden());

    // A custom terrain goes when a terrain is generated; the view is reset.
    prompts.files = {quadObj()};
    window->loadCustomTerrain();
    ASSERT_NE(gl->customTerrain(), nullptr);
    gl->camera().yaw = 45.0f;
    gl->navigation() = NavigationPosition{3.0, 4.0, 5.0};
    size->setText("100");
    terraform->click();
    EXPECT_EQ(gl->customTerrain(), nullptr);
    EXPECT_DOUBLE_EQ(gl->farPlane(), 1600.0);
    EXPECT_EQ(navigation(), "0 0 200");
    EXPECT_EQ(gl->camera().yaw, 0.0f);
    // A refused size leaves the far plane of the terrain on show.
    size->setText("0");
    terraform->click();
    EXPECT_DOUBLE_EQ(gl->farPlane(), 1600.0);
    gl->makeCurrent();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A second terrain of the same size reaches the buffer objects: the view
// drawn from them matches the one drawn from the arrays.
TEST_F(WindowViewportTest, TerraformedPresetShowsInTheViewport) {
    find<QPushButton>("terraformButton")->click(); // the flat start-up terrain
    const auto presets = find<QScrollArea>("presetsScrollArea")->findChildren<QAbstractButton*>(
        QRegularExpression("^__native__.*/alpine ridges\\.ipf$"));
    ASSERT_EQ(presets.size(), 1);
    presets[0]->click();
    find<QPushButton>("terraformButton")->click();
    controller()->setCurrentIndex(0);
    QCoreApplication::processEvents();

    gl->updateGL();
    const QImage buffered = gl->grabFrameBuffer();
    find<QCheckBox>("vboCheckBox")->setChecked(false); // the check box reaches the viewport
    gl->updateGL();
    const QImage arrays = gl->grabFrameBuffer();
    ASSERT_EQ(buffered.size(), arrays.size());
    std::set<QRgb> colours;
    int different = 0;
    for (int y = 0; y < arrays.height(); y += 3)
        for (int x = 0; x < arrays.width(); x += 3) {
            colours.insert(arrays.pixel(x, y));
            different += buffered.pixel(x, y) != arrays.pixel(x, y) ? 1 : 0;
        }
    EXPECT_GT(colours.size(), 500u); // a lit, textured terrain, not a flat fill
    EXPECT_LT(different, 50);
}

TEST_F(WindowViewportTest, LoadCustomTerrainRefusesBadFilesAndInstallsAndFramesAGoodOne) {
    window->loadCustomTerrain(); // no file chosen
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0],
              std::make_pair(QString("Error"), QString("no .obj file chosen!")));

    const QString missing = m_root.filePath("nowhere/terrain.obj");
    const QString garbage = file("garbage.obj", "\x01\x02 hello\nworld 1 2 3\n\xff\xfe\n");
    const QString noFaces = file("points.obj", "v 0 0 0\nv 1 0 0\nv 0 0 1\n");
    for (const QString& path : {missing, garbage, noFaces}) {
        prompts.warnings.clear();
        prompts.files = {path};
        window->loadCustomTerrain();
        ASSERT_FALSE(prompts.warnings.empty()) << path.toStdString();
        EXPECT_EQ(prompts.warnings.back(), std::make_pair(QString("Error"), QString(kObjError)));
        EXPECT_EQ(gl->customTerrain(), nullptr);
        EXPECT_FALSE(pipeline->customTerrainLoaded || pipeline->terrainExists);
        EXPECT_FALSE(controller()->isTabEnabled(1));
        EXPECT_EQ(prompts.warnings.front().second,
                  path == missing ? "Error loading file: " + missing : QString(kObjError));
    }
    EXPECT_EQ(prompts.numberDialogs.value(0),
              "Warning|enter the scale percentage of your terrain::|100|0.1|10000|2");

    prompts.warnings.clear();
    const QString obj = quadObj();
    prompts.files = {obj};
    prompts.numbers = {}; // scale question cancelled: 100 %
    controller()->setCurrentIndex(3);
    window->loadCustomTerrain();
    EXPECT_TRUE(prompts.warnings.empty());
    ASSERT_NE(gl->customTerrain(), nullptr);
    EXPECT_EQ(gl->customTerrainScale(), 100.0f);
    EXPECT_TRUE(pipeline->customTerrainLoaded && pipeline->terrainExists);
    EXPECT_EQ(controller()->currentIndex(), 1);
    EXPECT_EQ(find<QLabel>("triangleCountLabel")->text(), "triangles: 2");
    EXPECT_EQ(pipeline->finalStage.terrainSize(), 100);
    EXPECT_EQ(navigation(), "0 3 200"); // pan y: the middle of the heights
    // Smoothed normals were made for painting on it.
    EXPECT_EQ(gl->customTerrain()->smoothedNormals.size(), 4u);

    // Loading again over a terrain deletes the items without asking; the
    // scale is taken when above 0.
    view->items = {itemAt(1, 1, 1)};
    view->selectedItem = 1;
    prompts.files = {obj, obj};
    prompts.numbers = {50.0, -5.0};
    window->loadCustomTerrain();
    EXPECT_TRUE(view->items.empty() && view->selectedItem == -1);
    EXPECT_EQ(gl->customTerrainScale(), 50.0f);
    EXPECT_EQ(pipeline->finalStage.terrainSize(), 50);
    EXPECT_DOUBLE_EQ(gl->farPlane(), 800.0);
    EXPECT_EQ(navigation(), "0 1.5 100");
    window->loadCustomTerrain();
    EXPECT_EQ(gl->customTerrainScale(), 100.0f);
    EXPECT_TRUE(prompts.questions.isEmpty());
}

// Loaded textures tick their boxes; the boxes switch the viewport.
TEST_F(WindowViewportTest, ToolControlsReachTheViewport) {
    const QString image = m_root.filePath("mask.jpg");
    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(image));
    prompts.files = {image, image};
    for (const char* texture : {"glReferenceTexture", "glMaskTexture"}) {
        find<QPushButton>(texture + QString("Button"))->click();
        EXPECT_TRUE(find<QCheckBox>(texture + QString("CheckBox"))->isChecked()) << texture;
        find<QCheckBox>(texture + QString("CheckBox"))->setChecked(false);
    }
    EXPECT_FALSE(gl->referenceTextureOn() || gl->maskOn());
}

} // namespace
} // namespace morvane::testing
