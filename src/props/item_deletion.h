#pragma once

namespace morvane {

class ProgressSink;
struct ViewportState;

// Triangles of a generated 512 x 512 terrain: where the counter restarts
// when the items go.
constexpr int kGeneratedTerrainTriangles = 522242;

// The list arithmetic of the four deletions. The viewport adds what only
// it can do: the display lists, the mode switch, the prop highlight, the
// triangle label and the undo step.

// The selected item: its triangles leave the counter, later items move
// down keeping their item numbers, the selection clears. Status "object
// deleted". False without a valid selection.
bool deleteSelectedItem(ViewportState& view, ProgressSink& progress);

// The last item. Status "object #<count before> deleted". False with an
// empty list.
bool deleteLastItem(ViewportState& view, ProgressSink& progress);

// Every item, after the user said yes: the current prop is reset and the
// counter restarts at the terrain's triangles. Status "all objects deleted".
void deleteAllItems(ViewportState& view, int terrainTriangles, ProgressSink& progress);

// Before a new terrain: no question, no status. What it did, so the caller
// knows whether the prop's display lists go too.
struct SilentDeletion {
    bool itemsRemoved = false;
    bool propReset = false; // a prop slot was in use
};
SilentDeletion deleteAllItemsSilently(ViewportState& view);

} // namespace morvane
