// The sky dome in the viewport: set up with the GL context, rebuilt by the
// sky panel's slots, drawn first in every SKY DOME frame.

#include "pipeline/pipeline_state.h"
#include "sky/sky_controls.h"
#include "sky/sky_state.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/ui/viewport_gl.h"

namespace morvane {

namespace {

constexpr GLfloat kStarPointSize = 0.25f;

void skyVertex(const SkyDome& dome, int ring, int segment, float brightness) {
    const auto& c = dome.colour(ring, segment);
    glColor4f(c[0] * brightness, c[1] * brightness, c[2] * brightness, 1.0f);
    glVertex3fv(dome.position(ring, segment).data());
}

} // namespace

void GLTerrain::setSky(SkyState* sky, RandomSource* stars) {
    m_sky = sky;
    m_skyStars = stars;
}

void GLTerrain::setUpSky() {
    if (!m_sky)
        return;
    m_sky->recomputeSun();
    rebuildSkyDome(true);
}

void GLTerrain::rebuildSkyDome(bool newStars) {
    m_sky->rebuildDome(terrainSize() / 2.0, newStars ? m_skyStars : nullptr);
}

void GLTerrain::changeSky(int slider, int value) {
    if (!m_sky)
        return;
    const auto which = SkySlider(slider);
    applySkySlider(m_sky->parameters, which, value);
    emit skyLabelChanged(slider, skyLabelAfterChange(which, value));
    m_sky->recomputeSun();
    rebuildSkyDome(which == SkySlider::StarPopulation);
    setGLFocus();
}

void GLTerrain::glSunPitchSliderReleased(int value) {
    changeSky(int(SkySlider::SunPitch), value);
}
void GLTerrain::glSunAzimuthSliderReleased(int value) {
    changeSky(int(SkySlider::SunAzimuth), value);
}
void GLTerrain::glrSkyMxSliderReleased(int value) {
    changeSky(int(SkySlider::RedGain), value);
}
void GLTerrain::glgSkyMxSliderReleased(int value) {
    changeSky(int(SkySlider::GreenGain), value);
}
void GLTerrain::glbSkyMxSliderReleased(int value) {
    changeSky(int(SkySlider::BlueGain), value);
}
void GLTerrain::TurbiditySliderReleased(int value) {
    changeSky(int(SkySlider::Turbidity), value);
}
void GLTerrain::glHorizonBrightnessSliderReleased(int value) {
    changeSky(int(SkySlider::HorizonLuminance), value);
}
void GLTerrain::glHorizonLuminanceGradientSliderReleased(int value) {
    changeSky(int(SkySlider::HorizonDarkness), value);
}
void GLTerrain::glSolarRegionIntensitySliderReleased(int value) {
    changeSky(int(SkySlider::SolarRegionIntensity), value);
}
void GLTerrain::glSolarRegionWidthSliderReleased(int value) {
    changeSky(int(SkySlider::SolarRegionWidth), value);
}
void GLTerrain::glBackscatterLightSliderReleased(int value) {
    changeSky(int(SkySlider::BackscatterLight), value);
}
void GLTerrain::glStarIntensitySliderReleased(int value) {
    changeSky(int(SkySlider::StarIntensity), value);
}
void GLTerrain::glStarPopulationSliderReleased(int value) {
    changeSky(int(SkySlider::StarPopulation), value);
}

void GLTerrain::glSkyResetButtonClicked() {
    if (!m_sky)
        return;
    resetSkyParameters(m_sky->parameters);
    emit skyReset();
    m_sky->recomputeSun();
    rebuildSkyDome(true);
    setGLFocus();
}

void GLTerrain::drawSkyDome(double height) {
    if (!m_sky || m_sky->dome.positions.empty())
        return;
    const SkyDome& dome = m_sky->dome;
    constexpr int rings = SkyDome::kRings;
    constexpr int segments = SkyDome::kSegments;

    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);

    float brightness[rings];
    for (int i = 0; i < rings; ++i)
        brightness[i] = ringBrightness(dome.ringWeights[std::size_t(i)], height);

    glBegin(GL_TRIANGLE_FAN);
    const auto& last = dome.colour(rings - 1, 0);
    glColor4f(last[0] * brightness[rings - 1], last[1] * brightness[rings - 1],
              last[2] * brightness[rings - 1], 1.0f);
    glVertex3f(0.0f, float(dome.radius), 0.0f);
    for (int j = segments - 1; j >= 0; --j)
        skyVertex(dome, rings - 1, j, brightness[rings - 1]);
    glEnd();

    for (int i = 0; i + 1 < rings; ++i) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j <= segments; ++j) {
            const int segment = j % segments;
            skyVertex(dome, i, segment, brightness[i]);
            skyVertex(dome, i + 1, segment, brightness[i + 1]);
        }
        glEnd();
    }

    const SkyParameters& p = m_sky->parameters;
    if (p.starsVisible() && !dome.stars.empty()) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glPointSize(kStarPointSize);
        glColor4f(1.0f, 1.0f, 1.0f, float(p.starIntensity) / 100.0f);
        glBegin(GL_POINTS);
        for (const StarPoint& star : dome.stars)
            glVertex3f(star.x, star.y, star.z);
        glEnd();
        glDisable(GL_BLEND);
    }
    // The rest of the frame expects the set-up's culling.
    glEnable(GL_CULL_FACE);
}

} // namespace morvane
