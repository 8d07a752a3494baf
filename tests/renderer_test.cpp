#include "color_print.h"
#include "noise/renderer_image.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <ostream>

using noise::utils::Color;
using noise::utils::Image;
using noise::utils::NoiseMap;
using noise::utils::RendererImage;

namespace {

Color grey(std::uint8_t level) { return Color(level, level, level, 255); }

// Light reaching a point from the height differences around it.
double expectedLight(double azimuth, double elev, double contrast, double left, double right,
                     double down, double up) {
    const double rad = 3.14159265358979323846 / 180.0;
    const double io = std::sqrt(2.0) * std::sin(elev * rad) / 2.0;
    const double slope = (1.0 - io) * contrast * std::sqrt(2.0) * std::cos(elev * rad);
    return std::max(0.0, slope * std::cos(azimuth * rad) * (left - right) +
                             slope * std::sin(azimuth * rad) * (down - up) + io);
}

// White everywhere, so that the output shows the light alone.
void setUpLit(RendererImage& renderer, NoiseMap& map, Image& image) {
    renderer.ClearGradient();
    renderer.AddGradientPoint(-100.0, grey(255));
    renderer.AddGradientPoint(100.0, grey(255));
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.EnableLight();
}

// Colour of the gradient picture's top row at column i.
Color topRowColor(int i) {
    return Color(std::uint8_t(i * 37), std::uint8_t(i * 11 + 5), std::uint8_t(i >> 3), 255);
}

} // namespace

TEST(RendererImage, RejectsIncompleteSetupAndBadLightSettings) {
    NoiseMap map(4, 4), empty;
    map.Clear(0.0f);
    Image image;
    RendererImage noSource, noDest, emptySource, renderer;
    noSource.SetDestImage(image);
    EXPECT_THROW(noSource.Render(), noise::ExceptionInvalidParam);
    noDest.SetSourceNoiseMap(map);
    EXPECT_THROW(noDest.Render(), noise::ExceptionInvalidParam);
    emptySource.SetSourceNoiseMap(empty);
    emptySource.SetDestImage(image);
    EXPECT_THROW(emptySource.Render(), noise::ExceptionInvalidParam);

    // Fewer than two gradient points.
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.ClearGradient();
    EXPECT_THROW(renderer.Render(), noise::ExceptionInvalidParam);
    renderer.AddGradientPoint(0.0, Color(1, 2, 3, 255));
    EXPECT_THROW(renderer.Render(), noise::ExceptionInvalidParam);
    renderer.AddGradientPoint(0.5, Color(1, 2, 3, 255));
    EXPECT_NO_THROW(renderer.Render());

    for (double bad : {0.0, std::nan("")})
        EXPECT_THROW(renderer.SetLightContrast(bad), noise::ExceptionInvalidParam) << bad;
    for (double bad : {-0.01, std::nan("")})
        EXPECT_THROW(renderer.SetLightIntensity(bad), noise::ExceptionInvalidParam) << bad;
}

// The image takes the map's size; translucent colours are blended over white.
TEST(RendererImage, UnlitOutputIsTheGradientColourOverWhite) {
    NoiseMap map(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            map.SetValue(x, y, -1.2f + 0.1f * float(x + 7 * y));
    map.SetValue(3, 0, 0.5f);
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
    ASSERT_EQ(image.GetHeight(), 5);
    EXPECT_EQ(image.GetValue(3, 0), Color(100, 127, 75, 255));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(image.GetValue(x, y), renderer.GetGradient().GetColor(map.GetValue(x, y)))
                << x << "," << y;

    // (1 - a) + a c / 255 with a = 128/255, times 255: 132.02, 177.20, 227.39;
    // without light the light factor is not applied.
    const Color half(10, 100, 200, 128), blended(132, 177, 227, 255);
    EXPECT_EQ(renderer.CalcDestColor(half, 0.3), blended);
    EXPECT_EQ(renderer.CalcDestColor(Color(10, 100, 200, 0), 1.0), grey(255));
    renderer.ClearGradient();
    renderer.AddGradientPoint(-1.0, half);
    renderer.AddGradientPoint(1.0, half);
    renderer.Render();
    EXPECT_EQ(image.GetValue(6, 4), blended);

    renderer.EnableLight();
    renderer.SetLightColor(Color(255, 128, 64, 255));
    // 132.02 * 0.8, 177.20 * 0.8 * 128/255, 227.39 * 0.8 * 64/255.
    EXPECT_EQ(renderer.CalcDestColor(half, 0.8), Color(105, 71, 45, 255));
    // Clamped to 0..1 before scaling: 2.3, 2.3 * 128/255, 2.3 * 64/255 -> 0.577.
    EXPECT_EQ(renderer.CalcDestColor(grey(255), 2.3), Color(255, 255, 147, 255));
    EXPECT_EQ(renderer.CalcDestColor(grey(255), 0.0), Color(0, 0, 0, 255));
}

// Border points use themselves for the missing neighbour; "down" is the
// previous row and "up" the next one.
TEST(RendererImage, LightFromNeighboursIncludingBorders) {
    const int width = 6, height = 4;
    NoiseMap map(width, height);
    map.Clear(0.3f);
    Image image;
    RendererImage renderer;
    setUpLit(renderer, map, image);
    // Flat: sqrt(2) sin(elev) / 2 * intensity * 255, truncated.
    const struct {
        double elev, intensity;
        std::uint8_t level;
    } flat[] = {{45.0, 1.0, 127}, {45.0, 1.5, 191}, {90.0, 1.0, 180}, {30.0, 1.0, 90},
                {45.0, 0.0, 0}};
    for (const auto& c : flat) {
        renderer.SetLightElev(c.elev);
        renderer.SetLightIntensity(c.intensity);
        renderer.Render();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(image.GetValue(x, y), grey(c.level))
                    << "elev " << c.elev << " intensity " << c.intensity << " at " << x << "," << y;
    }

    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetValue(x, y, -0.1f * float(x) - 0.05f * float(y * y));
    renderer.SetLightIntensity(1.0);
    renderer.SetLightElev(30.0);
    renderer.SetLightContrast(2.0);
    // Facing away from the light: clamped to 0.
    EXPECT_EQ(renderer.CalcLightIntensity(0.0, 0.0, 1.0, 0.0, 0.0), 0.0);

    for (double azimuth : {90.0, 30.0, 250.0, 0.0}) {
        renderer.SetLightAzimuth(azimuth);
        renderer.Render();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double c = map.GetValue(x, y);
                const double l = x == 0 ? c : map.GetValue(x - 1, y);
                const double r = x == width - 1 ? c : map.GetValue(x + 1, y);
                const double d = y == 0 ? c : map.GetValue(x, y - 1);
                const double u = y == height - 1 ? c : map.GetValue(x, y + 1);
                const double light = expectedLight(azimuth, 30.0, 2.0, l, r, d, u);
                ASSERT_EQ(image.GetValue(x, y), grey(std::uint8_t(std::min(1.0, light) * 255.0)))
                    << "azimuth " << azimuth << " at " << x << "," << y;
            }
    }
    // Hand-checked at azimuth 0: interior l - r = 0.2 gives 0.3536 + 0.3167,
    // the border columns see only 0.1: 0.3536 + 0.1583.
    EXPECT_EQ(image.GetValue(2, 1).red, 170);
    EXPECT_EQ(image.GetValue(0, 1).red, 130);
    EXPECT_EQ(image.GetValue(5, 1).red, 130);
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
    EXPECT_EQ(gradient.GetGradientPoints().front().pos, -0.9990234375);
    EXPECT_EQ(gradient.GetGradientPoints().back().pos, 1.0);
    for (int i : {0, 1, 37, 1023, 1024, 2046, 2047})
        EXPECT_EQ(gradient.GetColor((i + 1) / 1024.0 - 1.0), topRowColor(i)) << i;
    EXPECT_EQ(gradient.GetColor(7.0), topRowColor(2047));
    EXPECT_EQ(gradient.GetColor(-1.0), topRowColor(0));

    // Halfway between two neighbouring points: truncated channel means.
    for (int i : {0, 500, 2046}) {
        const Color a = topRowColor(i), b = topRowColor(i + 1);
        const Color mean(std::uint8_t((a.red + b.red) / 2), std::uint8_t((a.green + b.green) / 2),
                         std::uint8_t((a.blue + b.blue) / 2), 255);
        EXPECT_EQ(gradient.GetColor((i + 1.5) / 1024.0 - 1.0), mean) << i;
    }
}

// Unreadable: a grey ramp; too narrow: the row stretched. Either way the
// load reports failure and rendering still works.
TEST(RendererImage, UnusableGradientPictureStillLeavesAGradient) {
    QTemporaryDir dir;
    QFile garbage(dir.filePath("garbage.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly) && garbage.write("not a picture at all") > 0);
    garbage.close();
    RendererImage renderer;
    EXPECT_FALSE(renderer.LoadGradientFromImage(garbage.fileName()));
    const auto& gradient = renderer.GetGradient();
    ASSERT_GE(gradient.GetGradientPointCount(), 2);
    EXPECT_EQ(gradient.GetColor(-1.0), grey(0));
    EXPECT_EQ(gradient.GetColor(1.0), grey(255));
    EXPECT_EQ(gradient.GetColor(0.0), grey(127));

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
