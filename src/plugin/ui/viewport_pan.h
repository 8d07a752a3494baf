#pragma once

namespace morvane {

// One pan slider's memory. A drag reports the value before each move
// (`sliderMoved`) and then the new value (`valueChanged`); the camera moves
// by the difference, scaled to the terrain. Releasing the slider puts it
// back to 0, and a change to 0 never moves the camera, so the view stays
// where the drag left it.
struct PanSliderMemory {
    int previous = 0;
    int current = 0;

    // `sliderMoved`: the slider's value before the move.
    void moved(int valueBeforeMove) { previous = valueBeforeMove; }
    // `valueChanged`: how far the camera pans.
    double changed(int value, int terrainSize);
};

} // namespace morvane
