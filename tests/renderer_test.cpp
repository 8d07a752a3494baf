#include "color_print.h"
#include "noise/renderer_image.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <ostream>

using noise::utils::Color;
using noise::utils::Image;
using noise::utils::NoiseMap;
using noise::utils::RendererImage;

namespace {

Color grey(std::uint8_t level) { return Color(level, level, level, 255); }

// Colour of the gradient picture's top row at column i.
Color topRowColor(int i) {
    return Color(std::uint8_t(i * 37), std::uint8_t(i * 11 + 5), std::uint8_t(i >> 3), 255);
}

} // namespace

TEST(RendererImage, RejectsIncompleteSetupAndBadLightSettings) {
    NoiseMap map(4, 4), empty;
    Image image;
    RendererImage emptySource, renderer;
    emptySource.SetSourceNoiseMap(empty);
    emptySource.SetDestImage(image);
    EXPECT_THROW(emptySource.Render(), noise::ExceptionInvalidParam);

    // Fewer than two gradient points.
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.ClearGradient();
    renderer.AddGradientPoint(0.0, Color(1, 2, 3, 255));
    EXPECT_THROW(renderer.Render(), noise::ExceptionInvalidParam);

    EXPECT_THROW(renderer.SetLightContrast(std::nan("")), noise::ExceptionInvalidParam);
    EXPECT_THROW(renderer.SetLightIntensity(-0.01), noise::ExceptionInvalidParam);
}

// The image takes the map's size; translucent colours are blended over
// white, then scaled by the light clamped to 0..1 and the light colour.
TEST(RendererImage, OutputIsTheGradientColourOverWhiteTimesTheLight) {
    NoiseMap map(7, 5);
    map.Clear(0.5f);
    Image image(2, 2);
    RendererImage renderer;
    renderer.ClearGradient();
    renderer.AddGradientPoint(-1.0, Color(10, 20, 30, 255));
    renderer.AddGradientPoint(0.0, Color(200, 0, 100, 255));
    renderer.AddGradientPoint(1.0, Color(0, 255, 51, 255));
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.Render();
    ASSERT_EQ(image.GetWidth(), 7);
    EXPECT_EQ(image.GetValue(6, 4), Color(100, 127, 75, 255));

    // (1 - a) + a c / 255 with a = 128/255, times 255: 132.02, 177.20, 227.39.
    const Color half(10, 100, 200, 128), blended(132, 177, 227, 255);
    EXPECT_EQ(renderer.CalcDestColor(half, 0.3), blended); // no light: factor unused
    EXPECT_EQ(renderer.CalcDestColor(Color(10, 100, 200, 0), 1.0), grey(255));

    renderer.EnableLight();
    renderer.SetLightColor(Color(255, 128, 64, 255));
    // 132.02 * 0.8, 177.20 * 0.8 * 128/255, 227.39 * 0.8 * 64/255.
    EXPECT_EQ(renderer.CalcDestColor(half, 0.8), Color(105, 71, 45, 255));
    // 2.3, 2.3 * 128/255, 2.3 * 64/255 -> 0.577.
    EXPECT_EQ(renderer.CalcDestColor(grey(255), 2.3), Color(255, 255, 147, 255));
    EXPECT_EQ(renderer.CalcDestColor(grey(255), 0.0), Color(0, 0, 0, 255));
}

// Border points use themselves for the missing neighbour; "down" is the
// previous row and "up" the next one. Elevation 30, contrast 2: flat ground
// gets 0.3536, and a height difference of 0.1 between the neighbours adds 0.1583.
TEST(RendererImage, LightFromNeighboursIncludingBorders) {
    NoiseMap map(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            map.SetValue(x, y, -0.1f * float(x) - 0.05f * float(y * y));
    Image image;
    RendererImage renderer; // white everywhere, so that the output shows the light alone
    renderer.ClearGradient();
    renderer.AddGradientPoint(-1.0, grey(255));
    renderer.AddGradientPoint(1.0, grey(255));
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.EnableLight();
    renderer.SetLightElev(30.0);
    renderer.SetLightContrast(2.0);
    // Facing away from the light: clamped to 0.
    EXPECT_EQ(renderer.CalcLightIntensity(0.0, 0.0, 1.0, 0.0, 0.0), 0.0);

    renderer.SetLightAzimuth(0.0); // left minus right: 0.2 inside, 0.1 at the borders
    renderer.Render();
    EXPECT_EQ(image.GetValue(2, 1), grey(170));
    EXPECT_EQ(image.GetValue(0, 1), grey(130));
    EXPECT_EQ(image.GetValue(5, 1), grey(130));
    renderer.SetLightAzimuth(90.0); // down minus up: 0.05, 0.2 and 0.25 at rows 0, 1, 3
    renderer.Render();
    EXPECT_EQ(image.GetValue(2, 0), grey(110));
    EXPECT_EQ(image.GetValue(2, 1), grey(170));
    EXPECT_EQ(image.GetValue(2, 3), grey(191));
}

TEST(RendererImage, LoadsGradientFromTopRowOfPicture) {
    QTemporaryDir dir;
    QImage picture(2048, 4, QImage::Format_RGB32);
    picture.fill(Qt::white); // the rows below must not be read
    for (int x = 0; x < 2048; ++x) {
        const Color c = topRowColor(x);
        picture.setPixel(x, 0, qRgb(c.red, c.green, c.blue));
    }
    const QString path = dir.filePath("gradient.bmp");
    ASSERT_TRUE(picture.save(path, "BMP"));

    RendererImage renderer;
    ASSERT_TRUE(renderer.LoadGradientFromImage(path));
    const auto& gradient = renderer.GetGradient();
    ASSERT_EQ(gradient.GetGradientPointCount(), 2048);
    for (int i : {0, 1, 1024, 2047})
        EXPECT_EQ(gradient.GetColor((i + 1) / 1024.0 - 1.0), topRowColor(i)) << i;
    EXPECT_EQ(gradient.GetColor(-1.0), topRowColor(0));
}

// Missing: a grey ramp; too narrow: the row stretched. Either way the
// load reports failure and rendering still works.
TEST(RendererImage, UnusableGradientPictureStillLeavesAGradient) {
    QTemporaryDir dir;
    RendererImage renderer;
    EXPECT_FALSE(renderer.LoadGradientFromImage(dir.filePath("missing.bmp")));
    EXPECT_EQ(renderer.GetGradient().GetColor(1.0), grey(255));
    EXPECT_EQ(renderer.GetGradient().GetColor(0.0), grey(127));

    QImage narrow(1000, 2, QImage::Format_RGB32);
    narrow.fill(qRgb(12, 34, 56));
    ASSERT_TRUE(narrow.save(dir.filePath("narrow.bmp"), "BMP"));
    EXPECT_FALSE(renderer.LoadGradientFromImage(dir.filePath("narrow.bmp")));
    EXPECT_EQ(renderer.GetGradient().GetGradientPointCount(), 2048);
    NoiseMap map(3, 3);
    map.Clear(0.1f);
    Image image;
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    EXPECT_NO_THROW(renderer.Render());
    EXPECT_EQ(image.GetValue(2, 2), Color(12, 34, 56, 255));
}
