#include "color_print.h"
#include "noise/renderer_image.h"
#include "noise/row_colourer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <random>
#include <vector>

namespace noise::utils {
namespace {

// Values on, just beside and far past the gradient points, changing
// sharply between neighbours so the light clamps both ways.
NoiseMap awkwardMap(int width, int height, const RendererImage& renderer, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> inside(-1.2, 1.2);
    const auto& points = renderer.GetGradient().GetGradientPoints();
    NoiseMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float value = float(inside(random));
            const unsigned kind = random() % 6;
            if (kind < 2 && !points.empty()) {
                value = float(points[random() % points.size()].pos);
                if (kind == 1)
                    value = std::nextafter(value, random() % 2 ? 10.0f : -10.0f);
            } else if (kind == 2) {
                value = random() % 2 ? 1e6f : -1e6f;
            }
            map.SetValue(x, y, value);
        }
    return map;
}

// Picture-read (2048 points), built-in, fallback and hand-made gradients.
std::vector<std::pair<const char*, std::function<void(RendererImage&)>>> gradients(
    const QString& picture) {
    return {
        {"picture", [picture](RendererImage& r) { r.LoadGradientFromImage(picture); }},
        {"greyscale", [](RendererImage& r) { r.BuildGrayscaleGradient(); }},
        {"unreadable", [](RendererImage& r) { r.LoadGradientFromImage("/no/such.png"); }},
        {"uneven translucent",
         [](RendererImage& r) {
             r.ClearGradient();
             r.AddGradientPoint(-0.7, Color(10, 200, 30, 90));
             r.AddGradientPoint(-0.1, Color(250, 0, 128, 255));
             r.AddGradientPoint(0.0, Color(3, 3, 3, 0));
             r.AddGradientPoint(0.33, Color(77, 150, 222, 200));
             r.AddGradientPoint(0.9, Color(255, 255, 255, 255));
         }},
        {"one point",
         [](RendererImage& r) {
             r.ClearGradient();
             r.AddGradientPoint(0.25, Color(40, 80, 120, 160));
         }},
    };
}

struct LightCase {
    const char* name;
    bool enabled;
    double azimuth, elevation, contrast, intensity;
    Color color;
};

TEST(RowColourerTest, ColoursEveryRowAsThePlainRendererDoes) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("gradient.png");
    QImage strip(2048, 2, QImage::Format_RGB32);
    std::mt19937 random(5);
    for (int x = 0; x < 2048; ++x)
        strip.setPixel(x, 0, qRgb(int(random() % 256), x / 8, 255 - x / 8));
    ASSERT_TRUE(strip.save(picture));

    const LightCase lights[] = {
        {"no light", false, 45, 45, 1, 1, Color(255, 255, 255, 255)},
        {"low steep coloured", true, 210, 5, 7, 2.5, Color(255, 190, 40, 255)},
        {"overhead dim", true, -30, 90, 0.4, 0.3, Color(90, 255, 0, 255)},
    };
    unsigned seed = 11;
    for (const auto& [gradientName, setGradient] : gradients(picture))
        for (const LightCase& light : lights) {
            SCOPED_TRACE(::testing::Message() << gradientName << ", " << light.name);
            RendererImage renderer;
            setGradient(renderer);
            renderer.EnableLight(light.enabled);
            renderer.SetLightAzimuth(light.azimuth);
            renderer.SetLightElev(light.elevation);
            renderer.SetLightContrast(light.contrast);
            renderer.SetLightIntensity(light.intensity);
            renderer.SetLightColor(light.color);
            for (const auto& [width, height] : {std::pair{1, 1}, {61, 37}}) {
                const NoiseMap map = awkwardMap(width, height, renderer, seed++);
                renderer.SetSourceNoiseMap(map);
                const RowColourer colourer(renderer);
                std::vector<Color> expected(static_cast<std::size_t>(width));
                std::vector<Color> got(expected.size());
                for (int y = 0; y < height; ++y) {
                    renderer.RenderRow(y, expected.data());
                    colourer.colourRow(map, y, got.data());
                    ASSERT_EQ(got, expected) << "row " << y << " of " << width << " x " << height;
                }
            }
        }
}

// The segment search starts from a guess; it must agree with the sorted search.
TEST(RowColourerTest, GradientLookupMatchesTheSortedSearch) {
    RendererImage renderer;
    renderer.ClearGradient();
    std::mt19937 random(3);
    double pos = -1.0;
    for (int i = 0; i < 40; ++i) {
        renderer.AddGradientPoint(pos, Color(std::uint8_t(random()), std::uint8_t(random()),
                                             std::uint8_t(random()), std::uint8_t(random())));
        pos += (i % 7 == 0 ? 0.5 : 0.001) * (1 + int(random() % 5));
    }
    const RowColourer colourer(renderer);
    const GradientColor& gradient = renderer.GetGradient();
    for (double v = -2.0; v < pos + 1.0; v += 0.000731)
        ASSERT_EQ(colourer.gradientColor(v), gradient.GetColor(v)) << v;
}

} // namespace
} // namespace noise::utils
