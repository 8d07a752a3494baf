#include "props/item_editing.h"

#include "common/notifier.h"
#include "pipeline/terrain_arrays.h"
#include "props/obj_model.h"
#include "props/terrain_cell.h"
#include "props/terrain_sculpt.h"

#include <algorithm>
#include <cmath>

namespace morvane {

namespace {

constexpr float kDegreesPerRadian = float(180.0 / 3.14159265358979323846);

// The slider's range; anything past it would tilt items beyond 90 degrees.
float blendFraction(int normalBlend) {
    return float(std::clamp(normalBlend, 0, 100)) / 100.0f;
}

std::array<float, 3> vertexAt(const TerrainArrays& t, int vertex) {
    const float* v = &t.vertices[std::size_t(vertex) * 3];
    return {v[0], v[1], v[2]};
}

std::array<float, 3> minus(const std::array<float, 3>& a, const std::array<float, 3>& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

std::array<float, 3> cross(const std::array<float, 3>& a, const std::array<float, 3>& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

} // namespace

bool setItemField(ItemList& items, int selectedItem, ItemField field, int value) {
    if (selectedItem < 1 || selectedItem > int(items.size()))
        return false;
    ItemRecord& item = items[std::size_t(selectedItem - 1)];
    const ItemRecord before = item;
    switch (field) {
    case ItemField::RotationX: item.rotation[0] = value; break;
    case ItemField::RotationY: item.rotation[1] = value; break;
    case ItemField::RotationZ: item.rotation[2] = value; break;
    case ItemField::ScaleX: item.scale[0] = float(value); break;
    case ItemField::ScaleY: item.scale[1] = float(value); break;
    case ItemField::ScaleZ: item.scale[2] = float(value); break;
    case ItemField::PositionY: item.position[1] = float(value); break;
    }
    return item != before;
}

int tiltDegrees(float component, float blend) {
    const float c = std::clamp(component, -1.0f, 1.0f);
    if (std::isnan(c))
        return 0;
    return int(std::trunc(std::asin(c) * blend * kDegreesPerRadian));
}

void dragItemOnTerrain(ItemRecord& item, const TerrainArrays& terrain, int terrainSize,
                       int normalBlend, bool stacking, const std::array<float, 3>& point) {
    item.position[0] = point[0];
    item.position[2] = point[2];
    const auto [gx, gz] = gridPoint(terrainSize, point[0], point[2]);
    const std::optional<TerrainCell> cell = terrainCellAt(terrain, gx, gz);
    if (!cell)
        return;
    const SurfaceSample surface = surfaceAt(terrain, *cell);
    const float p = blendFraction(normalBlend);
    item.rotation[0] = tiltDegrees(surface.normal[2], p);
    item.rotation[2] = -tiltDegrees(surface.normal[0], p);
    item.position[1] = stacking ? point[1] : surface.height;
}

int nearestObjVertex(const ObjModel& model, float scalePercent,
                     const std::array<double, 3>& point) {
    // The model is drawn scaled; comparing the point with the unscaled
    // vertices would pick a vertex elsewhere on the terrain.
    const float scale = scalePercent > 0.0f ? scalePercent / 100.0f : 1.0f;
    double best = 2147483648.0;
    int nearest = 0;
    for (std::size_t v = 1; v < model.vertices.size(); ++v) {
        const auto& p = model.vertices[v];
        const double dx = double(p[0]) * scale - point[0];
        const double dy = double(p[1]) * scale - point[1];
        const double dz = double(p[2]) * scale - point[2];
        const double d = dx * dx + dy * dy + dz * dz;
        if (d < best) {
            best = d;
            nearest = int(v);
        }
    }
    return nearest;
}

void dragItemOnObjTerrain(ItemRecord& item, const ObjModel& terrain, float scalePercent,
                          int normalBlend, const std::array<float, 3>& point) {
    item.position = point;
    const int vertex =
        nearestObjVertex(terrain, scalePercent, {double(point[0]), double(point[1]), double(point[2])});
    if (vertex < 1 || std::size_t(vertex) > terrain.smoothedNormals.size())
        return;
    const auto& n = terrain.smoothedNormals[std::size_t(vertex - 1)];
    const float p = blendFraction(normalBlend);
    item.rotation[0] = tiltDegrees(n[2], p);
    const float heading = (std::atan2(n[1], n[0]) * kDegreesPerRadian - 90.0f) * p;
    item.rotation[2] = std::isfinite(heading) ? int(std::trunc(heading)) : 0;
}

int repositionItems(ItemList& items, TerrainArrays& terrain, int terrainSize, int normalBlend,
                    bool customTerrain, Notifier& notifier) {
    if (customTerrain) {
        notifier.warn(QStringLiteral("Error"),
                      QStringLiteral("This features is not needed with imported terrains!"));
        return 0;
    }
    const float p = blendFraction(normalBlend);
    const int n = terrain.gridSide;
    int reseated = 0;
    for (ItemRecord& item : items) {
        const auto [gx, gz] = gridPoint(terrainSize, item.position[0], item.position[2]);
        const std::optional<TerrainCell> cell = terrainCellAt(terrain, gx, gz);
        if (!cell)
            continue;
        const auto tl = vertexAt(terrain, cell->topLeft);
        const auto tr = vertexAt(terrain, cell->topLeft + 1);
        const auto bl = vertexAt(terrain, cell->topLeft + n);
        const auto br = vertexAt(terrain, cell->topLeft + n + 1);
        // The triangle choice of the height lookup; both crosses point up.
        const bool lowerLeft = cell->fz > cell->fx;
        const auto normal = normalised(lowerLeft ? cross(minus(bl, tl), minus(br, tl))
                                                 : cross(minus(br, tl), minus(tr, tl)));
        item.rotation[0] = tiltDegrees(normal[2], p);
        item.rotation[2] = -tiltDegrees(normal[0], p);
        // Rotation y is the item's heading, which the normal says nothing
        // about: it stays as painted or typed.
        item.position = tl;
        ++reseated;
    }
    recomputeNormals(terrain);
    return reseated;
}

} // namespace morvane
