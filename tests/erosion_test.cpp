#include "pipeline_fixture.h"

#include "pipeline/erosion_methods.h"
#include "pipeline/terrain_erosion.h"
#include "pipeline/graph_evaluator.h"
#include "recipe/node_types.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

namespace morvane {
namespace {

using testing::heightRange;
using testing::PipelineFixture;
using testing::readFile;

using Cells = std::vector<std::pair<int, int>>;
using Heights = std::vector<std::tuple<int, int, float>>; // (i, j, height)

// A grid of `value` with a few cells set apart.
ErosionGrid filled(int side, float value, const Heights& cells = {}) {
    ErosionGrid grid(side);
    std::fill(grid.data(), grid.data() + side * side, value);
    for (auto [i, j, height] : cells)
        grid.at(i, j) = height;
    return grid;
}
ErosionGrid rows(int side, const std::function<float(int, int)>& value) {
    ErosionGrid grid(side);
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j)
            grid.at(i, j) = value(i, j);
    return grid;
}

// The cells that differ from `value`.
Heights cellsOtherThan(const ErosionGrid& grid, float value) {
    Heights cells;
    for (int i = 0; i < grid.side(); ++i)
        for (int j = 0; j < grid.side(); ++j)
            if (grid.at(i, j) != value)
                cells.emplace_back(i, j, grid.at(i, j));
    return cells;
}

bool sameBits(const ErosionGrid& a, const ErosionGrid& b) {
    return a.side() == b.side() &&
           std::memcmp(a.data(), b.data(), sizeof(float) * std::size_t(a.side()) * a.side()) == 0;
}

// The hand-worked cases hold for the fast paths and the plain loops alike.
struct Methods {
    const char* name;
    void (*thermal)(ErosionGrid&, int);
    void (*improved)(ErosionGrid&, int);
    void (*hydraulic)(ErosionGrid&, int, const HydraulicConstants&);
    void (*smooth)(ErosionGrid&, int);
};
const Methods kMethods[] = {
    {"fast", thermalErosion, improvedErosion, hydraulicErosion, smoothImage},
    {"plain", detail::thermalErosionPlain, detail::improvedErosionPlain,
     detail::hydraulicErosionPlain, detail::smoothImagePlain},
};

// Single-cell cases worked by hand: thermal with talus 0.5 at N = 8,
// improved with threshold 0.75 at N = 16.
TEST(ErosionThermal, MovesHalfTheSteepestDropButKeepsCliffs) {
    struct Case {
        const char* what;
        bool improved;
        int side, iterations;
        float base;
        Heights before, after;
    };
    const Case cases[] = {
        {"all four diagonals equally low: (i-1, j-1) wins", false, 8, 1, 0.0f, {{1, 1, 1.0f}},
         {{0, 0, 0.5f}, {1, 1, 0.5f}}},
        {"a drop of exactly the talus stays", false, 8, 4, 0.0f, {{3, 3, 0.5f}}, {{3, 3, 0.5f}}},
        // The edge neighbour (4,3) is lower still (drop 0.59375) but ignored,
        // and the last diagonal (5,5), the lowest (drop 0.5625), wins over
        // earlier ones. Every other drop on the plateau stays within the talus.
        {"only diagonals count", false, 8, 1, 0.875f,
         {{4, 4, 1.0f}, {4, 3, 0.40625f}, {5, 5, 0.4375f}},
         {{4, 3, 0.40625f}, {4, 4, 0.71875f}, {5, 5, 0.71875f}}},
        {"a cliff stays", true, 16, 3, 0.0f, {{5, 5, 1.0f}}, {{5, 5, 1.0f}}},
        {"a drop of exactly the threshold still settles", true, 16, 1, 0.0f, {{5, 5, 0.75f}},
         {{4, 4, 0.375f}, {5, 5, 0.375f}}},
    };
    for (const Methods& m : kMethods)
        for (const Case& c : cases) {
            ErosionGrid grid = filled(c.side, c.base, c.before);
            (c.improved ? m.improved : m.thermal)(grid, c.iterations);
            EXPECT_EQ(cellsOtherThan(grid, c.base), c.after) << m.name << ": " << c.what;
        }
}

TEST(ErosionHydraulic, RainDissolvesFlowsAndDeposits) {
    for (const Methods& m : kMethods) {
        SCOPED_TRACE(m.name);
        // N = 3: only the centre flows. Rain 0.1, solubility 0.5, evaporation
        // 0.5, capacity 0.2. The centre's water surface 0.95 + 0.1 is above
        // every neighbour's 0.1 by 0.95 > its water: all of it goes to (0,0).
        ErosionGrid peak = filled(3, 0.0f, {{1, 1, 1.0f}});
        m.hydraulic(peak, 1, HydraulicConstants::from(ErosionSettings{0, 0, 10, 50, 50, 20}));
        EXPECT_NEAR(peak.at(1, 1), 0.95f, 1e-6f); // dissolved, water gone
        EXPECT_NEAR(peak.at(0, 0), 0.02f, 1e-6f); // 0.2 water: 0.1 evaporates
        for (auto [i, j] : Cells{{0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}})
            EXPECT_NEAR(peak.at(i, j), 0.01f, 1e-6f) << i << ',' << j; // not below 0
    }
}

// Random grids of sizes whose row bands end at different places, rough
// enough that material both moves and stays, plus values no normalised grid
// holds and negative zeros (only term order decides the sign of a mean).
std::vector<ErosionGrid> randomGrids() {
    std::mt19937 random(3);
    std::vector<ErosionGrid> grids;
    for (int side : {1, 2, 3, 5, 8, 11, 17, 33})
        for (float roughness : {3.0f, 0.1f}) {
            std::uniform_real_distribution<float> height(0.0f, roughness);
            grids.push_back(rows(side, [&](int i, int) {
                return 0.5f * float(i) / float(side) + height(random);
            }));
        }
    ErosionGrid odd = grids[grids.size() - 2];
    for (auto [i, j, value] : {std::tuple{5, 5, std::nanf("")}, {9, 20, INFINITY},
                               {20, 9, -0.0f}, {30, 30, -1.0f}})
        odd.at(i, j) = value;
    grids.push_back(odd);
    grids.push_back(filled(6, -0.0f));
    return grids;
}

// No iterations must leave the grid alone; otherwise the runs that changed
// it are counted, so the comparisons are not all between untouched grids.
TEST(ErosionFastPath, MethodsMatchThePlainLoopsBitForBit) {
    const HydraulicConstants strong{0.05f, 0.3f, 0.4f, 0.6f};
    int cases = 0, thermalMoved = 0, improvedMoved = 0, hydraulicMoved = 0;
    for (const ErosionGrid& grid : randomGrids())
        for (int n : {-3, 0, 1, 3}) {
            cases += n > 0;
            const auto where = ::testing::Message() << "side " << grid.side() << ", " << n;
            auto moved = [&](const char* name, auto run) {
                ErosionGrid a = grid, b = grid;
                run(kMethods[0], a);
                run(kMethods[1], b);
                EXPECT_TRUE(sameBits(a, b)) << name << ", " << where;
                const bool changed = !sameBits(a, grid);
                EXPECT_TRUE(n > 0 || !changed) << name << ", " << where;
                return int(changed);
            };
            thermalMoved +=
                moved("thermal", [&](const Methods& m, ErosionGrid& g) { m.thermal(g, n); });
            improvedMoved +=
                moved("improved", [&](const Methods& m, ErosionGrid& g) { m.improved(g, n); });
            // Every smoothing pass changes a grid wider than one cell.
            EXPECT_TRUE(
                moved("smooth", [&](const Methods& m, ErosionGrid& g) { m.smooth(g, n); }) ||
                n < 1 || grid.side() == 1)
                << where;
            for (const HydraulicConstants& k : {HydraulicConstants{}, strong})
                hydraulicMoved += moved(
                    "hydraulic", [&](const Methods& m, ErosionGrid& g) { m.hydraulic(g, n, k); });
        }
    EXPECT_GT(thermalMoved, cases / 4);
    EXPECT_GT(improvedMoved, cases / 4);
    EXPECT_GT(hydraulicMoved, cases);
}

class ErosionTerrain : public PipelineFixture {
  protected:
    static constexpr int kSide = 12;

    void SetUp() override {
        PipelineFixture::SetUp();
        context.eroder = nullptr;
        ASSERT_TRUE(QDir().mkpath(paths.mapsDir()));
    }

    // The map from rows of the grid it normalises to: map row N-1-i, scaled;
    // then the erosion to run on it.
    void setMap(int side, const std::function<float(int i, int j)>& value,
                ErosionType type = ErosionType::Thermal, int iterations = 0) {
        state.recipe.erosion.type = int(type);
        state.recipe.erosion.iterations = iterations;
        state.finalHeightMap.SetSize(side, side);
        for (int i = 0; i < side; ++i)
            for (int j = 0; j < side; ++j)
                state.finalHeightMap.SetValue(j, side - 1 - i, value(i, j));
    }
    void writeCanvas(int side, int grey = 128) {
        QImage canvas(side, side, QImage::Format_RGB32);
        canvas.fill(qRgb(grey, grey, grey));
        ASSERT_TRUE(canvas.save(picturePath(), "JPG", 100));
    }
    QString picturePath() const { return paths.mapFile("HFFnoisePreview.jpg"); }
    void erode() { TerrainErosion(context).erodeTerrain(state); }
    float mapAt(int i, int j) const {
        const int side = state.finalHeightMap.GetWidth();
        return state.finalHeightMap.GetValue(j, side - 1 - i);
    }
    ErosionGrid mapAsGrid() const {
        return rows(state.finalHeightMap.GetWidth(), [&](int i, int j) { return mapAt(i, j); });
    }
};

TEST_F(ErosionTerrain, ZeroIterationsStillNormaliseAndSmoothOnce) {
    // 10 everywhere, 20 at grid cell (2,2): H is 1 there and 0 elsewhere.
    setMap(kSide, [](int i, int j) { return i == 2 && j == 2 ? 20.0f : 10.0f; });
    erode();
    // One in-place pass: (1,1) = 1/9, (2,2) = 1092/6561 by hand. The map keeps
    // the grid scaled by 10, not shifted by 10.
    EXPECT_FLOAT_EQ(mapAt(1, 1), 10.0f / 9.0f);
    EXPECT_FLOAT_EQ(mapAt(2, 2), 10920.0f / 6561.0f);
    EXPECT_EQ(mapAt(5, 0), 0.0f);
}

TEST_F(ErosionTerrain, FlatMapsComeBackAtZeroWithoutNaN) {
    for (ErosionType type : {ErosionType::Thermal, ErosionType::ImprovedThermal,
                             ErosionType::Hydraulics, ErosionType::Smooth}) {
        setMap(kSide, [](int, int) { return 5.0f; }, type, 60);
        erode();
        EXPECT_EQ(heightRange(state.finalHeightMap), std::make_pair(0.0f, 0.0f)) << int(type);
    }
}

TEST_F(ErosionTerrain, NonFiniteAndHugeHeightsComeBackFinite) {
    // NaN reads as the lowest point, infinities as the ends of the range of
    // the finite heights (0..10 here). Smoothing with no passes keeps the
    // normalised grid, so the map returns as it was, those cells mended.
    setMap(kSide, [](int i, int j) { return float(i + j) * 10.0f / 22.0f; }, ErosionType::Smooth);
    state.finalHeightMap.SetValue(3, 4, std::nanf(""));
    state.finalHeightMap.SetValue(5, 6, INFINITY);
    state.finalHeightMap.SetValue(7, 8, -INFINITY);
    erode();
    EXPECT_EQ(state.finalHeightMap.GetValue(3, 4), 0.0f);
    EXPECT_FLOAT_EQ(state.finalHeightMap.GetValue(5, 6), 10.0f);
    EXPECT_EQ(state.finalHeightMap.GetValue(7, 8), 0.0f);
    EXPECT_FLOAT_EQ(mapAt(2, 9), 5.0f);

    // A span wider than float holds: still finite, the top at float's limit.
    setMap(kSide, [](int i, int) { return i < 6 ? -3.0e38f : 3.0e38f; }, ErosionType::Thermal, 1);
    erode();
    const auto [low, high] = heightRange(state.finalHeightMap);
    EXPECT_EQ(low, 0.0f);
    EXPECT_TRUE(std::isfinite(high));
    EXPECT_GT(high, 3.0e38f);
}

TEST_F(ErosionTerrain, HydraulicsSmoothOnceOnlyAfterFiftyIterations) {
    auto value = [](int i, int j) { return float((i * 7 + j * 3) % 11) * 0.5f - 1.0f; };
    state.recipe.erosion = {0, 0, 4, 2, 60, 3};
    for (int iterations : {50, 51}) {
        setMap(kSide, value, ErosionType::Hydraulics, iterations);
        erode();
        ErosionGrid grid = rows(kSide, [&](int i, int j) { return (value(i, j) + 1.0f) / 5.0f; });
        hydraulicErosion(grid, iterations, {4 * 0.01f, 2 * 0.01f, 60 * 0.01f, 3 * 0.01f});
        if (iterations > 50)
            detail::smoothImagePlain(grid, 1);
        const ErosionGrid map = mapAsGrid(); // values -1..4: the map is 5 x grid
        for (int k = 0; k < kSide * kSide; ++k)
            ASSERT_EQ(map.data()[k], grid.data()[k] * 5.0f) << iterations << ", cell " << k;
    }
}

TEST_F(ErosionTerrain, ReportsProgressRedrawsThePictureAndShowsIt) {
    constexpr int side = 32;
    // Rows of the grid brighten downwards, so a flipped picture shows.
    setMap(side, [](int i, int j) { return 100.0f + float(i) * 3.0f + float(j) * 0.25f; },
           ErosionType::Smooth, 1);
    writeCanvas(side, 255);
    const float range = 31.0f * 3.0f + 31.0f * 0.25f;
    erode();

    EXPECT_EQ(progress.events,
              (QStringList{"show", "busy:eroding terrain ...\n\n1/1", "events", "busy:", "hide"}));
    EXPECT_EQ(view.previews,
              (decltype(view.previews){{PreviewSlot::Final, "HFFnoisePreview.jpg"}}));

    const QImage picture(picturePath());
    EXPECT_NEAR(qGray(picture.pixel(20, 8)), int(mapAt(8, 20) / range * 255.0f), 3);
}

// Map style, final flag and smoothing flag decide whether the picture is
// shown, never what the map becomes.
TEST_F(ErosionTerrain, SmoothsWhateverTheStyleOrFlagAndPreviewsOnlyInHeightStyle) {
    auto erodeWith = [&](int style, bool finalFlag, bool smoothingFlag, bool canvas) {
        state.finalStage.mapStyle = style;
        state.finalFlag = finalFlag;
        state.smoothingFlag = smoothingFlag;
        setMap(kSide, [](int i, int j) { return float((i * 5 + j * 2) % 7); }, ErosionType::Smooth,
               2);
        if (canvas)
            writeCanvas(kSide);
        else
            QFile::remove(picturePath());
        erode();
        return mapAsGrid();
    };
    // Texture previews with the smoothing flag cleared, as after a preset load:
    // "smooth terrain" must still smooth, shrinking the range well below 6.
    const ErosionGrid eroded = erodeWith(1, false, false, true);
    EXPECT_LT(*std::max_element(eroded.data(), eroded.data() + kSide * kSide), 5.0f);
    EXPECT_GT(eroded.at(0, 0), 0.0f); // smoothed up from the lowest point
    erodeWith(0, true, false, true);
    EXPECT_TRUE(view.previews.empty());
    EXPECT_LT(qGray(QImage(picturePath()).pixel(0, 0)), 100); // rewritten either way

    erodeWith(0, false, true, false);
    EXPECT_FALSE(QFile::exists(picturePath()));
    EXPECT_TRUE(view.previews.empty());
    EXPECT_TRUE(sameBits(mapAsGrid(), eroded));
}

TEST_F(ErosionTerrain, NoErosionOrAnOddMapChangesNothing) {
    auto value = [](int i, int j) { return float(i * 3 - j); };
    setMap(kSide, value, ErosionType::None, 20);
    writeCanvas(kSide);
    const QByteArray pictureBefore = readFile(picturePath());
    erode();
    EXPECT_TRUE(sameBits(mapAsGrid(), rows(kSide, value)));

    state.recipe.erosion.type = int(ErosionType::Thermal);
    state.finalHeightMap.SetSize(kSide, kSide - 1);
    state.finalHeightMap.Clear(3.0f);
    erode();
    EXPECT_EQ(state.finalHeightMap.GetValue(4, 4), 3.0f);
    state.finalHeightMap.SetSize(0, 0);
    erode();

    EXPECT_TRUE(progress.events.isEmpty());
    EXPECT_EQ(readFile(picturePath()), pictureBefore);
}

TEST_F(ErosionTerrain, EvaluationErodesTheFinalMapWhenIterationsAreSet) {
    TerrainErosion erosion(context);
    state.recipe.inputs[0].type = int(InputType::Perlin);
    state.recipe.inputs[0].seedNumber = 7;
    state.recipe.erosion.type = int(ErosionType::Thermal);
    auto evaluateWith = [&](TerrainEroder* eroder, int iterations) {
        EvaluationContext wired = context;
        wired.eroder = eroder;
        state.recipe.erosion.iterations = iterations;
        GraphEvaluator(state, wired).evaluate(false, kPreviewSize, false);
        return mapAsGrid();
    };
    const ErosionGrid plain = evaluateWith(nullptr, 4);
    EXPECT_TRUE(sameBits(evaluateWith(&erosion, 0), plain));
    EXPECT_FALSE(sameBits(evaluateWith(&erosion, 4), plain));
    EXPECT_TRUE(progress.events.contains("busy:eroding terrain ...\n\n1/1"));
}

// Hydraulics can lift peaks a little above 1; they must stay white on the
// height picture instead of wrapping round to black.
TEST(ErosionPicture, GreyLevelsClampInsteadOfWrapping) {
    for (auto [height, grey] : {std::pair{0.0f, 0}, {0.5f, 127}, {1.0f, 255}, {1.02f, 255},
                                {-0.1f, 0}, {std::nanf(""), 0}})
        EXPECT_EQ(erosionGreyLevel(height), grey) << height;
}

} // namespace
} // namespace morvane
