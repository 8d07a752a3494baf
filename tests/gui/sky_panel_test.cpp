#include "window_fixture.h"

#include "sky/sky_state.h"
#include "sky/ui/sky_map_controls.h"
#include "viewport/ui/gl_terrain.h"

#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace morvane::testing {
namespace {

const QString kDegree(QChar(0x00B0));

class SkyPanelTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        openWindow();
        gl = window->viewport();
        ASSERT_TRUE(gl && gl->sky());
        find<QPushButton>("glSkyButton")->click();
        QCoreApplication::processEvents(); // the GL context is made on the first paint
    }
    QSlider* slider(const char* name) const { return find<QSlider>(name); }
    QString label(const char* name) const {
        const QLabel* l = find<QLabel>(name);
        return l ? l->text() : QStringLiteral("<missing>");
    }
    // Moves a slider as a drag does (sliderMoved on every step).
    void drag(const char* name, int value) const {
        QSlider* s = slider(name);
        ASSERT_TRUE(s) << name;
        s->setSliderDown(true);
        s->setSliderPosition(value);
        s->setSliderDown(false);
    }
    std::vector<std::array<float, 3>> domeColours() const { return gl->sky()->dome.colours; }
    QImage frame() {
        gl->updateGL();
        return gl->grabFrameBuffer();
    }

    GLTerrain* gl = nullptr;
};

TEST_F(SkyPanelTest, SlidersRelabelAndRecolourTheDome) {
    // The start label carries no degree sign until the slider moves.
    EXPECT_EQ(label("glSunPitchLabel"), "sun pitch: 60");
    const auto before = domeColours();
    const QImage noon = frame();

    drag("glSunPitchSlider", 5);
    EXPECT_EQ(label("glSunPitchLabel"), "sun pitch: 5" + kDegree);
    EXPECT_DOUBLE_EQ(gl->sky()->parameters.sunPitch, 5.0);
    const auto dusk = domeColours();
    EXPECT_NE(dusk, before);
    // The sun went down: the dome's zenith is darker than at noon.
    EXPECT_LT(dusk[0][2], before[0][2]);
    EXPECT_NE(frame(), noon);

    drag("glrSkyMxSlider", 21);
    EXPECT_NE(domeColours(), dusk);

    // Other sliders keep the stars where they are; the population moves them.
    const std::vector<StarPoint> stars = gl->sky()->dome.stars;
    drag("glSunAzimuthSlider", 200);
    EXPECT_EQ(gl->sky()->dome.stars.front().x, stars.front().x);
    drag("glStarPopulationSlider", 500);
    EXPECT_EQ(gl->sky()->dome.stars.size(), 500u);
}

TEST_F(SkyPanelTest, ResetRestoresSlidersLabelsAndPlacesNewStars) {
    drag("glSunPitchSlider", 12);
    drag("TurbiditySlider", 700);
    drag("glStarPopulationSlider", 40);
    ASSERT_EQ(gl->sky()->dome.stars.size(), 40u);
    const std::vector<StarPoint> few = gl->sky()->dome.stars;

    find<QPushButton>("glSkyResetButton")->click();
    EXPECT_EQ(slider("glSunPitchSlider")->value(), 60);
    EXPECT_EQ(label("glSunPitchLabel"), "sun pitch: 60" + kDegree);
    EXPECT_DOUBLE_EQ(gl->sky()->parameters.turbidity, 2.0);
    ASSERT_EQ(gl->sky()->dome.stars.size(), 3000u);
    EXPECT_FALSE(few.front().x == gl->sky()->dome.stars.front().x &&
                 few.front().z == gl->sky()->dome.stars.front().z &&
                 few[1].x == gl->sky()->dome.stars[1].x);
}

TEST_F(SkyPanelTest, MapSizeListGatesTheButtonAndWritesTheMap) {
    auto* size = find<QComboBox>("skyDomeMapSizeComboBox");
    auto* button = find<QPushButton>("skyDomeTextureGenerateButton");
    ASSERT_TRUE(size && button);
    EXPECT_EQ(size->currentText(), "no thanks");
    EXPECT_FALSE(button->isEnabledTo(button->parentWidget()));

    auto* controls = find<SkyMapControls>("skyMapControls");
    ASSERT_TRUE(controls);
    const QString path = dataDir() + "/maps/" + skyMapGroupName(nullptr) + "_skyDome.jpg";
    EXPECT_EQ(skyMapGroupName(nullptr), "my Terrain 1");
    controls->regenerateSkyDomeTexture(); // "no thanks": nothing
    EXPECT_FALSE(QFileInfo::exists(path));

    size->setCurrentText("4096");
    // On the CREATE tab, which stays locked until a terrain exists.
    EXPECT_TRUE(button->isEnabledTo(button->parentWidget()));
    drag("glSunPitchSlider", 10);
    controls->regenerateSkyDomeTexture();
    EXPECT_EQ(QImage(path).size(), QSize(4096, 4096));
    EXPECT_EQ(label("statusLine"), "sky dome map generated");
}

// A screenshot for looking at is written where MORVANE_SKY_SHOTS points.
TEST_F(SkyPanelTest, DomeIsDrawnAroundACameraInsideIt) {
    gl->navigation().distance = 0.0;
    gl->camera().pitch = -20.0f;
    drag("glSunPitchSlider", 3);
    drag("glSunAzimuthSlider", 90);
    frame();
    const QImage shot = frame();
    // A sky, not the clear colour.
    EXPECT_NE(shot.pixel(shot.width() / 2, shot.height() / 4), qRgb(192, 220, 252));
    const QString shots = qEnvironmentVariable("MORVANE_SKY_SHOTS");
    if (!shots.isEmpty())
        shot.save(shots + "/sky_sunrise.png");
}

} // namespace
} // namespace morvane::testing
