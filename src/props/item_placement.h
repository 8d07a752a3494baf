#pragma once

#include "props/populate_settings.h"
#include "viewport/item_record.h"

#include <QImage>

#include <array>

namespace morvane {

class Notifier;
class ProgressSink;
class RandomSource;
struct ObjModel;
struct TerrainArrays;
struct ViewportState;

// What the viewport read back under the cursor: the depth (1.0 where only
// the background is) and the world point it unprojects to.
struct SurfaceHit {
    float depth = 1.0f;
    std::array<double, 3> world{};

    bool onSurface() const { return depth < 1.0f; }
};

// What painting reads and writes. The items, the triangle counter, the
// current prop and the stacking flag are the viewport state's.
struct PaintScene {
    ViewportState& view;
    const TerrainArrays& terrain; // the generated terrain's full grid
    int terrainSize;              // scene units
    const QImage* mask;           // honoured when not null (mask on)
    RandomSource& random;
    ProgressSink& progress;       // status line
    Notifier& notifier;           // the deployment's give-up box
};

// True where the mask's pixel under the grid-space point has no red. A
// point on the far edge reads the last pixel; an empty mask hides nothing.
bool maskedAt(const QImage& mask, int terrainSize, float gx, float gz);

// Rotation, scale and the rest of a new record from the current prop and
// the controls, drawing the random rotations and scale in that order; the
// caller sets the position. `normal` is the surface normal the item leans
// towards; on an OBJ terrain the z lean follows its direction in the x-y
// plane.
enum class Lean { GeneratedTerrain, ObjTerrain };
ItemRecord makeItemRecord(const ViewportState& view, const PopulateSettings& settings,
                          RandomSource& random, const std::array<float, 3>& normal,
                          Lean lean = Lean::GeneratedTerrain);

// Appends the record; the triangle counter grows by its triangles.
void appendItem(ViewportState& view, ItemRecord item);

// One item under the cursor on the generated terrain, unless the point is
// masked, off the terrain, or too close to an earlier item. Status "added
// item # <count>". True when an item was placed.
bool placeItem(PaintScene& scene, const PopulateSettings& settings, const SurfaceHit& hit);

// Shift-press: up to `instances` items at random points of the brush square
// around the press point. Gives up after more than 512 failed draws with
// the masked-area or the distance message; items already placed stay.
struct Deployment {
    int placed = 0;
    int failures = 0;
    enum class GaveUp { No, Area, Distance } gaveUp = GaveUp::No;
};
// `search` picks how the distance test finds nearby items: the grid, or
// the scan of the whole list that defines it (kept for tests and
// benchmarks; both place the same items).
enum class DistanceSearch { Grid, Linear };
Deployment deployItems(PaintScene& scene, const PopulateSettings& settings, const SurfaceHit& hit,
                       DistanceSearch search = DistanceSearch::Grid);

// The redraws of one brush point before the draw counts as a failed
// attempt: a square that barely touches the terrain would otherwise draw
// for a very long time.
constexpr int kBrushRedrawLimit = 10000;
// Failed attempts a deployment tolerates.
constexpr int kDeployFailureLimit = 512;

// One item on an imported OBJ terrain at the unprojected point, leaning by
// the smoothed normal of the nearest model vertex. `pixelMasked`: the mask
// is on and the frame buffer under the cursor is black.
bool placeItemOnObjTerrain(PaintScene& scene, const PopulateSettings& settings,
                           const SurfaceHit& hit, const ObjModel& model, bool pixelMasked,
                           float modelScalePercent = 100.0f);


} // namespace morvane
