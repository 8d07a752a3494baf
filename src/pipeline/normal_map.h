#pragma once

#include <QString>

namespace morvane {

class GenerationDriver;

// Bump factor of a normal-map size: 512 -> 1, doubling with each size up
// to 16384 -> 32; any other size -> 1.
double normalMapBumpFactor(int size);
// The bump slider (10..5000) as the renderer's bump height for a size.
double normalMapBumpHeight(int sliderValue, int size);

struct NormalMapRequest {
    bool isFinal = false;      // the scene export's map, else the preview thumbnail
    bool manualUpdate = false; // "regen normal map": always re-evaluates
    int normalMapSize = 0;     // the size combo's value; 0 = "no thanks"
    int textureSize = 512;     // the export's texture size
    int bumpSlider = 1000;
    QString groupName;         // the terrain group name (final file name)
    QString outputDir;         // where the final map goes; empty = the maps folder
};

// Renders the final height map as a tangent-space normal map: the preview
// "NMapFFnoisePreviewThumb.jpg", or the final "NormalMap_<group>.jpg",
// re-evaluating the graph at the normal-map size when the last map was
// made at another size. Returns the file written, or an empty string when
// nothing was (final request with no size chosen, empty map).
QString generateNormalMap(GenerationDriver& driver, const NormalMapRequest& request);

} // namespace morvane
