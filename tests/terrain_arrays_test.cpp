#include "pipeline/terrain_arrays.h"

#include "pipeline_fixture.h"

#include <QImage>

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

struct Vec3 {
    double x, y, z;
};
Vec3 at(const std::vector<float>& v, int k) {
    return {v[3 * std::size_t(k)], v[3 * std::size_t(k) + 1], v[3 * std::size_t(k) + 2]};
}
float heightAt(const TerrainArrays& a, int k) { return a.vertices[3 * std::size_t(k) + 1]; }

void expectNear(const Vec3& n, const Vec3& e, double tolerance, int k) {
    ASSERT_NEAR(n.x, e.x, tolerance) << k;
    ASSERT_NEAR(n.y, e.y, tolerance) << k;
    ASSERT_NEAR(n.z, e.z, tolerance) << k;
}
void expectEveryNormal(const TerrainArrays& a, const Vec3& expected, double tolerance = 1e-6) {
    for (int k = 0; k < a.vertexCount(); ++k)
        expectNear(at(a.normals, k), expected, tolerance, k);
}

// A pixel no other pixel of a 512 x 512 picture shares.
QRgb distinctPixel(int x, int y) {
    return qRgb(x & 255, y & 255, 5 + 16 * (x >> 8) + 64 * (y >> 8));
}

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

// The grid is centred on the origin: x along columns, z along rows, both
// from -S/2 to +S/2; two triangles per cell; texture coordinates span the
// unit square (v from 1 down to 0) and texture colours are white.
TEST_F(TerrainArraysTest, GridLayoutIndicesAndTextureCoordinates) {
    const auto sets = both(randomMap(kFull, kFull, 7));
    EXPECT_EQ(sets[0].indexCount(), 1566726);
    EXPECT_EQ(sets[1].indexCount(), 96774);
    for (const TerrainArrays& a : sets) {
        const int d = a.gridSide;
        SCOPED_TRACE(d);
        EXPECT_EQ(d, &a == &sets[0] ? kFull : kDecimated);
        EXPECT_EQ(a.rowLength, d - 1);
        const double step = 100.0 / (d - 1);
        EXPECT_FLOAT_EQ(a.spacing, float(step));
        const int mid = d / 2;
        for (int r : {0, mid, d - 1})
            for (int c : {0, 1, mid, d - 1}) {
                const Vec3 p = at(a.vertices, d * r + c);
                EXPECT_NEAR(p.x, -50.0 + c * step, 1e-4) << r << "," << c;
                EXPECT_NEAR(p.z, -50.0 + r * step, 1e-4) << r << "," << c;
            }
        // Middle of the grid straddles the origin by half a step.
        EXPECT_NEAR(at(a.vertices, d * mid + mid).x, 0.5 * step, 1e-5);
        EXPECT_NEAR(at(a.vertices, d * (mid - 1) + mid).z, -0.5 * step, 1e-5);

        const std::uint32_t n = std::uint32_t(d);
        for (std::uint32_t i : a.indices)
            ASSERT_LT(i, n * n);
        // Cell (r, c) is the (r * (D-1) + c)-th pair of triangles.
        using Cell = std::pair<std::uint32_t, std::uint32_t>;
        for (auto [r, c] : {Cell{0, 0}, Cell{7, 9}, Cell{n - 2, n - 2}}) {
            const auto first = a.indices.begin() + 6 * (std::size_t(r) * (n - 1) + c);
            const std::uint32_t k = n * r + c;
            EXPECT_EQ(std::vector<std::uint32_t>(first, first + 6),
                      (std::vector<std::uint32_t>{k, k + 1, k + n, k + 1, k + n + 1, k + n}))
                << r << "," << c;
        }

        ASSERT_EQ(a.texCoords.size(), 2u * d * d);
        auto uv = [&](int r, int c, int i) { return a.texCoords[2 * std::size_t(d * r + c) + i]; };
        EXPECT_EQ(uv(0, 0, 0), 0.0f);
        EXPECT_EQ(uv(5, d - 1, 0), 1.0f);
        EXPECT_FLOAT_EQ(uv(9, 3, 0), 3.0f / float(d - 1));
        EXPECT_EQ(uv(0, 4, 1), 1.0f);
        EXPECT_EQ(uv(d - 1, 4, 1), 0.0f);
        EXPECT_FLOAT_EQ(uv(2, 0, 1), 1.0f - 2.0f / float(d - 1));
        EXPECT_EQ(a.textureColors, std::vector<float>(3u * d * d, 1.0f));
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
    } cases[] = {{writePicture(kFull, kFull), QSize(kFull, kFull)},
                 {writePicture(100, 60), QSize(100, 60)},
                 {dirPath("missing.jpg"), QSize()},
                 {dirPath("damaged.jpg"), QSize()},
                 {QString(), QSize()}};
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
                    const Vec3 col = at(a.terrainColors, d * r + c);
                    ASSERT_FLOAT_EQ(float(col.x), qRed(p) / 255.0f) << r << "," << c;
                    ASSERT_FLOAT_EQ(float(col.y), qGreen(p) / 255.0f) << r << "," << c;
                    ASSERT_FLOAT_EQ(float(col.z), qBlue(p) / 255.0f) << r << "," << c;
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

// On a curved surface each cell's normal is the unit cross product at its
// corner; the last column repeats column D-2 of its row and the last row
// repeats row D-2.
TEST_F(TerrainArraysTest, CurvedSurfaceNormalsAndEdgeCopies) {
    const NoiseMap map = makeMap(kFull, kFull, [](int x, int y) {
        return float(std::sin(x * 0.05) * 3.0 + 0.0004 * y * y - 0.01 * x * y / 50.0);
    });
    for (const TerrainArrays& a : both(map)) {
        const int d = a.gridSide;
        SCOPED_TRACE(d);
        ASSERT_EQ(a.normals.size(), 3u * d * d);
        for (int k = 0; k < a.vertexCount(); ++k) {
            const Vec3 n = at(a.normals, k);
            ASSERT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-5) << k;
            ASSERT_GT(n.y, 0.0) << k;
        }
        for (int r : {0, 3, d / 2, d - 2})
            for (int c : {0, 1, d / 3, d - 2}) {
                const int k = d * r + c;
                const Vec3 p0 = at(a.vertices, k), p1 = at(a.vertices, k + 1),
                           p2 = at(a.vertices, k + d);
                const Vec3 u{p0.x - p1.x, p0.y - p1.y, p0.z - p1.z};
                const Vec3 v{p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
                Vec3 e{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
                const double len = std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z);
                expectNear(at(a.normals, k), {e.x / len, e.y / len, e.z / len}, 1e-4, k);
            }
        auto same = [&](int k, int from) {
            for (int i = 0; i < 3; ++i)
                ASSERT_EQ(a.normals[3 * std::size_t(k) + i], a.normals[3 * std::size_t(from) + i])
                    << k << " from " << from;
        };
        for (int i = 0; i < d; ++i) {
            same(d * i + d - 1, d * std::min(i, d - 2) + d - 2);
            same(d * (d - 1) + i, d * (d - 2) + i);
        }
        // The copies are not trivially equal to their neighbours elsewhere.
        EXPECT_NE(a.normals[3 * std::size_t(d * 5 + d - 3)],
                  a.normals[3 * std::size_t(d * 5 + d - 2)]);
    }
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

    const NoiseMap large = randomMap(600, 700, 19);
    const auto bigSets = both(large);
    float lo = 1e9f;
    for (int r = 0; r < kFull; ++r)
        for (int c = 0; c < kFull; ++c)
            lo = std::min(lo, fullSample(large, r, c));
    EXPECT_FLOAT_EQ(bigSets[0].heightMinimum, lo);
    EXPECT_EQ(bigSets[1].gridSide, kDecimated);
}

} // namespace
} // namespace morvane
