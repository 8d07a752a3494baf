#pragma once

#include <QString>

#include <array>

namespace morvane {

class RandomSource;

// The highest model slot a prop may take: the display-list table has 256
// entries and slot 0 holds no prop.
constexpr int kLastPropSlot = 255;

// A prop's display colour: each channel (r mod 106 + 150) / 255, so the
// props stay light enough to read against the terrain.
std::array<float, 3> drawPropColour(RandomSource& random);

// True when one more prop fits after `slotCount` slots are in use.
constexpr bool propSlotFree(int slotCount) {
    return slotCount >= 0 && slotCount < kLastPropSlot;
}

// Outcomes of loading a prop beyond the reader's own (Pp2Result).
enum PropLoadResult : int {
    kPropSlotsFull = 7,   // every model slot is taken until the items are deleted
    kPropNotCompiled = 8, // an OBJ file could not be read into the display list
    kPropNoTriangles = 9, // the OBJ files hold no triangle to paint with
};

// The "Error" box text for a failed load: the reader's problems and the
// ones above.
QString propLoadProblemText(int result);

} // namespace morvane
