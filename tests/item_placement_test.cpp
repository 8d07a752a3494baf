#include "paint_fixture.h"

#include "props/item_editing.h"
#include "props/item_placement.h"
#include "props/obj_model.h"

#include <cmath>
#include <limits>
#include <tuple>

namespace morvane {
namespace {

using testing::maskImage;
using testing::PaintFixture;

class PlacementTest : public PaintFixture {};

// The 9 x 9 grid spans 8 units (spacing 1); x and z run from -4 to 4.
TEST_F(PlacementTest, SinglePlacementTakesOrRefusesThePointUnderTheCursor) {
    struct Row {
        const char* what;
        std::vector<ItemRecord> before;
        int distanceCm;
        bool halfMasked; // a 2 x 2 mask black on its left column
        bool slope;      // height 0.5 gx instead of 0
        bool stacking;
        SurfaceHit hit;
        bool placed;
        float y;
    };
    const Row rows[] = {
        {"closer than the distance", {item(0, 0, 0)}, 100, false, false, false,
         at(0.5, 0, 0.5), false, 0},
        {"the candidate is truncated: (0.9, 0.9) tests as (0, 0)", {item(1, 0, 0)}, 100, false,
         false, false, at(0.9, 0, 0.9), true, 0.0f},
        {"only background under the cursor", {}, 0, false, false, false, at(0, 0, 0, 1.0f), false,
         0},
        {"past the last column", {}, 0, false, false, false, at(4.0, 0, 0), false, 0},
        {"just inside the far corner", {}, 0, false, false, false, at(3.99, 0, 3.99), true, 0.0f},
        {"masked pixel", {}, 0, true, false, false, at(-2, 0, 0), false, 0},
        {"white pixel", {}, 0, true, false, false, at(2, 0, 0), true, 0.0f},
        {"height from the terrain", {}, 0, false, true, false, at(1, 7, 0), true, 2.5f},
        {"stacking keeps the depth-buffer height", {}, 0, false, true, true, at(1, 7, 0), true,
         7.0f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        view.items = row.before;
        view.triangleCounter = 1000;
        view.stacking = row.stacking;
        settings.distanceCm = row.distanceCm;
        mask = row.halfMasked ? maskImage(2, 2, [](int x, int) { return x == 0; }) : QImage();
        setTerrain(9, 8, [&](float gx, float) { return row.slope ? 0.5f * gx : 0.0f; });
        progress.events.clear();

        EXPECT_EQ(place(row.hit), row.placed);
        const std::size_t count = row.before.size() + (row.placed ? 1 : 0);
        ASSERT_EQ(view.items.size(), count);
        if (!row.placed) {
            EXPECT_EQ(view.triangleCounter, 1000);
            EXPECT_TRUE(progress.events.isEmpty());
            continue;
        }
        EXPECT_EQ(view.items.back().itemNumber, int(row.before.size()));
        EXPECT_EQ(view.items.back().position, (std::array<float, 3>{float(row.hit.world[0]), row.y,
                                                                   float(row.hit.world[2])}));
        EXPECT_EQ(view.triangleCounter, 1000 + kTriangles);
        EXPECT_EQ(lastStatus(), "status:added item # " + QString::number(count));
    }
}

TEST_F(PlacementTest, RecordTakesThePropAndDrawsRotationsThenScale) {
    const float slopeLength = std::sqrt(1.25f);
    struct Row {
        const char* what;
        int angle, scale, scaleRandom, lean;
        bool yOnly, ySnap, scaleYOnly;
        std::deque<int> draws;
        std::array<float, 3> normal;
        std::array<int, 3> rotation;
        std::array<float, 3> scales;
        float overall;
        int drawCount;
    };
    const Row rows[] = {
        {"three rotations in [-A, A], then the scale", 10, 100, 0, 0, false, false, false,
         {3, 20, 10, 0}, {0, 1, 0}, {-7, 10, 0}, {100, 100, 100}, 100, 4},
        {"Y only zeroes x and z", 10, 100, 0, 0, true, false, false, {3, 20, 10, 0}, {0, 1, 0},
         {0, 10, 0}, {100, 100, 100}, 100, 4},
        {"Y snap draws once more, in quarter turns", 10, 100, 0, 0, false, true, false,
         {3, 20, 10, 7, 0}, {0, 1, 0}, {0, 270, 0}, {100, 100, 100}, 100, 5},
        {"scale randomised around the initial scale", 0, 200, 10, 0, false, false, false,
         {0, 0, 0, 5}, {0, 1, 0}, {0, 0, 0}, {190, 190, 190}, 190, 4},
        {"Y-only scale keeps x and z at 100", 0, 200, 10, 0, false, false, true, {0, 0, 0, 20},
         {0, 1, 0}, {0, 0, 0}, {100, 220, 100}, 220, 4},
        {"full lean about z follows the slope along x", 0, 100, 0, 100, false, false, false, std::deque<int>{},
         {-0.5f / slopeLength, 1.0f / slopeLength, 0}, {0, 0, 26}, {100, 100, 100}, 100, 4},
        {"half lean about x, plus the drawn angle", 5, 100, 0, 50, false, false, false,
         {7, 0, 5}, {0, 0.9701425f, -0.2425356f}, {-5, -5, 0}, {100, 100, 100}, 100, 4},
        {"no lean stands upright on any slope", 0, 100, 0, 0, false, false, false, std::deque<int>{},
         {0.6f, 0.0f, 0.8f}, {0, 0, 0}, {100, 100, 100}, 100, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        settings.angleRandomization = row.angle;
        settings.angleYOnly = row.yOnly;
        settings.angleYSnap = row.ySnap;
        settings.scale = row.scale;
        settings.scaleRandomization = row.scaleRandom;
        settings.scaleYOnly = row.scaleYOnly;
        settings.perpVsNormal = row.lean;
        random.values = row.draws;
        random.draws = 0;
        const ItemRecord record = makeItemRecord(view, settings, random, row.normal);
        EXPECT_EQ(random.draws, row.drawCount);
        EXPECT_EQ(record.rotation, row.rotation);
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(record.scale[axis], row.scales[axis], 1e-4f) << axis;
        EXPECT_NEAR(record.overallScale, row.overall, 1e-4f);
    }
    view.items.resize(2);
    const ItemRecord record = makeItemRecord(view, settings, random, {0, 1, 0});
    EXPECT_EQ(std::make_tuple(record.itemNumber, record.propFile, record.modelSlot, record.boxMax),
              std::make_tuple(2, QString("/props/rock.pp2"), 3, view.currentProp.boxMax));
}

TEST_F(PlacementTest, DeploymentPlacesAtTheDrawnPointsOfTheSquare) {
    settings.instances = 2;
    settings.brushDiameter = 2;
    // Each placement: a, b, then three rotations and the scale.
    random.values = {2, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
    const Deployment result = deploy(at(0, 5, 0));
    EXPECT_EQ(std::make_pair(result.placed, result.failures), std::make_pair(2, 0));
    EXPECT_EQ(random.draws, 12);
    ASSERT_EQ(view.items.size(), 2u);
    EXPECT_EQ(view.items[0].position, (std::array<float, 3>{1, 0, -1}));
    EXPECT_EQ(view.items[1].position, (std::array<float, 3>{0, 0, 0}));
    EXPECT_EQ(view.items[1].itemNumber, 1);
    EXPECT_EQ(view.triangleCounter, 2 * kTriangles);
    EXPECT_EQ(lastStatus(), "status:added items up to # 2");

    // At the corner, points off the terrain are drawn again; stacking
    // takes the press point's height.
    view.items.clear();
    view.stacking = true;
    settings.instances = 1;
    random.values = {0, 0, 2, 2, 0, 0, 0, 0};
    random.draws = 0;
    EXPECT_EQ(deploy(at(-4, 5, -4)).placed, 1);
    EXPECT_EQ(random.draws, 8);
    ASSERT_EQ(view.items.size(), 1u);
    EXPECT_EQ(view.items[0].position, (std::array<float, 3>{-3, 5, -3}));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(PlacementTest, DeploymentGivesUpAfter513FailuresWithTheFailuresMessage) {
    const QString masked = QStringLiteral(
        "The area where objects should be deployed seems to be completely masked. Try a larger "
        "radius or choose a different spot.");
    const QString tooClose = QStringLiteral(
        "The distance check failed to comply within the specified distance. Try a larger radius "
        "or choose a different spot, or choose a lower minimum distance");
    struct Row {
        const char* what;
        bool blackMask;
        int distanceCm;
        SurfaceHit hit;
        int placed;
        QString message;
        int draws; // -1: not checked
    };
    const Row rows[] = {
        {"the whole square masked", true, 0, at(0, 0, 0), 0, masked, 2 * 513},
        {"background at the press point", false, 0, at(0, 0, 0, 1.0f), 0, masked, 2 * 513},
        {"each item but the first too close to the first", false, 100000, at(0, 0, 0), 1,
         tooClose, -1},
        {"press at no point at all", false, 0,
         at(std::numeric_limits<double>::quiet_NaN(), 0, 0), 0, masked, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        view.items.clear();
        notifier.messages.clear();
        random.draws = 0;
        mask = row.blackMask ? maskImage(4, 4, [](int, int) { return true; }) : QImage();
        settings.distanceCm = row.distanceCm;
        settings.instances = 5;
        settings.brushDiameter = 4;
        const Deployment result = deploy(row.hit);
        EXPECT_EQ(result.placed, row.placed);
        EXPECT_EQ(int(view.items.size()), row.placed);
        EXPECT_EQ(result.failures, 513);
        EXPECT_EQ(notifier.messages, (decltype(notifier.messages){{"Error", row.message}}));
        if (row.draws >= 0) {
            EXPECT_EQ(random.draws, row.draws);
        }
    }
}

// Odd sizes too: the centre is half the size rounded down. Reads outside
// the grid are caught by the sanitizer build.
TEST_F(PlacementTest, BrushesAtEveryEdgeAndCornerStayOnTheTerrain) {
    struct Grid { int n, size; };
    for (const Grid grid : {Grid{2, 1}, Grid{5, 7}, Grid{17, 100}}) {
        setTerrain(grid.n, grid.size, [](float gx, float gz) { return gx + 2.0f * gz; });
        const int half = grid.size / 2;
        for (int diameter : {1, grid.size, 3 * grid.size}) {
            for (double gx : {0.0, 0.5 * grid.size, double(grid.size)})
                for (double gz : {0.0, 0.5 * grid.size, double(grid.size)}) {
                    SCOPED_TRACE(::testing::Message() << grid.n << "/" << grid.size << " d "
                                                    << diameter << " at " << gx << "," << gz);
                    view.items.clear();
                    settings.instances = 20;
                    settings.brushDiameter = diameter;
                    random.draws = 0;
                    const Deployment result = deploy(at(gx - half, 0, gz - half));
                    EXPECT_GT(result.placed, 0);
                    EXPECT_LE(random.draws,
                              (result.placed + 513) * (2 * kBrushRedrawLimit + 4));
                    place(at(gx - half, 0, gz - half));
                    for (const ItemRecord& it : view.items) {
                        const float x = it.position[0] + half, z = it.position[2] + half;
                        ASSERT_TRUE(x >= 0 && x <= grid.size && z >= 0 && z <= grid.size)
                            << x << ", " << z;
                        EXPECT_NEAR(it.position[1], x + 2.0f * z, 1e-3f * grid.size);
                    }
                }
        }
    }
}

TEST_F(PlacementTest, DeploymentWithTheGridPlacesWhatTheLinearScanPlaces) {
    setTerrain(33, 64, [](float gx, float gz) { return 0.3f * gx - 0.1f * gz; });
    settings.instances = 300;
    settings.brushDiameter = 40;
    settings.angleRandomization = 30;
    settings.scaleRandomization = 20;
    for (int distanceCm : {0, 100, 250, 400}) {
        SCOPED_TRACE(distanceCm);
        settings.distanceCm = distanceCm;
        ItemList lists[2];
        Deployment results[2];
        for (int i = 0; i < 2; ++i) {
            view.items.clear();
            random.rest = SequenceRandomSource(17);
            PaintScene s = scene();
            deployItems(s, settings, at(-10, 0, 5));  // an earlier press to test against
            results[i] = deployItems(s, settings, at(3, 0, -2),
                                     i == 0 ? DistanceSearch::Grid : DistanceSearch::Linear);
            lists[i] = view.items;
        }
        EXPECT_EQ(lists[0], lists[1]);
        EXPECT_EQ(std::make_pair(results[0].placed, results[0].failures),
                  std::make_pair(results[1].placed, results[1].failures));
        if (distanceCm == 250) {
            EXPECT_GT(results[0].failures, 0); // the test had something to refuse
        }
    }
}

TEST_F(PlacementTest, RandomIntegersOfAnEmptyRangeAreItsLowEndWithoutADraw) {
    EXPECT_EQ(random.between(5, 2), 5);
    EXPECT_EQ(random.between(0, -1), 0);
    EXPECT_EQ(random.draws, 0);
    random.values = {7};
    EXPECT_EQ(random.between(3, 3), 3);
    EXPECT_EQ(random.draws, 1);
    // A brush of diameter 0 deploys on the press point itself.
    settings.brushDiameter = 0;
    settings.instances = 1;
    EXPECT_EQ(deploy(at(1.5, 0, -2)).placed, 1);
    EXPECT_EQ(view.items.back().position, (std::array<float, 3>{1.5f, 0, -2}));
}

TEST_F(PlacementTest, MaskPixelFollowsTheGridPointAndEdgesReadTheLastPixel) {
    // 4 x 2 mask over a terrain of size 8; black only at pixel (3, 1).
    const QImage m = maskImage(4, 2, [](int x, int y) { return x == 3 && y == 1; });
    struct Row { float gx, gz; bool masked; };
    const Row rows[] = {{7.0f, 5.0f, true}, {5.9f, 5.0f, false}, {7.0f, 3.9f, false},
                        {8.0f, 8.0f, true}, {80.0f, 80.0f, true}, {-1.0f, -1.0f, false},
                        {NAN, 5.0f, false}};
    for (const Row& row : rows)
        EXPECT_EQ(maskedAt(m, 8, row.gx, row.gz), row.masked) << row.gx << ", " << row.gz;
    EXPECT_FALSE(maskedAt(QImage(), 8, 7.0f, 5.0f));
}

// A tilted quad as OBJ terrain: vertex 2 and 3 share a position (the first
// wins), vertex 4 lies far beyond the search's start distance.
TEST_F(PlacementTest, ObjTerrainPlacementLeansByTheNearestVertexNormal) {
    ObjModel model;
    model.vertices = {{0, 0, 0}, {0, 0, 0}, {10, 0, 0}, {10, 0, 0}, {1e6f, 0, 0}};
    model.smoothedNormals = {{0, 1, 0}, {0.6f, 0.8f, 0}, {0, 0.8f, 0.6f}, {1, 0, 0}};
    settings.perpVsNormal = 100;
    EXPECT_EQ(nearestObjVertex(model, 100.0f, {9, 1, 0}), 2);
    EXPECT_EQ(nearestObjVertex(model, 100.0f, {1e6, 0, 0}), 4);
    EXPECT_EQ(nearestObjVertex(model, 100.0f, {0, 1e5, 0}), 0); // nothing within sqrt(2^31)
    PaintScene s = scene();
    EXPECT_FALSE(placeItemOnObjTerrain(s, settings, at(9, 2, 0), model, true)); // black pixel
    ASSERT_TRUE(view.items.empty());
    // Leans by the first of the two vertices sharing the nearest position.
    ASSERT_TRUE(placeItemOnObjTerrain(s, settings, at(9, 2, 0), model, false));
    ASSERT_EQ(view.items.size(), 1u);
    EXPECT_EQ(std::make_pair(view.items[0].rotation, view.items[0].position),
              std::make_pair(std::array<int, 3>{0, 0, -36}, std::array<float, 3>{9, 2, 0}));
    // Too close to that item, at the truncated point.
    settings.distanceCm = 100;
    EXPECT_FALSE(placeItemOnObjTerrain(s, settings, at(9.7, 2.2, 0.4), model, false));
    EXPECT_TRUE(placeItemOnObjTerrain(s, settings, at(10.1, 2.2, 0.4), model, false));
}

} // namespace
} // namespace morvane
