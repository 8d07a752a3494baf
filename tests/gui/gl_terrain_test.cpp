#include "gui/gui_fixture.h"

#include "pipeline/terrain_arrays.h"
#include "props/obj_model.h"
#include "props/ui/prop_display_lists.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QApplication>
#include <QGLShaderProgram>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <GL/gl.h>

#include <memory>

namespace morvane::testing {
namespace {

const QRgb kSky = qRgb(192, 220, 252);
constexpr int kCentreX = 380;
constexpr int kCentreY = 280;
constexpr int kSize = 100;
constexpr float kHeightUp = 20.0f;

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return count;
}

class GLTerrainTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        viewPaths = paths;
        viewPaths.pluginDir = QStringLiteral(MORVANE_PX_DIR);
        state.finalStage.terrainSizeText = QString::number(kSize);
    }

    // Full and decimated sets of a white terrain sloping up along +x.
    void buildSlope() {
        noise::utils::NoiseMap map(512, 512);
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x)
                map.SetValue(x, y, float(x));
        TerrainBuildParams params;
        params.terrainSize = kSize;
        params.heightLow = 0;
        params.heightUp = int(kHeightUp);
        state.terrain = buildTerrainArrays(map, params, log);
        state.decimatedTerrain = buildDecimatedTerrainArrays(map, params, log);
        state.terrainExists = true;
    }

    // The viewport; with `slope`, over the slope terrain and looking straight down on it.
    GLTerrain& show(bool slope = true) {
        if (slope)
            buildSlope();
        QGLFormat format;
        format.setDoubleBuffer(true);
        format.setDepthBufferSize(24);
        owner = std::make_unique<GLTerrain>(
            format, ViewportContext{state, viewport, prompts, progress, log, viewPaths});
        view = owner.get();
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
        // World +x to the right, world +z downwards on the screen.
        view->camera().yaw = view->camera().roll = 0.0f;
        view->camera().pitch = 90.0f;
        view->navigation() = NavigationPosition{0.0, 0.0, 150.0};
        view->camera().position = {0.0f, 0.0f, 150.0f};
        return *view;
    }

    QImage frame() {
        view->updateGL();
        return view->grabFrameBuffer();
    }
    QRgb centre() { return frame().pixel(kCentreX, kCentreY); }

    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
    void press(QPoint pos) { mouse(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton); }
    void key(QEvent::Type type, int code) {
        QKeyEvent event(type, code, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }
    void wheel(int delta) {
        QWheelEvent event(QPointF(kCentreX, kCentreY), QPointF(kCentreX, kCentreY), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
    }
    QString write(const QString& name, const QByteArray& content) {
        EXPECT_TRUE(writeFile(root() + "/" + name, content));
        return root() + "/" + name;
    }
    // A cube of side 2 around the origin as prop slot 1, in EDIT mode.
    void compileCube() {
        const QString file =
            write("cube.obj", "v -1 -1 -1\nv 1 -1 -1\nv 1 1 -1\nv -1 1 -1\n"
                              "v -1 -1 1\nv 1 -1 1\nv 1 1 1\nv -1 1 1\n"
                              "f 1 4 3 2\nf 5 6 7 8\nf 1 5 8 4\nf 2 3 7 6\nf 4 8 7 3\nf 1 2 6 5\n");
        view->makeCurrent();
        ASSERT_TRUE(view->propLists().compile(1, {file}, facts, prompts, console));
        viewport.mode = GLMode::Edit;
    }
    void addItem(float y) {
        ItemRecord item;
        item.position = {0.0f, y, 0.0f};
        item.modelSlot = 1;
        item.boxMin = {-1.0f, -1.0f, -1.0f};
        item.boxMax = {1.0f, 1.0f, 1.0f};
        viewport.items.push_back(item);
    }
    // The hit and the selected item after a pick.
    std::pair<int, int> pickAt(int x, int y) { return {view->pick(x, y), viewport.selectedItem}; }
    QString lastStatus() const {
        QString text;
        for (const QString& event : progress.events)
            if (event.startsWith("status:"))
                text = event.mid(7);
        return text;
    }
    QString writeImage(const QString& name, QColor colour, int width) {
        QImage image(width, 16, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(root() + "/" + name));
        return root() + "/" + name;
    }

    PipelinePaths viewPaths;
    ObjFacts facts;
    QStringList console;
    ViewportState viewport;
    std::unique_ptr<GLTerrain> owner;
    GLTerrain* view = nullptr;
};

// The shader files ship with the plug-in: an edit that breaks them must show.
TEST_F(GLTerrainTest, ShaderFilesCompileAndLink) {
    show(false);
    view->makeCurrent();
    QGLShaderProgram program(view->context());
    EXPECT_TRUE(program.addShaderFromSourceFile(
        QGLShader::Vertex, QStringLiteral(MORVANE_PX_DIR "/shaders/terrain.vert")));
    EXPECT_TRUE(program.addShaderFromSourceFile(
        QGLShader::Fragment, QStringLiteral(MORVANE_PX_DIR "/shaders/terrain.frag")));
    EXPECT_TRUE(program.link()) << program.log().toStdString();
}

// A terrain built before the context exists is uploaded at set-up; a larger
// one later grows the buffers. The buffers match the client arrays throughout.
TEST_F(GLTerrainTest, BuffersDrawWhatWasUploadedLikeTheClientArrays) {
    buildSlope();
    TerrainArrays full = std::move(state.terrain);
    state.terrain = state.decimatedTerrain; // 128 x 128
    show(false);
    auto sameWithoutBuffers = [&](const QImage& buffers) {
        viewport.useVBO = false;
        EXPECT_EQ(differingPixels(buffers, frame()), 0);
        viewport.useVBO = true;
    };
    const QImage small = frame();
    sameWithoutBuffers(small);

    state.terrain = std::move(full);
    view->uploadTerrainBuffers();
    sameWithoutBuffers(frame());
    // Deformation re-uploads positions and normals only.
    for (std::size_t i = 1; i < state.terrain.vertices.size(); i += 3)
        state.terrain.vertices[i] -= 30.0f;
    view->uploadPositionsAndNormals();
    view->makeCurrent();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    const QImage sunk = frame();
    sameWithoutBuffers(sunk);
    EXPECT_GT(differingPixels(sunk, small), 1000); // the sunk terrain looks smaller

    // The buffers draw what was uploaded, not the arrays as they are now.
    std::fill(state.terrain.terrainColors.begin(), state.terrain.terrainColors.end(), 0.0f);
    EXPECT_EQ(differingPixels(frame(), sunk), 0);
    view->uploadTerrainBuffers();
    const QImage black = frame();
    EXPECT_LT(qRed(black.pixel(kCentreX, kCentreY)), 80);
    // The proxy draws the decimated set, still white.
    viewport.proxyActive = true;
    const QImage proxy = frame();
    EXPECT_GT(qRed(proxy.pixel(kCentreX, kCentreY)), 120);
    EXPECT_GT(differingPixels(proxy, black), 10000);
}

TEST_F(GLTerrainTest, PickingInEditModeSelectsTheNearestItem) {
    show();
    compileCube();
    addItem(40.0f); // nearer to the camera
    addItem(30.0f);
    QSignalSpy cleared(view, &GLTerrain::selectionCleared);

    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(2, 1));
    // Drawn last now, the selected item is still the nearer one.
    std::swap(viewport.items[0], viewport.items[1]);
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(2, 2));
    EXPECT_EQ(lastStatus(), "picked object #2");

    // Nothing under the cursor deselects, and so does a hit outside EDIT.
    EXPECT_EQ(pickAt(5, 5), std::make_pair(0, -1));
    viewport.selectedItem = 1;
    viewport.mode = GLMode::Paint;
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(2, -1));
    EXPECT_EQ(cleared.count(), 2);

    // Sixteen hits fit, the highest is taken; one more overflows and deselects.
    viewport.mode = GLMode::Edit;
    for (int i = 2; i < 16; ++i)
        addItem(50.0f + 2.0f * float(i));
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(16, 16));
    addItem(-10.0f);
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(-1, -1));
}

TEST_F(GLTerrainTest, WheelKeysAndAltDragMoveTheCameraAndHoldTheProxy) {
    show();
    view->camera().pitch = 0.0f; // level, so a turn is not clamped
    view->setCameraSpeed(3.0f);
    view->navigation() = NavigationPosition{0.0, 0.0, 200.0};

    // The step formulas are the camera's own; here the terrain size and keys reach them.
    wheel(120); // 120 x 0.1 x 100 / 100
    EXPECT_DOUBLE_EQ(view->navigation().distance, 212.0);
    EXPECT_FALSE(viewport.proxyActive); // option off

    // Alt: even one pixel turns by the speed, and the proxy is held.
    view->switchBoundingAll();
    key(QEvent::KeyPress, Qt::Key_Alt);
    mouse(QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
    mouse(QEvent::MouseMove, {101, 101}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(view->camera().yaw, 3.0f);
    view->wheelTimeout();
    EXPECT_TRUE(viewport.proxyActive);
    key(QEvent::KeyRelease, Qt::Key_Alt);
    view->wheelTimeout();
    EXPECT_FALSE(viewport.proxyActive);
    mouse(QEvent::MouseMove, {150, 150}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(view->camera().yaw, 3.0f); // no turn without Alt
}

TEST_F(GLTerrainTest, LeftPressAndDragRaiseTheModesHooks) {
    show(false);
    QSignalSpy paint(view, &GLTerrain::paintRequested);
    QSignalSpy deform(view, &GLTerrain::deformRequested);
    viewport.mode = GLMode::Paint;
    viewport.currentProp.path = "rock.pp2";

    press({10, 20}); // without a terrain a press only marks the button
    EXPECT_EQ(paint.count(), 0);
    buildSlope();
    press({10, 20});
    key(QEvent::KeyPress, Qt::Key_Shift);
    press({11, 21});
    mouse(QEvent::MouseMove, {12, 22}, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(paint.count(), 3);
    EXPECT_EQ(paint.at(1), (QList<QVariant>{11, 21, true}));
    EXPECT_EQ(paint.at(2), (QList<QVariant>{12, 22, false})); // a drag places single items

    // Several instances at once are refused on an OBJ terrain, and so is sculpting.
    state.customTerrainLoaded = true;
    press({13, 23});
    EXPECT_EQ(paint.count(), 3);
    EXPECT_FALSE(viewport.shiftHeld);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].second,
              "Multiple instances deployment is not allowed with custom .obj files!");
    viewport.mode = GLMode::Terrain;
    press({14, 24});
    EXPECT_EQ(deform.count(), 0);
    state.customTerrainLoaded = false;
    press({14, 24});
    EXPECT_EQ(deform.count(), 1);
}

TEST_F(GLTerrainTest, BrushCentreLandsOnTheSurfaceAndStaysOffIt) {
    show();
    viewport.mode = GLMode::Terrain;
    mouse(QEvent::MouseMove, {kCentreX + 100, kCentreY + 50}, Qt::NoButton, Qt::NoButton);
    const std::array<float, 3> brush = viewport.brushCentre;
    EXPECT_GT(brush[0], 5.0f); // right of the middle
    EXPECT_GT(brush[2], 2.0f); // below it on the screen
    EXPECT_NEAR(brush[1], (brush[0] + kSize / 2.0) / kSize * kHeightUp, 0.05); // on the slope

    // Beyond the terrain the brush stays; so it does with Alt held.
    mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(viewport.brushCentre, brush);
    key(QEvent::KeyPress, Qt::Key_Alt);
    mouse(QEvent::MouseMove, {kCentreX, kCentreY}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(viewport.brushCentre, brush);
}

TEST_F(GLTerrainTest, TexturesLoadOrWarnKeepTheirImageAndHidingAnObjMaskWarns) {
    show();
    view->loadReferenceTerrainTexture();
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0], std::make_pair(QString("Error"), QString("no image selected")));

    QSignalSpy referenceLoaded(view, &GLTerrain::referenceTextureLoaded);
    prompts.files.push_back(writeImage("red.bmp", Qt::red, 32));
    view->loadReferenceTerrainTexture();
    EXPECT_TRUE(view->referenceTextureOn());
    const QImage red = frame();
    const QRgb redPixel = red.pixel(kCentreX, kCentreY);
    EXPECT_GT(qRed(redPixel), 2 * qGreen(redPixel) + 40);

    // A file that is not an image: the red texture stays.
    prompts.files.push_back(write("broken.jpg", "not a picture"));
    view->loadReferenceTerrainTexture();
    EXPECT_EQ(referenceLoaded.count(), 1);
    EXPECT_EQ(differingPixels(frame(), red), 0);
    view->setReferenceTextureOnOffCheckBox(0);
    EXPECT_LT(qRed(centre()), qBlue(centre()) + 20);

    prompts.files.push_back(writeImage("mask.bmp", Qt::black, 40));
    view->loadMaskTerrainTexture();
    EXPECT_EQ(lastStatus(), "mask texture loaded, width:40");
    EXPECT_TRUE(view->maskOn() && view->maskDisplayOn());
    EXPECT_LT(qGray(centre()), 40); // the black mask shows

    // Hiding the mask warns on an OBJ terrain only, and only while the mask is on.
    const std::size_t warned = prompts.warnings.size();
    view->setmaskTextureDisplayOnOffCheckBox(0);
    state.customTerrainLoaded = true;
    view->setmaskTextureDisplayOnOffCheckBox(2);
    view->setmaskTextureDisplayOnOffCheckBox(0);
    ASSERT_EQ(prompts.warnings.size(), warned + 1);
    EXPECT_EQ(prompts.warnings.back().second,
              "Hiding the mask when using a .obj file will actually disable the mask itself!");
    view->setMaskTextureOnOffCheckBox(0);
    view->setmaskTextureDisplayOnOffCheckBox(0);
    EXPECT_EQ(prompts.warnings.size(), warned + 1);
}

TEST_F(GLTerrainTest, CustomTerrainIsDrawnFromItsListAndDiscarded) {
    show(false);
    const QString file =
        write("ground.obj", "v -10 0 -10\nv 10 0 -10\nv 10 0 10\nv -10 0 10\nf 1 2 3 4\n");
    auto model = readObjModel(file, facts, prompts, console);
    ASSERT_TRUE(model);
    computeVertexNormals(*model, 90.0f);
    state.terrainExists = state.customTerrainLoaded = true;

    EXPECT_EQ(view->setCustomTerrain(std::move(model), 300.0f), 2);
    // 20 units at 300 % cover the middle and reach 30 units out.
    const QImage scaled = frame();
    EXPECT_NE(scaled.pixel(kCentreX + 100, kCentreY), kSky);
    EXPECT_EQ(scaled.pixel(5, 5), kSky);
    view->discardCustomTerrain();
    EXPECT_EQ(view->customTerrain(), nullptr);
    EXPECT_EQ(centre(), kSky);
}

} // namespace
} // namespace morvane::testing
