// The dome's geometry, colours and stars, and the sky sliders' scaling.

#include "sky/sky_controls.h"
#include "sky/sky_dome.h"
#include "sky/sky_model.h"
#include "sky/sky_state.h"
#include "sky_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace morvane {
namespace {

using testing::ScriptedRandom;

TEST(SkyDome, RingsRunFromTheZenithAndSegmentsCloseTheCircle) {
    SkyState sky;
    SequenceRandomSource random(7);
    sky.rebuildDome(50.0, &random);
    const SkyDome& dome = sky.dome;
    ASSERT_EQ(dome.positions.size(), 128u * 128u);

    EXPECT_NEAR(dome.position(0, 0)[1], 50.0f, 1e-4);
    // The table's truncation leaves the top ring a hair off the axis.
    EXPECT_NEAR(std::hypot(dome.position(0, 17)[0], dome.position(0, 17)[2]), 0.0, 0.1);
    EXPECT_NEAR(dome.position(64, 0)[1], 0.0f, 1e-3); // ring 64: the horizon
    EXPECT_LT(dome.position(127, 5)[1], -49.9f);
    // An azimuth of 357.1875 is taken as 0.
    EXPECT_EQ(dome.position(40, 127), dome.position(40, 0));
    // Segment 32 is a quarter turn: along x.
    EXPECT_NEAR(dome.position(64, 32)[0], 50.0f, 0.1);

    for (int ring : {0, 64, 127})
        for (int segment : {0, 45, 127}) {
            const SkyRgb c = SkyModel(sky.parameters, sky.sun)
                                 .colour(90.0 - ring * 1.40625, segment * 2.8125);
            EXPECT_EQ(std::make_pair(dome.colour(ring, segment)[0], dome.colour(ring, segment)[2]),
                      std::make_pair(float(c.red), float(c.blue)));
        }
    EXPECT_FLOAT_EQ(dome.ringWeights[0], 0.0f);
    EXPECT_FLOAT_EQ(dome.ringWeights[64], float(1.0 - std::exp(-0.025 * 90.0)));

    EXPECT_NEAR(ringBrightness(0.8f, 1e9), 0.2f, 1e-6);
    EXPECT_NEAR(ringBrightness(0.5f, 10000.0), 1.0 - (1.0 - std::exp(-1.0)) * 0.5, 1e-6);
}

TEST(SkyDome, StarsDrawTheirNumbersInOrder) {
    // Radius 10: a = -10 + r mod 21. First pair (10, 10) is outside the
    // disc and drawn again; (6, 8) lies on the rim; then the side
    // (-100 + r mod 201: 50 - 100 < 0, below) and the size (97: class 4).
    ScriptedRandom random({20, 20, 16, 18, 50, 97, 10, 10, 150, 80});
    const std::vector<StarPoint> stars = placeStars(2, 10.0, random);
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_EQ(std::make_tuple(stars[0].x, stars[0].z, stars[0].sizeClass),
              std::make_tuple(6.0f, 8.0f, 4));
    EXPECT_NEAR(stars[0].y, 0.0f, 1e-6);
    // (0, 0) is the pole; 150 - 100 >= 0 puts it above; 80 is class 2.
    EXPECT_EQ(std::make_pair(stars[1].y, stars[1].sizeClass), std::make_pair(10.0f, 2));
    EXPECT_EQ(random.used(), 10u);
}

TEST(SkyDome, StarsLieOnTheSphereAndKeepTheirPlaces) {
    SkyState sky;
    sky.parameters.starPopulation = 2000;
    SequenceRandomSource random(11);
    sky.rebuildDome(40.0, &random);
    ASSERT_EQ(sky.dome.stars.size(), 2000u);
    int counts[5] = {};
    int above = 0;
    for (const StarPoint& s : sky.dome.stars) {
        EXPECT_NEAR(std::sqrt(double(s.x) * s.x + double(s.y) * s.y + double(s.z) * s.z), 40.0,
                    1e-3);
        ASSERT_TRUE(s.sizeClass >= 2 && s.sizeClass <= 4) << s.sizeClass;
        ++counts[s.sizeClass];
        above += s.y >= 0.0f;
    }
    // 81 : 16 : 4 of 101.
    EXPECT_NEAR(counts[2] / 2000.0, 81.0 / 101.0, 0.04);
    EXPECT_NEAR(counts[4] / 2000.0, 4.0 / 101.0, 0.02);
    EXPECT_NEAR(above / 2000.0, 101.0 / 201.0, 0.05);

    // A rebuild without a random source keeps the stars where they were.
    const std::vector<StarPoint> before = sky.dome.stars;
    sky.parameters.sunPitch = 10.0;
    sky.recomputeSun();
    sky.rebuildDome(40.0, nullptr);
    ASSERT_EQ(sky.dome.stars.size(), before.size());
    EXPECT_EQ(sky.dome.stars.back().y, before.back().y);

    // A degenerate radius leaves the stars at the origin, not NaN.
    SkyDome tiny;
    rebuildSkyDome(tiny, sky.parameters, sky.sun, 0.0, &random);
    ASSERT_FALSE(tiny.stars.empty());
    EXPECT_EQ(tiny.stars.front().y, 0.0f);
}

TEST(SkyControls, SlidersScaleIntoParametersAndLabels) {
    const QString deg(QChar(0x00B0));
    struct Row {
        SkySlider slider;
        int value;
        double SkyParameters::*field;
        double parameter;
        QString label;
    };
    const Row rows[] = {
        {SkySlider::SunPitch, 35, &SkyParameters::sunPitch, 35.0, "sun pitch: 35" + deg},
        {SkySlider::RedGain, 13, &SkyParameters::redGain, 1.3, "red gamma: 1.3" + deg},
        {SkySlider::Turbidity, 257, &SkyParameters::turbidity, 2.57, "turbidity: 2.57"},
        {SkySlider::HorizonLuminance, -35, &SkyParameters::horizonLuminance, -0.35,
         "horizon luminance: -0.35"},
        {SkySlider::BackscatterLight, -100, &SkyParameters::backscatterLight, -10.0,
         "backscatter light: -10"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(skySliderSpec(r.slider).objectName);
        SkyParameters p;
        applySkySlider(p, r.slider, r.value);
        EXPECT_NEAR(p.*(r.field), r.parameter, 1e-12);
        EXPECT_EQ(skyLabelAfterChange(r.slider, r.value), r.label);
    }
    SkyParameters p;
    applySkySlider(p, SkySlider::StarPopulation, 12000);
    EXPECT_EQ(p.starPopulation, 12000);
    EXPECT_EQ(skyLabelAfterReset(SkySlider::SunPitch), "sun pitch: 60" + deg);
    EXPECT_EQ(skyLabelAfterReset(SkySlider::Turbidity), "turbidity: 2.0");

    // Every start value gives back the start parameters.
    SkyParameters fromSliders;
    fromSliders.turbidity = 9.0;
    resetSkyParameters(fromSliders);
    SkyParameters started;
    for (const SkySliderSpec& spec : skySliderSpecs())
        applySkySlider(started, spec.slider, spec.start);
    EXPECT_NEAR(started.turbidity, fromSliders.turbidity, 1e-12);
    EXPECT_NEAR(started.solarRegionIntensity, fromSliders.solarRegionIntensity, 1e-12);
    EXPECT_EQ(started.starPopulation, fromSliders.starPopulation);
}

} // namespace
} // namespace morvane
