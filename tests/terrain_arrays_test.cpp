#include "pipeline/terrain_arrays.h"

#include "pipeline_fixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <random>
#include <utility>

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
float fullSample(const NoiseMap& map, int r, int c) {
    return map.GetValue(c, 511 - r);
}
float decimatedSample(const NoiseMap& map, int r, int c) {
    return map.GetValue(4 * c, 508 - 4 * r);
}

struct Vec3 {
    double x, y, z;
};
Vec3 at(const std::vector<float>& v, int k) {
    return {v[3 * std::size_t(k)], v[3 * std::size_t(k) + 1], v[3 * std::size_t(k) + 2]};
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

    QString writePicture(int width, int height, const QString& name = "texture.png") {
        QImage picture(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y, distinctPixel(x, y));
        const QString path = m_dir.filePath(name);
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
    {
        for (int side : {kFull, kDecimated}) {
            SCOPED_TRACE(side);
            const auto sample = side == kFull ? fullSample : decimatedSample;
            double lo = 1e9, hi = -1e9;
            for (int r = 0; r < side; ++r)
                for (int c = 0; c < side; ++c) {
                    lo = std::min(lo, double(sample(map, r, c)));
                    hi = std::max(hi, double(sample(map, r, c)));
                }
            const TerrainArrays a = side == kFull ? buildTerrainArrays(map, params, log)
                                                  : buildDecimatedTerrainArrays(map, params, log);
            ASSERT_EQ(a.vertices.size(), 3u * side * side);
            EXPECT_FLOAT_EQ(a.heightMinimum, float(lo));
            const double scale = double(params.heightUp - params.heightLow) / (hi - lo);
            EXPECT_FLOAT_EQ(a.heightScale, float(scale));
            float yMin = 1e9f, yMax = -1e9f;
            for (int r = 0; r < side; ++r)
                for (int c = 0; c < side; ++c) {
                    const float y = a.vertices[3 * std::size_t(side * r + c) + 1];
                    yMin = std::min(yMin, y);
                    yMax = std::max(yMax, y);
                    ASSERT_NEAR(y, (sample(map, r, c) - lo) * scale + params.heightLow, 1e-4)
                        << "r " << r << " c " << c;
                }
            EXPECT_EQ(yMin, float(params.heightLow));
            EXPECT_EQ(yMax, float(params.heightUp));
        }
    }
}

TEST_F(TerrainArraysTest, FlatMapLiesAtLowWithUpwardNormals) {
    params.heightLow = 4;
    params.heightUp = 9;
    const NoiseMap map = makeMap(kFull, kFull, [](int, int) { return 0.37f; });
    for (const TerrainArrays& a :
         {buildTerrainArrays(map, params, log), buildDecimatedTerrainArrays(map, params, log)}) {
        SCOPED_TRACE(a.gridSide);
        EXPECT_EQ(a.heightScale, 0.0f);
        EXPECT_FLOAT_EQ(a.heightMinimum, 0.37f);
        for (int k = 0; k < a.vertexCount(); ++k) {
            ASSERT_EQ(a.vertices[3 * std::size_t(k) + 1], 4.0f) << k;
            const Vec3 n = at(a.normals, k);
            ASSERT_NEAR(n.x, 0.0, 1e-6) << k;
            ASSERT_NEAR(n.y, 1.0, 1e-6) << k;
            ASSERT_NEAR(n.z, 0.0, 1e-6) << k;
        }
    }
}

// The grid is centred on the origin: x along columns, z along rows, both
// from -S/2 to +S/2.
TEST_F(TerrainArraysTest, GridIsCentredWithSpacingOfTerrainSizeOverCells) {
    const NoiseMap map = randomMap(kFull, kFull, 7);
    struct Case {
        TerrainArrays arrays;
        int side;
    };
    for (const Case& set : {Case{buildTerrainArrays(map, params, log), kFull},
                            Case{buildDecimatedTerrainArrays(map, params, log), kDecimated}}) {
        const TerrainArrays& a = set.arrays;
        const int d = set.side;
        SCOPED_TRACE(d);
        EXPECT_EQ(a.gridSide, d);
        EXPECT_EQ(a.rowLength, d - 1);
        EXPECT_EQ(a.vertexCount(), d * d);
        const double step = 100.0 / (d - 1);
        EXPECT_FLOAT_EQ(a.spacing, float(step));
        const int mid = d / 2;
        for (int r : {0, mid, d - 1}) {
            for (int c : {0, 1, mid, d - 1}) {
                const Vec3 p = at(a.vertices, d * r + c);
                EXPECT_NEAR(p.x, -50.0 + c * step, 1e-4) << r << "," << c;
                EXPECT_NEAR(p.z, -50.0 + r * step, 1e-4) << r << "," << c;
            }
        }
        // Middle of the grid straddles the origin by half a step.
        EXPECT_NEAR(at(a.vertices, d * mid + mid).x, 0.5 * step, 1e-5);
        EXPECT_NEAR(at(a.vertices, d * (mid - 1) + mid).z, -0.5 * step, 1e-5);
    }
}

TEST_F(TerrainArraysTest, IndicesFormTwoTrianglesPerCell) {
    const NoiseMap map = randomMap(kFull, kFull, 3);
    const TerrainArrays full = buildTerrainArrays(map, params, log);
    const TerrainArrays dec = buildDecimatedTerrainArrays(map, params, log);
    ASSERT_EQ(full.indexCount(), 1566726);
    ASSERT_EQ(dec.indexCount(), 96774);

    for (const TerrainArrays* a : {&full, &dec}) {
        const std::uint32_t d = std::uint32_t(a->gridSide);
        SCOPED_TRACE(d);
        for (std::uint32_t i : a->indices)
            ASSERT_LT(i, d * d);
        // Cell (r, c) is the (r * (D-1) + c)-th pair of triangles.
        using Cell = std::pair<std::uint32_t, std::uint32_t>;
        for (auto [r, c] : std::initializer_list<Cell>{{0, 0}, {7, 9}, {d - 2, d - 2}}) {
            const std::size_t first = 6 * (std::size_t(r) * (d - 1) + c);
            const std::uint32_t k = d * r + c;
            const std::vector<std::uint32_t> cell(a->indices.begin() + first,
                                                  a->indices.begin() + first + 6);
            EXPECT_EQ(cell, (std::vector<std::uint32_t>{k, k + 1, k + d, k + 1, k + d + 1, k + d}))
                << r << "," << c;
        }
    }
}

TEST_F(TerrainArraysTest, TextureCoordinatesSpanTheUnitSquareAndTextureColoursAreWhite) {
    const NoiseMap map = randomMap(kFull, kFull, 5);
    for (const TerrainArrays& a :
         {buildTerrainArrays(map, params, log), buildDecimatedTerrainArrays(map, params, log)}) {
        const int d = a.gridSide;
        SCOPED_TRACE(d);
        ASSERT_EQ(a.texCoords.size(), 2u * d * d);
        auto u = [&](int r, int c) { return a.texCoords[2 * std::size_t(d * r + c)]; };
        auto v = [&](int r, int c) { return a.texCoords[2 * std::size_t(d * r + c) + 1]; };
        EXPECT_EQ(u(0, 0), 0.0f);
        EXPECT_EQ(u(5, d - 1), 1.0f);
        EXPECT_FLOAT_EQ(u(9, 3), 3.0f / float(d - 1));
        EXPECT_EQ(v(0, 4), 1.0f);
        EXPECT_EQ(v(d - 1, 4), 0.0f);
        EXPECT_FLOAT_EQ(v(2, 0), 1.0f - 2.0f / float(d - 1));
        ASSERT_EQ(a.textureColors.size(), 3u * d * d);
        for (float t : a.textureColors)
            ASSERT_EQ(t, 1.0f);
    }
}

// Grid row 0 reads the map's last row; the decimated grid reads every
// fourth column and row 508 - 4r.
TEST_F(TerrainArraysTest, HeightSamplesFollowTheMapOrientation) {
    auto markerMap = [](int column, int row) {
        return makeMap(kFull, kFull,
                       [=](int x, int y) { return x == column && y == row ? 5.0f : 0.0f; });
    };
    auto expectOnlyPeak = [&](const TerrainArrays& a, int peak) {
        for (int k = 0; k < a.vertexCount(); ++k)
            ASSERT_EQ(a.vertices[3 * std::size_t(k) + 1], k == peak ? 15.0f : 0.0f)
                << "vertex " << k << ", peak expected at " << peak;
    };
    expectOnlyPeak(buildTerrainArrays(markerMap(3, 511), params, log), kFull * 0 + 3);
    expectOnlyPeak(buildTerrainArrays(markerMap(5, 0), params, log), kFull * 511 + 5);
    expectOnlyPeak(buildTerrainArrays(markerMap(200, 100), params, log), kFull * 411 + 200);
    expectOnlyPeak(buildDecimatedTerrainArrays(markerMap(8, 508), params, log), 2);
    expectOnlyPeak(buildDecimatedTerrainArrays(markerMap(508, 0), params, log),
                   kDecimated * 127 + 127);
    expectOnlyPeak(buildDecimatedTerrainArrays(markerMap(40, 300), params, log),
                   kDecimated * 52 + 10);
}

// Vertex (r, c) takes pixel (step c, step r); beyond a small picture it stays white.
TEST_F(TerrainArraysTest, TerrainColoursComeFromThePicture) {
    const NoiseMap map = randomMap(kFull, kFull, 11);
    for (const QSize size : {QSize(kFull, kFull), QSize(100, 60)}) {
        params.texturePicture = writePicture(size.width(), size.height());
        for (const int step : {1, 4}) {
            log.lines.clear();
            const TerrainArrays a = step == 1 ? buildTerrainArrays(map, params, log)
                                              : buildDecimatedTerrainArrays(map, params, log);
            EXPECT_EQ(log.lines, QStringList{step == 1 ? "building terrain arrays\n"
                                                       : "build decimated terrain arrays\n"});
            const int d = a.gridSide;
            SCOPED_TRACE(::testing::Message() << d << " " << size.width());
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

TEST_F(TerrainArraysTest, MissingOrUnreadablePictureGivesWhiteAndIsLogged) {
    const NoiseMap map = randomMap(kFull, kFull, 13);
    QFile damaged(dirPath("damaged.jpg"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a picture at all");
    damaged.close();

    for (const QString& picture : {dirPath("missing.jpg"), dirPath("damaged.jpg"), QString()}) {
        SCOPED_TRACE(picture.toStdString());
        params.texturePicture = picture;
        log.lines.clear();
        const TerrainArrays full = buildTerrainArrays(map, params, log);
        EXPECT_EQ(log.lines, (QStringList{"building terrain arrays\n",
                                          "TFFnoisePreview.jpg file not found!\n"}));
        log.lines.clear();
        const TerrainArrays dec = buildDecimatedTerrainArrays(map, params, log);
        EXPECT_EQ(log.lines, (QStringList{"build decimated terrain arrays\n",
                                          "TFFnoisePreview.jpg file not found!\n"}));
        for (const TerrainArrays* a : {&full, &dec}) {
            ASSERT_EQ(a->terrainColors.size(), 3u * a->gridSide * a->gridSide);
            for (float t : a->terrainColors)
                ASSERT_EQ(t, 1.0f);
        }
    }
}

// With S = 100, Low = 0, Up = 15 a map rising by one per column becomes the
// plane y = 0.15 x, and one rising by one per map row (falling along +z, as
// grid rows run the map backwards) becomes y = const - 0.15 z.
TEST_F(TerrainArraysTest, PlaneNormalsPointUpAndAwayFromTheSlope) {
    const double tilt = 1.0 / std::sqrt(1.0 + 0.15 * 0.15);
    struct Case {
        NoiseMap map;
        Vec3 expected;
    };
    for (const Case& plane : {Case{makeMap(kFull, kFull, [](int x, int) { return float(x); }),
                                   Vec3{-0.15 * tilt, tilt, 0.0}},
                              Case{makeMap(kFull, kFull, [](int, int y) { return float(y); }),
                                   Vec3{0.0, tilt, 0.15 * tilt}}}) {
        const TerrainArrays a = buildTerrainArrays(plane.map, params, log);
        for (int k = 0; k < a.vertexCount(); ++k) {
            const Vec3 n = at(a.normals, k);
            ASSERT_NEAR(n.x, plane.expected.x, 1e-5) << k;
            ASSERT_NEAR(n.y, plane.expected.y, 1e-5) << k;
            ASSERT_NEAR(n.z, plane.expected.z, 1e-5) << k;
        }
    }
}

// On a curved surface each cell's normal is the unit cross product at its
// corner; the last column repeats column D-2 of its row and the last row
// repeats row D-2.
TEST_F(TerrainArraysTest, CurvedSurfaceNormalsAndEdgeCopies) {
    const NoiseMap map = makeMap(kFull, kFull, [](int x, int y) {
        return float(std::sin(x * 0.05) * 3.0 + 0.0004 * y * y - 0.01 * x * y / 50.0);
    });
    for (const TerrainArrays& a :
         {buildTerrainArrays(map, params, log), buildDecimatedTerrainArrays(map, params, log)}) {
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
                const Vec3 n = at(a.normals, k);
                EXPECT_NEAR(n.x, e.x / len, 1e-4) << r << "," << c;
                EXPECT_NEAR(n.y, e.y / len, 1e-4) << r << "," << c;
                EXPECT_NEAR(n.z, e.z / len, 1e-4) << r << "," << c;
            }
        auto same = [&](int k, int from) {
            for (int i = 0; i < 3; ++i)
                ASSERT_EQ(a.normals[3 * std::size_t(k) + i], a.normals[3 * std::size_t(from) + i])
                    << k << " from " << from;
        };
        for (int r = 0; r < d; ++r)
            same(d * r + d - 1, d * std::min(r, d - 2) + d - 2);
        for (int c = 0; c < d; ++c)
            same(d * (d - 1) + c, d * (d - 2) + c);
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
    const TerrainArrays full = buildTerrainArrays(small, params, log);
    ASSERT_EQ(full.vertices.size(), 3u * kFull * kFull);
    ASSERT_EQ(full.indexCount(), 1566726);
    EXPECT_EQ(full.heightMinimum, 0.0f);
    const double scale = 15.0 / (1.0 + 0.001 * (99 + 3 * 99));
    auto y = [](const TerrainArrays& a, int r, int c) {
        return a.vertices[3 * std::size_t(a.gridSide * r + c) + 1];
    };
    EXPECT_EQ(y(full, 0, 0), 0.0f);     // map row 511: outside
    EXPECT_EQ(y(full, 450, 120), 0.0f); // column 120: outside
    EXPECT_NEAR(y(full, 461, 50), (1.0 + 0.001 * (50 + 3 * 50)) * scale, 1e-4); // row 50
    EXPECT_EQ(y(full, 412, 99), 15.0f);                                         // row 99

    const TerrainArrays dec = buildDecimatedTerrainArrays(small, params, log);
    ASSERT_EQ(dec.vertices.size(), 3u * kDecimated * kDecimated);
    // Decimated (r, c) reads (4c, 508 - 4r): (96, 96) for r = 103, c = 24.
    EXPECT_EQ(y(dec, 103, 24), 15.0f); // the set's highest sample
    EXPECT_EQ(y(dec, 103, 25), 0.0f);

    const NoiseMap large = randomMap(600, 700, 19);
    const TerrainArrays big = buildTerrainArrays(large, params, log);
    const TerrainArrays bigDec = buildDecimatedTerrainArrays(large, params, log);
    EXPECT_FLOAT_EQ(big.heightMinimum, [&] {
        float lo = 1e9f;
        for (int r = 0; r < kFull; ++r)
            for (int c = 0; c < kFull; ++c)
                lo = std::min(lo, fullSample(large, r, c));
        return lo;
    }());
    EXPECT_EQ(bigDec.indexCount(), 96774);

    const NoiseMap empty;
    for (const TerrainArrays& a : {buildTerrainArrays(empty, params, log),
                                   buildDecimatedTerrainArrays(empty, params, log)}) {
        ASSERT_EQ(a.vertices.size(), 3u * a.gridSide * a.gridSide);
        EXPECT_EQ(a.heightScale, 0.0f);
        for (int k = 0; k < a.vertexCount(); ++k) {
            ASSERT_EQ(a.vertices[3 * std::size_t(k) + 1], 0.0f);
            ASSERT_NEAR(a.normals[3 * std::size_t(k) + 1], 1.0f, 1e-6f);
        }
    }
}

} // namespace
} // namespace morvane
