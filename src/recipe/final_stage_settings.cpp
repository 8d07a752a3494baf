#include "recipe/final_stage_settings.h"

#include <algorithm>

namespace morvane {

void FinalStageSettings::setTerrainSize(int sliderValue) {
    terrainSizeSlider = std::clamp(sliderValue, 1, 5);
    int size = 10;
    for (int i = 1; i < terrainSizeSlider; ++i)
        size *= 10;
    terrainSizeText = QString::number(size);
    terrainHeightUp = std::clamp(size / 10, 1, 9000);
}

int FinalStageSettings::terrainSize() const {
    bool ok = false;
    const int size = terrainSizeText.toInt(&ok);
    return ok ? size : 0;
}

} // namespace morvane
