#pragma once

#include <QString>

namespace morvane {

// Final-stage settings that belong to the working state but not to presets:
// light, preview size, map style, terrain size and height.
struct FinalStageSettings {
    bool lightOn = true;   // "Light ON"
    int lightContrast = 2; // 1..10, as is
    int lightIntensity = 40; // 0..100, x 0.05
    int lightAzimuth = 45;   // degrees, 0..360
    int lightElevation = 45; // degrees, 0..360
    int previewResolution = 1; // 1..2, x 256 pixels
    int mapStyle = 0;          // 0 height previews, 1 texture previews
    int terrainSizeSlider = 2; // 1..5
    QString terrainSizeText = QStringLiteral("100");
    int terrainHeightLow = 0; // -10000..0
    int terrainHeightUp = 10; // 0..9000

    double lightIntensityValue() const { return lightIntensity * 0.05; }
    int previewMapSize() const { return previewResolution * 256; }

    // The terrain size slider at v: size text 10 x 10^(v - 1), height
    // maximum size / 10, at least 1.
    void setTerrainSize(int sliderValue);
    // The size field as an integer; 0 when it is not a number.
    int terrainSize() const;
};

} // namespace morvane
