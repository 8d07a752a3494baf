#include "props/item_placement.h"

#include "common/notifier.h"
#include "common/progress_sink.h"
#include "common/random_source.h"
#include "props/item_distance.h"
#include "props/item_editing.h"
#include "props/obj_model.h"
#include "props/terrain_cell.h"
#include "viewport/viewport_state.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace morvane {

namespace {

constexpr double kRadiansToDegrees = 180.0 / M_PI;

const QString& maskedAreaMessage() {
    static const QString text = QStringLiteral(
        "The area where objects should be deployed seems to be completely masked. Try a larger "
        "radius or choose a different spot.");
    return text;
}

const QString& distanceMessage() {
    static const QString text = QStringLiteral(
        "The distance check failed to comply within the specified distance. Try a larger radius "
        "or choose a different spot, or choose a lower minimum distance");
    return text;
}

// Whole degrees; a value that is not a number (a degenerate normal) gives 0.
int truncatedDegrees(double value) {
    return std::isfinite(value) ? int(std::trunc(value)) : 0;
}

// asin of a normal component that rounding may have pushed past 1.
double leanAngle(float component) {
    return std::asin(std::clamp(double(component), -1.0, 1.0));
}

// Whether some integer draw in [0, diameter] puts the brush coordinate
// inside [0, size]. Widened by one on each side: a wrong "yes" only costs
// the redraw limit, a wrong "no" would refuse a square the redraws reach.
bool brushReachesTerrain(double centre, int diameter, int size) {
    if (!std::isfinite(centre))
        return false;
    const double half = double(diameter) / 2.0;
    const double low = std::ceil(half - centre) - 1.0;
    const double high = std::floor(double(size) + half - centre) + 1.0;
    return std::max(low, 0.0) <= std::min(high, double(std::max(diameter, 0)));
}

} // namespace

bool maskedAt(const QImage& mask, int terrainSize, float gx, float gz) {
    if (mask.isNull() || terrainSize <= 0 || !std::isfinite(gx) || !std::isfinite(gz))
        return false;
    const auto pixel = [terrainSize](int extent, float g) {
        const double p = std::trunc(double(extent) * double(g) / double(terrainSize));
        return int(std::clamp(p, 0.0, double(extent - 1)));
    };
    return qRed(mask.pixel(pixel(mask.width(), gx), pixel(mask.height(), gz))) == 0;
}

ItemRecord makeItemRecord(const ViewportState& view, const PopulateSettings& settings,
                          RandomSource& random, const std::array<float, 3>& normal, Lean lean) {
    const CurrentProp& prop = view.currentProp;
    ItemRecord item;
    item.itemNumber = int(view.items.size());
    item.propFile = prop.path;
    item.modelSlot = prop.modelSlot;

    const int a = settings.angleRandomization;
    int rx = random.between(-a, a);
    int ry = random.between(-a, a);
    int rz = random.between(-a, a);
    if (settings.angleYOnly)
        rx = rz = 0;
    if (settings.angleYSnap) {
        rx = rz = 0;
        ry = random.between(0, 3) * 90;
    }
    const double p = double(settings.perpVsNormal) / 100.0;
    item.rotation[0] = truncatedDegrees(leanAngle(normal[2]) * p * kRadiansToDegrees + rx);
    item.rotation[1] = ry;
    if (lean == Lean::GeneratedTerrain)
        item.rotation[2] = truncatedDegrees(rz - leanAngle(normal[0]) * p * kRadiansToDegrees);
    else // the normal's direction in the x-y plane
        item.rotation[2] = truncatedDegrees(
            (std::atan2(double(normal[1]), double(normal[0])) * kRadiansToDegrees - 90.0) * p +
            rz);

    item.colour = prop.colour;
    const float s = float(settings.scale);
    const int r = settings.scaleRandomization;
    const float v = s + s * 0.01f * float(random.between(-r, r));
    item.overallScale = v;
    item.scale = {v, v, v};
    if (settings.scaleYOnly)
        item.scale[0] = item.scale[2] = 100.0f;

    item.boxMin = prop.boxMin;
    item.boxMax = prop.boxMax;
    item.triangleCount = prop.triangleCount;
    return item;
}

void appendItem(ViewportState& view, ItemRecord item) {
    view.triangleCounter += item.triangleCount;
    view.items.push_back(std::move(item));
}

bool placeItem(PaintScene& scene, const PopulateSettings& settings, const SurfaceHit& hit) {
    ViewportState& view = scene.view;
    const auto [gx, gz] = gridPoint(scene.terrainSize, float(hit.world[0]), float(hit.world[2]));
    if (scene.mask && maskedAt(*scene.mask, scene.terrainSize, gx, gz))
        return false;
    if (!hit.onSurface())
        return false;
    const std::optional<TerrainCell> cell = terrainCellAt(scene.terrain, gx, gz);
    if (!cell)
        return false;
    const SurfaceSample surface = surfaceAt(scene.terrain, *cell);
    const float y = view.stacking ? float(hit.world[1]) : surface.height;
    if (!view.items.empty() &&
        !passesDistanceTest(view.items, distanceCandidate(hit.world[0], y, hit.world[2]),
                            settings.minimumDistance()))
        return false;

    ItemRecord item = makeItemRecord(view, settings, scene.random, surface.normal);
    item.position = {float(hit.world[0]), y, float(hit.world[2])};
    appendItem(view, std::move(item));
    scene.progress.setStatusText(QStringLiteral("added item # ") +
                                 QString::number(view.items.size()));
    return true;
}

Deployment deployItems(PaintScene& scene, const PopulateSettings& settings, const SurfaceHit& hit,
                       DistanceSearch search) {
    Deployment result;
    ViewportState& view = scene.view;
    if (settings.instances < 1)
        return result;
    const int size = scene.terrainSize;
    const int half = size / 2;
    const int diameter = settings.brushDiameter;
    const float halfDiameter = float(diameter) / 2.0f;
    const auto [gx, gz] = gridPoint(size, float(hit.world[0]), float(hit.world[2]));
    // A press far off the terrain has no brush point on it: every attempt
    // fails at once instead of redrawing for ever.
    const bool reachable = brushReachesTerrain(gx, diameter, size) &&
                           brushReachesTerrain(gz, diameter, size);
    const double distance = settings.minimumDistance();
    // Built once for the press: a long list is otherwise scanned once per
    // draw.
    std::optional<ItemDistanceGrid> nearby;
    if (search == DistanceSearch::Grid)
        nearby.emplace(view.items, distance);

    while (result.placed < settings.instances) {
        bool drawn = false;
        float px = 0.0f, pz = 0.0f;
        for (int redraw = 0; reachable && redraw < kBrushRedrawLimit; ++redraw) {
            const int a = scene.random.between(0, diameter);
            const int b = scene.random.between(0, diameter);
            px = gx + float(a) - halfDiameter;
            pz = gz + float(b) - halfDiameter;
            if (px >= 0.0f && px <= float(size) && pz >= 0.0f && pz <= float(size)) {
                drawn = true;
                break;
            }
        }

        Deployment::GaveUp failure = Deployment::GaveUp::Area;
        std::optional<TerrainCell> cell;
        if (drawn && !(scene.mask && maskedAt(*scene.mask, size, px, pz)) && hit.onSurface())
            cell = terrainCellAt(scene.terrain, px, pz);
        if (cell) {
            const SurfaceSample surface = surfaceAt(scene.terrain, *cell);
            const double x = double(px) - half;
            const double z = double(pz) - half;
            const float y = view.stacking ? float(hit.world[1]) : surface.height;
            const auto candidate = distanceCandidate(x, y, z);
            if (view.items.empty() ||
                (nearby ? nearby->passes(candidate)
                        : passesDistanceTest(view.items, candidate, distance))) {
                ItemRecord item = makeItemRecord(view, settings, scene.random, surface.normal);
                item.position = {float(x), y, float(z)};
                if (nearby)
                    nearby->add(item);
                appendItem(view, std::move(item));
                ++result.placed;
                scene.progress.setStatusText(QStringLiteral("added items up to # ") +
                                             QString::number(view.items.size()));
                continue;
            }
            failure = Deployment::GaveUp::Distance;
        }

        if (++result.failures > kDeployFailureLimit) {
            result.gaveUp = failure;
            scene.notifier.warn(QStringLiteral("Error"), failure == Deployment::GaveUp::Area
                                                             ? maskedAreaMessage()
                                                             : distanceMessage());
            break;
        }
    }
    return result;
}

bool placeItemOnObjTerrain(PaintScene& scene, const PopulateSettings& settings,
                           const SurfaceHit& hit, const ObjModel& model, bool pixelMasked,
                           float modelScalePercent) {
    ViewportState& view = scene.view;
    if (pixelMasked || !hit.onSurface())
        return false;
    if (!view.items.empty() &&
        !passesDistanceTest(view.items, distanceCandidate(hit.world[0], hit.world[1], hit.world[2]),
                            settings.minimumDistance()))
        return false;

    // No vertex near enough, or normals never computed: the item stands upright.
    std::array<float, 3> normal{0.0f, 1.0f, 0.0f};
    const std::size_t vertex = std::size_t(nearestObjVertex(model, modelScalePercent, hit.world));
    if (vertex >= 1 && vertex <= model.smoothedNormals.size())
        normal = model.smoothedNormals[vertex - 1];

    ItemRecord item = makeItemRecord(view, settings, scene.random, normal, Lean::ObjTerrain);
    item.position = {float(hit.world[0]), float(hit.world[1]), float(hit.world[2])};
    appendItem(view, std::move(item));
    scene.progress.setStatusText(QStringLiteral("added item # ") +
                                 QString::number(view.items.size()));
    return true;
}

} // namespace morvane
