#include "plugin/ui/viewport_pan.h"

namespace morvane {

double PanSliderMemory::changed(int value, int terrainSize) {
    current = value;
    double step = 0.0;
    if (current != 0)
        step = (current - previous) * terrainSize * 0.01;
    // Page steps and the wheel change the value without a move report;
    // they must count from where the slider was, not from the last drag.
    previous = current;
    return step;
}

} // namespace morvane
