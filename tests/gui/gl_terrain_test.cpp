#include "gui/gui_fixture.h"

#include "pipeline/terrain_arrays.h"
#include "props/obj_model.h"
#include "props/prop_display_lists.h"
#include "viewport/gl_terrain.h"
#include "viewport/viewport_gl.h"
#include "viewport/viewport_state.h"

#include <QApplication>
#include <QGLShaderProgram>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <GL/gl.h>

#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace morvane::testing {
namespace {

const QRgb kSky = qRgb(192, 220, 252);
constexpr int kCentreX = 380;
constexpr int kCentreY = 280;
constexpr int kSize = 100;
constexpr float kHeightUp = 20.0f;

// The slope terrain rises linearly along +x.
float slopeHeight(double x) { return float((x + kSize / 2.0) / kSize * kHeightUp); }

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

    // The viewport beside a line edit that can take the focus; with
    // `slope`, over the slope terrain and looking straight down on it.
    GLTerrain& show(bool slope = true) {
        if (slope)
            buildSlope();
        container = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(container.get());
        other = new QLineEdit(container.get());
        layout->addWidget(other);
        QGLFormat format;
        format.setDoubleBuffer(true);
        format.setDepthBufferSize(24);
        view = new GLTerrain(format,
                             ViewportContext{state, viewport, prompts, progress, log, viewPaths},
                             container.get());
        layout->addWidget(view);
        container->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(container.get()));
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
        const QString file = root() + "/" + name;
        EXPECT_TRUE(writeFile(file, content));
        return file;
    }
    // A cube of side 2 around the origin as prop slot 1, in EDIT mode.
    void compileCube() {
        const QString file =
            write("cube.obj", "v -1 -1 -1\nv 1 -1 -1\nv 1 1 -1\nv -1 1 -1\n"
                              "v -1 -1 1\nv 1 -1 1\nv 1 1 1\nv -1 1 1\n"
                              "f 1 4 3 2\nf 5 6 7 8\nf 1 5 8 4\nf 2 3 7 6\nf 4 8 7 3\nf 1 2 6 5\n");
        ObjFacts facts;
        QStringList console;
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
    std::pair<int, int> pickAt(int x, int y) {
        const int hit = view->pick(x, y);
        return {hit, viewport.selectedItem};
    }
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
        const QString file = root() + "/" + name;
        EXPECT_TRUE(image.save(file));
        return file;
    }

    PipelinePaths viewPaths;
    ViewportState viewport;
    std::unique_ptr<QWidget> container;
    QLineEdit* other = nullptr;
    GLTerrain* view = nullptr;
};

TEST_F(GLTerrainTest, ShadersLinkAndWithoutTerrainOnlySkyAndGizmoAreDrawn) {
    show(false);
    EXPECT_EQ(view->size(), QSize(760, 560));
    view->makeCurrent();
    QGLShaderProgram program(view->context());
    EXPECT_TRUE(program.addShaderFromSourceFile(
        QGLShader::Vertex, QStringLiteral(MORVANE_PX_DIR "/shaders/terrain.vert")));
    EXPECT_TRUE(program.addShaderFromSourceFile(
        QGLShader::Fragment, QStringLiteral(MORVANE_PX_DIR "/shaders/terrain.frag")));
    EXPECT_TRUE(program.link()) << program.log().toStdString();

    const QImage empty = frame();
    int gizmoPixels = 0;
    for (int y = 0; y < empty.height(); ++y)
        for (int x = 0; x < empty.width(); ++x)
            if (empty.pixel(x, y) != kSky) {
                ASSERT_TRUE(x > 90 && x < 180 && y > 470) << x << "," << y; // lower left
                ++gizmoPixels;
            }
    EXPECT_GT(gizmoPixels, 20);

    buildSlope();
    const QImage withTerrain = frame();
    EXPECT_NE(withTerrain.pixel(kCentreX, kCentreY), kSky);
    EXPECT_EQ(withTerrain.pixel(5, 5), kSky);
    viewport.mode = GLMode::SkyDome;
    EXPECT_EQ(centre(), kSky);

    // The prop's thumbnail shows in the lower right corner in PAINT mode only.
    QImage thumbnail(8, 8, QImage::Format_RGB32);
    thumbnail.fill(Qt::blue);
    view->setPropThumbnail(thumbnail);
    viewport.currentPropPath = "rock.pp2";
    EXPECT_EQ(frame().pixel(640, 540), kSky);
    viewport.mode = GLMode::Paint;
    EXPECT_EQ(frame().pixel(640, 540), qRgb(0, 0, 255));
    viewport.currentPropPath.clear();
    EXPECT_EQ(frame().pixel(640, 540), kSky);
}

#if defined(__GLIBC__)
// A software renderer keeps freed frame memory at the heap top; that is a
// matter of speed only, the picture must not change.
TEST_F(GLTerrainTest, SoftwareRendererKeepsFrameMemoryWithTheSamePicture) {
    EXPECT_TRUE(isSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(isSoftwareRenderer("softpipe"));
    EXPECT_FALSE(isSoftwareRenderer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(isSoftwareRenderer(nullptr));

    show();
    view->makeCurrent();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!isSoftwareRenderer(renderer))
        GTEST_SKIP() << "hardware renderer: " << renderer;
    const QImage retained = frame();
    mallopt(M_TRIM_THRESHOLD, 128 * 1024); // glibc's default
    EXPECT_EQ(differingPixels(retained, frame()), 0);
#ifndef __SANITIZE_ADDRESS__ // the sanitizer's allocator takes no glibc tuning
    EXPECT_TRUE(retainHeapForRenderer(renderer));
#endif
}
#endif

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
    QSignalSpy picked(view, &GLTerrain::itemPicked);
    QSignalSpy cleared(view, &GLTerrain::selectionCleared);

    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(2, 1));
    // Drawn last now, the selected item is still the nearer one.
    std::swap(viewport.items[0], viewport.items[1]);
    viewport.selectedItem = -1;
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(2, 2));
    ASSERT_EQ(picked.count(), 2);
    EXPECT_EQ(picked.at(1).at(0).toInt(), 2);
    EXPECT_EQ(lastStatus(), "picked object #2");

    // Nothing under the cursor deselects, and so does a hit outside EDIT.
    EXPECT_EQ(pickAt(5, 5), std::make_pair(0, -1));
    EXPECT_EQ(lastStatus(), "");
    viewport.selectedItem = 1;
    viewport.mode = GLMode::Paint;
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(2, -1));
    EXPECT_EQ(cleared.count(), 2);

    // The proxy's bounding boxes are picked like the models.
    viewport.mode = GLMode::Edit;
    viewport.proxyActive = true;
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(2, 2));

    // Sixteen hits fit, the highest is taken; one more overflows and deselects.
    viewport.proxyActive = false;
    for (int i = 2; i < 16; ++i)
        addItem(50.0f + 2.0f * float(i));
    EXPECT_EQ(pickAt(kCentreX, kCentreY), std::make_pair(16, 16));
    addItem(-10.0f);
    EXPECT_LT(view->pick(kCentreX, kCentreY), 0);
    EXPECT_EQ(viewport.selectedItem, -1);
}

TEST_F(GLTerrainTest, WheelKeysAndAltDragMoveTheCamera) {
    show();
    view->camera().pitch = 0.0f; // level, so a turn is not clamped
    view->setCameraSpeed(3.0f);
    view->navigation() = NavigationPosition{0.0, 0.0, 200.0};

    // The step formulas are the camera's own; here the terrain size and keys reach them.
    wheel(120); // 120 x 0.1 x 100 / 100
    EXPECT_DOUBLE_EQ(view->navigation().distance, 212.0);
    key(QEvent::KeyPress, Qt::Key_Shift);
    wheel(-120);
    EXPECT_DOUBLE_EQ(view->navigation().distance, 92.0);
    key(QEvent::KeyRelease, Qt::Key_Shift);
    key(QEvent::KeyPress, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(view->navigation().distance, 82.0);
    key(QEvent::KeyPress, Qt::Key_PageDown);
    key(QEvent::KeyPress, Qt::Key_PageDown);
    EXPECT_DOUBLE_EQ(view->navigation().distance, 102.0);

    // Alt: even one pixel turns by the speed; the right button pans.
    key(QEvent::KeyPress, Qt::Key_Alt);
    mouse(QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
    mouse(QEvent::MouseMove, {101, 101}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(view->camera().yaw, 3.0f);
    EXPECT_FLOAT_EQ(view->camera().pitch, 3.0f);
    mouse(QEvent::MouseMove, {90, 101}, Qt::NoButton, Qt::RightButton);
    EXPECT_DOUBLE_EQ(view->navigation().panX, 100.0 / 200.0 * 3.0);
    EXPECT_FLOAT_EQ(view->camera().yaw, 3.0f);
    key(QEvent::KeyRelease, Qt::Key_Alt);
    mouse(QEvent::MouseMove, {150, 150}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(view->camera().yaw, 3.0f);
}

TEST_F(GLTerrainTest, ProxyFollowsWheelAndAltAndFocusReturnsOnTheFirstTick) {
    show();
    QSignalSpy option(view, &GLTerrain::boundingAllChanged);
    wheel(120);
    EXPECT_FALSE(viewport.proxyActive); // option off
    view->switchBoundingAll();
    ASSERT_EQ(option.count(), 1);
    EXPECT_TRUE(option.at(0).at(0).toBool());
    wheel(120);
    EXPECT_TRUE(viewport.proxyActive);

    other->setFocus();
    view->wheelTimeout();
    EXPECT_FALSE(viewport.proxyActive);
    EXPECT_EQ(container->focusWidget(), view);
    other->setFocus();
    view->wheelTimeout(); // tick 1: focus stays where the user put it
    EXPECT_EQ(container->focusWidget(), other);

    key(QEvent::KeyPress, Qt::Key_Alt);
    EXPECT_TRUE(viewport.proxyActive);
    view->wheelTimeout();
    EXPECT_TRUE(viewport.proxyActive); // held while Alt is down
    key(QEvent::KeyRelease, Qt::Key_Alt);
    view->wheelTimeout();
    EXPECT_FALSE(viewport.proxyActive);
}

TEST_F(GLTerrainTest, LeftPressAndDragRaiseTheModesHooks) {
    show(false);
    QSignalSpy paint(view, &GLTerrain::paintRequested);
    QSignalSpy deform(view, &GLTerrain::deformRequested);
    QSignalSpy move(view, &GLTerrain::moveSelectedItemRequested);
    QSignalSpy remove(view, &GLTerrain::deleteCurrentObjectRequested);
    QSignalSpy entered(view, &GLTerrain::mouseEnteredViewport);
    viewport.mode = GLMode::Paint;
    viewport.currentPropPath = "rock.pp2";

    // Without a terrain a press only marks the button.
    press({10, 20});
    EXPECT_TRUE(viewport.mouseDown);
    EXPECT_EQ(paint.count(), 0);
    mouse(QEvent::MouseButtonRelease, {10, 20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(viewport.mouseDown);

    buildSlope();
    mouse(QEvent::MouseButtonPress, {10, 20}, Qt::RightButton, Qt::RightButton);
    press({10, 20});
    key(QEvent::KeyPress, Qt::Key_Shift);
    press({11, 21});
    mouse(QEvent::MouseMove, {12, 22}, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(paint.count(), 3);
    EXPECT_EQ(paint.at(0), (QList<QVariant>{10, 20, false}));
    EXPECT_EQ(paint.at(1), (QList<QVariant>{11, 21, true}));
    EXPECT_EQ(paint.at(2), (QList<QVariant>{12, 22, false})); // a drag places single items

    // Several instances at once are refused on an OBJ terrain.
    state.customTerrainLoaded = true;
    press({13, 23});
    EXPECT_EQ(paint.count(), 3);
    EXPECT_FALSE(viewport.shiftHeld);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0],
              std::make_pair(QString("Error"),
                             QString("Multiple instances deployment is not allowed with custom "
                                     ".obj files!")));

    viewport.mode = GLMode::Terrain;
    press({14, 24});
    EXPECT_EQ(deform.count(), 0); // no sculpting of an OBJ terrain
    state.customTerrainLoaded = false;
    press({14, 24});
    mouse(QEvent::MouseMove, {15, 25}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(deform.count(), 2);

    viewport.mode = GLMode::Edit;
    viewport.selectedItem = 1;
    viewport.items.resize(1);
    mouse(QEvent::MouseMove, {16, 26}, Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(move.count(), 1);
    EXPECT_EQ(move.at(0), (QList<QVariant>{16, 26}));
    mouse(QEvent::MouseButtonRelease, {16, 26}, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseMove, {17, 27}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(move.count(), 1);
    EXPECT_EQ(entered.count(), 4);
    key(QEvent::KeyPress, Qt::Key_Delete);
    EXPECT_EQ(remove.count(), 1);
}

TEST_F(GLTerrainTest, BrushCentreLandsOnTheSurfaceAndStaysOffIt) {
    show();
    viewport.mode = GLMode::Edit;
    viewport.brushDiameter = 20.0f;
    viewport.brushCentre = {0.0f, slopeHeight(0.0), 0.0f};
    const QRgb without = centre();
    viewport.mode = GLMode::Terrain;
    const QRgb with = centre();
    EXPECT_GT(qGreen(with) - qRed(with), qGreen(without) - qRed(without) + 10);

    mouse(QEvent::MouseMove, {kCentreX + 100, kCentreY + 50}, Qt::NoButton, Qt::NoButton);
    const std::array<float, 3> brush = viewport.brushCentre;
    EXPECT_GT(brush[0], 5.0f); // right of the middle
    EXPECT_GT(brush[2], 2.0f); // below it on the screen
    EXPECT_NEAR(brush[1], slopeHeight(brush[0]), 0.05f);

    // Beyond the terrain the brush stays; so it does with Alt held.
    mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(viewport.brushCentre, brush);
    key(QEvent::KeyPress, Qt::Key_Alt);
    mouse(QEvent::MouseMove, {kCentreX, kCentreY}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(viewport.brushCentre, brush);
    key(QEvent::KeyRelease, Qt::Key_Alt);
    view->updateBrushCentre(kCentreX, kCentreY);
    EXPECT_NEAR(viewport.brushCentre[0], 0.0f, 0.3f);
    EXPECT_NEAR(viewport.brushCentre[1], slopeHeight(viewport.brushCentre[0]), 0.05f);
}

TEST_F(GLTerrainTest, TexturesLoadOrWarnKeepTheirImageAndHidingAnObjMaskWarns) {
    show();
    view->loadReferenceTerrainTexture();
    view->loadMaskTerrainTexture();
    ASSERT_EQ(prompts.warnings.size(), 2u);
    EXPECT_EQ(prompts.warnings[1], std::make_pair(QString("Error"), QString("no image selected")));
    EXPECT_EQ(prompts.fileDialogs[0], "Open image|" + paths.dataDir + "|Images (*.jpg *.bmp)");
    EXPECT_FALSE(view->referenceTextureOn());

    QSignalSpy referenceLoaded(view, &GLTerrain::referenceTextureLoaded);
    prompts.files.push_back(writeImage("red.bmp", Qt::red, 32));
    view->loadReferenceTerrainTexture();
    EXPECT_EQ(referenceLoaded.count(), 1);
    EXPECT_TRUE(view->referenceTextureOn());
    EXPECT_EQ(lastStatus(), "reference texture loaded");
    EXPECT_EQ(view->lastImageFolder(), root());
    const QImage red = frame();
    const QRgb redPixel = red.pixel(kCentreX, kCentreY);
    EXPECT_GT(qRed(redPixel), 2 * qGreen(redPixel) + 40);

    // Cancelled, or a file that is not an image: the red texture stays.
    view->loadReferenceTerrainTexture();
    EXPECT_EQ(prompts.warnings.size(), 3u);
    prompts.files.push_back(write("broken.jpg", "not a picture"));
    view->loadReferenceTerrainTexture();
    EXPECT_NE(lastStatus(), "reference texture loaded");
    EXPECT_EQ(referenceLoaded.count(), 1);
    EXPECT_EQ(differingPixels(frame(), red), 0);
    // The buffer objects show the texture too.
    viewport.useVBO = !viewport.useVBO;
    EXPECT_EQ(differingPixels(frame(), red), 0);
    viewport.useVBO = !viewport.useVBO;

    view->setReferenceTextureOnOffCheckBox(0);
    const QRgb plain = centre();
    EXPECT_LT(qRed(plain), qBlue(plain) + 20);

    QSignalSpy maskLoaded(view, &GLTerrain::maskTextureLoaded);
    prompts.files.push_back(writeImage("mask.bmp", Qt::black, 40));
    view->loadMaskTerrainTexture();
    EXPECT_EQ(maskLoaded.count(), 1);
    EXPECT_EQ(lastStatus(), "mask texture loaded, width:40");
    EXPECT_TRUE(view->maskOn());
    EXPECT_TRUE(view->maskDisplayOn());
    EXPECT_LT(qGray(centre()), 40); // the black mask shows
    view->loadMaskTerrainTexture(); // cancelled: the mask stays
    EXPECT_EQ(view->maskImage().width(), 40);

    // Hiding the mask warns on an OBJ terrain only, and only while the mask is on.
    const std::size_t warned = prompts.warnings.size();
    view->setmaskTextureDisplayOnOffCheckBox(0);
    EXPECT_EQ(prompts.warnings.size(), warned);
    state.customTerrainLoaded = true;
    view->setmaskTextureDisplayOnOffCheckBox(2);
    view->setmaskTextureDisplayOnOffCheckBox(0);
    EXPECT_FALSE(view->maskDisplayOn());
    ASSERT_EQ(prompts.warnings.size(), warned + 1);
    EXPECT_EQ(prompts.warnings.back().second,
              "Hiding the mask when using a .obj file will actually disable the mask itself!");
    view->setMaskTextureOnOffCheckBox(0);
    view->setmaskTextureDisplayOnOffCheckBox(0);
    EXPECT_EQ(prompts.warnings.size(), warned + 1);
}

// Label texts of speed, pitch and intensity are checked through the window.
TEST_F(GLTerrainTest, LightSlidersChangeThePicture) {
    show();
    QSignalSpy azimuth(view, &GLTerrain::lightAzimuthLabelChanged);
    view->glLightPitchSliderReleased(30);
    view->glLightAzimuthSliderReleased(270); // towards -x, where the slope faces
    const int lit = qGray(centre());
    view->glLightIntensitySliderReleased(0);
    EXPECT_LT(qGray(centre()), lit - 60);
    EXPECT_EQ(azimuth.at(0).at(0).toString(), QString::fromUtf8("openGL light azimuth: 270\u00b0"));
    EXPECT_EQ(container->focusWidget(), view);
}

TEST_F(GLTerrainTest, CustomTerrainIsDrawnFromItsListAndDiscarded) {
    show(false);
    const QString file =
        write("ground.obj", "v -10 0 -10\nv 10 0 -10\nv 10 0 10\nv -10 0 10\nf 1 2 3 4\n");
    ObjFacts facts;
    QStringList console;
    auto model = readObjModel(file, facts, prompts, console);
    ASSERT_TRUE(model);
    computeFacetNormals(*model);
    computeVertexNormals(*model, 90.0f);
    state.terrainExists = state.customTerrainLoaded = true;

    EXPECT_EQ(view->setCustomTerrain(std::move(model), 300.0f), 2);
    EXPECT_TRUE(log.lines.last().startsWith("terrain DL stored in slot #"));
    // 20 units at 300 % cover the middle and reach 30 units out.
    const QImage scaled = frame();
    EXPECT_NE(scaled.pixel(kCentreX, kCentreY), kSky);
    EXPECT_NE(scaled.pixel(kCentreX + 100, kCentreY), kSky);
    EXPECT_EQ(scaled.pixel(5, 5), kSky);

    view->discardCustomTerrain();
    EXPECT_EQ(view->customTerrain(), nullptr);
    EXPECT_EQ(centre(), kSky);
}

} // namespace
} // namespace morvane::testing
