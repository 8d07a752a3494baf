#pragma once

#include "pipeline_fixture.h"
#include "scripted_random.h"

#include "common/random_source.h"
#include "pipeline/terrain_arrays.h"
#include "props/item_placement.h"
#include "viewport/viewport_state.h"

#include <QImage>

#include <deque>
#include <functional>

namespace morvane::testing {

// A grid of n x n vertices `size` scene units across whose heights follow
// h(gx, gz), gx and gz measured from the terrain's corner.
inline TerrainArrays gridTerrain(int n, int size, const std::function<float(float, float)>& h) {
    TerrainArrays t;
    t.gridSide = n;
    t.rowLength = n - 1;
    t.spacing = float(size) / float(n - 1);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const float gx = float(c) * t.spacing, gz = float(r) * t.spacing;
            t.vertices.insert(t.vertices.end(),
                              {gx - float(size) / 2.0f, h(gx, gz), gz - float(size) / 2.0f});
        }
    return t;
}

// A mask of w x h pixels, black where `black(x, y)`.
inline QImage maskImage(int w, int h, const std::function<bool(int, int)>& black) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, black(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

// A terrain with a chosen prop, the scene painting works on, recorders for
// its messages and a scripted random source.
class PaintFixture : public ::testing::Test {
protected:
    static constexpr int kTriangles = 12;

    void SetUp() override {
        setTerrain(9, 8, [](float, float) { return 0.0f; });
        view.currentProp.path = QStringLiteral("/props/rock.pp2");
        view.currentProp.modelSlot = 3;
        view.currentProp.colour = {0.7f, 0.8f, 0.9f};
        view.currentProp.boxMin = {-1.0f, 0.0f, -1.0f};
        view.currentProp.boxMax = {1.0f, 2.0f, 1.0f};
        view.currentProp.triangleCount = kTriangles;
        settings.distanceCm = 0;
        settings.perpVsNormal = 0;
    }

    void setTerrain(int n, int size, const std::function<float(float, float)>& h) {
        terrain = gridTerrain(n, size, h);
        terrainSize = size;
    }
    PaintScene scene() {
        return PaintScene{view, terrain, terrainSize, mask.isNull() ? nullptr : &mask,
                          random, progress, notifier};
    }
    // A hit on the surface at world (x, y, z).
    static SurfaceHit at(double x, double y, double z, float depth = 0.5f) {
        SurfaceHit hit;
        hit.depth = depth;
        hit.world = {x, y, z};
        return hit;
    }
    bool place(const SurfaceHit& hit) {
        PaintScene s = scene();
        return placeItem(s, settings, hit);
    }
    Deployment deploy(const SurfaceHit& hit) {
        PaintScene s = scene();
        return deployItems(s, settings, hit);
    }
    ItemRecord item(float x, float y, float z) const {
        ItemRecord record;
        record.position = {x, y, z};
        return record;
    }
    QString lastStatus() const {
        return progress.events.isEmpty() ? QString() : progress.events.back();
    }

    TerrainArrays terrain;
    int terrainSize = 0;
    QImage mask;
    ViewportState view;
    PopulateSettings settings;
    ScriptedRandom random;
    RecordingProgress progress;
    RecordingNotifier notifier;
};

} // namespace morvane::testing
