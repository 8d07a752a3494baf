#pragma once

#include "props/current_prop.h"
#include "viewport/item_record.h"

#include <QString>

#include <array>

namespace morvane {

enum class GLMode { Paint = 1, Edit = 2, Terrain = 3, SkyDome = 4 };

// The viewport-wide state shared by the viewport, its input handling and
// the window: mode, selection, flags and the painted items. Whether a
// terrain exists and whether it is a custom OBJ terrain live in
// PipelineState (terrainExists, customTerrainLoaded).
struct ViewportState {
    GLMode mode = GLMode::Edit;
    int selectedItem = -1; // 1-based; below 1 = none
    bool useVBO = true;
    bool proxyOption = false; // navigation proxy enabled (bounding boxes, decimated terrain)
    bool proxyActive = false; // ... and the camera is moving
    bool stacking = false;
    bool deformBelowZero = false;
    bool mouseDown = false;
    bool shiftHeld = false;
    bool altHeld = false;
    std::array<float, 3> brushCentre{};
    float brushDiameter = 10.0f; // populate brush diameter slider value
    ItemList items;
    // Triangles of the terrain and of every item ("triangles: " label).
    int triangleCounter = 0;
    CurrentProp currentProp;

    const ItemRecord* selected() const {
        return selectedItem >= 1 && selectedItem <= int(items.size()) ? &items[selectedItem - 1]
                                                                       : nullptr;
    }
};

} // namespace morvane
