#include "pipeline/terrain_arrays.h"

#include "pipeline_fixture.h"

#include <QImage>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>

namespace morvane {
namespace {

using noise::utils::NoiseMap;
using testing::RecordingLog;

constexpr int kFull = 512;
constexpr int kDecimated = 128;

NoiseMap makeMap(int width, int height, const std::function<float(int, int)>& value) {
    NoiseMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetValue(x, y, value(x, y));
    return map;
}

NoiseMap randomMap(int width, int height, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> dist(-1.7f, 2.3f);
    return makeMap(width, height, [&](int, int) { return dist(rng); });
}

// Height sample of vertex (r, c), written out per set rather than shared with
// the code under test.
float fullSample(const NoiseMap& map, int r, int c) { return map.GetValue(c, 511 - r); }
float decimatedSample(const NoiseMap& map, int r, int c) {
    return map.GetValue(4 * c, 508 - 4 * r);
}

float heightAt(const TerrainArrays& a, int k) { return a.vertices[3 * std::size_t(k) + 1]; }

void expectEveryNormal(const TerrainArrays& a, std::array<double, 3> e, double tolerance = 1e-6) {
    for (std::size_t k = 0; k < a.normals.size(); ++k)
        ASSERT_NEAR(a.normals[k], e[k % 3], tolerance) << k / 3;
}

// A pixel no other pixel of a picture up to 256 x 256 shares.
QRgb distinctPixel(int x, int y) { return qRgb(x, y, 5); }

class TerrainArraysTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        params.terrainSize = 100;
        params.heightLow = 0;
        params.heightUp = 15;
        params.texturePicture = m_dir.filePath("missing.jpg");
    }
    std::vector<TerrainArrays> both(const NoiseMap& map) {
        return {buildTerrainArrays(map, params, log),
                buildDecimatedTerrainArrays(map, params, log)};
    }
    QString writePicture(int width, int height) {
        QImage picture(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y, distinctPixel(x, y));
        const QString path = dirPath(QString("texture %1.png").arg(width));
        EXPECT_TRUE(picture.save(path, "PNG"));
        return path;
    }
    QString dirPath(const QString& name) const { return m_dir.filePath(name); }

    TerrainBuildParams params;
    RecordingLog log;

private:
    QTemporaryDir m_dir;
};

// Every vertex y follows (h - min) * (Up - Low) / (max - min) + Low over the
// set's own samples, so the extremes land exactly on Low and Up.
TEST_F(TerrainArraysTest, HeightsSpanLowToUpOverTheSetsOwnSamples) {
    const NoiseMap map = randomMap(kFull, kFull, 1234);
    params.heightLow = -4;
    params.heightUp = 21;
    for (const TerrainArrays& a : both(map)) {
        const int side = a.gridSide;
        SCOPED_TRACE(side);
        const auto sample = side == kFull ? fullSample : decimatedSample;
        auto h = [&](int k) { return double(sample(map, k / side, k % side)); };
        int lo = 0, hi = 0; // the vertices of the lowest and the highest sample
        for (int k = 1; k < side * side; ++k) {
            lo = h(k) < h(lo) ? k : lo;
            hi = h(k) > h(hi) ? k : hi;
        }
        ASSERT_EQ(a.vertices.size(), 3u * side * side);
        ASSERT_EQ(a.normals.size(), a.vertices.size());
        ASSERT_EQ(a.indices.size(), 6u * (side - 1) * (side - 1)); // every index inside
        EXPECT_LT(*std::max_element(a.indices.begin(), a.indices.end()), unsigned(side * side));
        EXPECT_FLOAT_EQ(a.heightMinimum, float(h(lo)));
        const double scale = 25.0 / (h(hi) - h(lo));
        EXPECT_FLOAT_EQ(a.heightScale, float(scale));
        EXPECT_EQ(heightAt(a, lo), -4.0f);
        EXPECT_EQ(heightAt(a, hi), 21.0f);
        for (int k = 0; k < side * side; ++k)
            ASSERT_NEAR(heightAt(a, k), (h(k) - h(lo)) * scale - 4, 1e-4) << k;
    }
}

TEST_F(TerrainArraysTest, FlatOrEmptyMapLiesAtLowWithUpwardNormals) {
    params.heightLow = 4;
    params.heightUp = 9;
    for (const NoiseMap& map : {makeMap(kFull, kFull, [](int, int) { return 0.37f; }), NoiseMap()})
        for (const TerrainArrays& a : both(map)) {
            SCOPED_TRACE(::testing::Message() << a.gridSide << " of " << map.GetWidth());
            ASSERT_EQ(a.vertices.size(), 3u * a.gridSide * a.gridSide);
            EXPECT_EQ(a.heightScale, 0.0f);
            if (!map.IsEmpty()) {
                EXPECT_FLOAT_EQ(a.heightMinimum, 0.37f);
            }
            for (int k = 0; k < a.vertexCount(); ++k)
                ASSERT_EQ(heightAt(a, k), 4.0f) << k;
            expectEveryNormal(a, {0, 1, 0});
        }
}

// Vertex (r, c) takes pixel (step c, step r); beyond a small picture, and
// for a missing or unreadable one, it stays white.
TEST_F(TerrainArraysTest, TerrainColoursComeFromThePictureOrStayWhite) {
    const NoiseMap map = randomMap(kFull, kFull, 11);
    ASSERT_TRUE(testing::writeFile(dirPath("damaged.jpg"), "not a picture at all"));
    const struct {
        QString picture;
        QSize size; // of the picture read
    } cases[] = {{writePicture(100, 60), QSize(100, 60)},
                 {dirPath("missing.jpg"), QSize()},
                 {dirPath("damaged.jpg"), QSize()}};
    for (const auto& [picture, size] : cases) {
        params.texturePicture = picture;
        log.lines.clear();
        const auto sets = both(map);
        const QString missing = size.isValid() ? "" : "TFFnoisePreview.jpg file not found!\n";
        EXPECT_EQ(log.lines.join(""), "building terrain arrays\n" + missing +
                                          "build decimated terrain arrays\n" + missing);
        for (const TerrainArrays& a : sets) {
            const int d = a.gridSide, step = kFull / d;
            SCOPED_TRACE(::testing::Message() << d << " " << picture.toStdString());
            ASSERT_EQ(a.terrainColors.size(), 3u * d * d);
            for (int r = 0; r < d; ++r)
                for (int c = 0; c < d; ++c) {
                    const int x = step * c, y = step * r;
                    const QRgb p = x < size.width() && y < size.height() ? distinctPixel(x, y)
                                                                         : qRgb(255, 255, 255);
                    const float* col = &a.terrainColors[3 * std::size_t(d * r + c)];
                    ASSERT_EQ(std::vector<float>(col, col + 3),
                              (std::vector<float>{qRed(p) / 255.0f, qGreen(p) / 255.0f,
                                                  qBlue(p) / 255.0f}))
                        << r << "," << c;
                }
        }
    }
}

// With S = 100, Low = 0, Up = 15 a map rising by one per column becomes the
// plane y = 0.15 x, and one rising by one per map row (falling along +z, as
// grid rows run the map backwards) becomes y = const - 0.15 z.
TEST_F(TerrainArraysTest, PlaneNormalsPointUpAndAwayFromTheSlope) {
    const double tilt = 1.0 / std::sqrt(1.0 + 0.15 * 0.15);
    expectEveryNormal(
        buildTerrainArrays(makeMap(kFull, kFull, [](int x, int) { return float(x); }), params, log),
        {-0.15 * tilt, tilt, 0.0}, 1e-5);
    expectEveryNormal(
        buildTerrainArrays(makeMap(kFull, kFull, [](int, int y) { return float(y); }), params, log),
        {0.0, tilt, 0.15 * tilt}, 1e-5);
}

// Maps of an unexpected size are read through the border value where the
// grid reaches past them.
TEST_F(TerrainArraysTest, MapsOfTheWrongSizeAreSampledSafely) {
    NoiseMap small = makeMap(100, 100, [](int x, int y) { return 1.0f + 0.001f * (x + 3 * y); });
    small.SetBorderValue(0.0f);
    const auto sets = both(small);
    const TerrainArrays &full = sets[0], &dec = sets[1];
    ASSERT_EQ(full.vertices.size(), 3u * kFull * kFull);
    EXPECT_EQ(full.heightMinimum, 0.0f);
    const double scale = 15.0 / (1.0 + 0.001 * (99 + 3 * 99));
    EXPECT_EQ(heightAt(full, 0), 0.0f);                // map row 511: outside
    EXPECT_EQ(heightAt(full, kFull * 450 + 120), 0.0f); // column 120: outside
    EXPECT_NEAR(heightAt(full, kFull * 461 + 50), (1.0 + 0.001 * (50 + 3 * 50)) * scale, 1e-4);
    EXPECT_EQ(heightAt(full, kFull * 412 + 99), 15.0f); // map row 99
    ASSERT_EQ(dec.vertices.size(), 3u * kDecimated * kDecimated);
    // Decimated (r, c) reads (4c, 508 - 4r): (96, 96) for r = 103, c = 24.
    EXPECT_EQ(heightAt(dec, kDecimated * 103 + 24), 15.0f); // the set's highest sample
    EXPECT_EQ(heightAt(dec, kDecimated * 103 + 25), 0.0f);
}

} // namespace
} // namespace morvane
