#pragma once

#include "viewport/item_record.h"

#include <array>

namespace morvane {

class Notifier;
struct ObjModel;
struct TerrainArrays;

// The fields the edit panel's spin boxes set on the selected item.
enum class ItemField { RotationX, RotationY, RotationZ, ScaleX, ScaleY, ScaleZ, PositionY };

// Sets one field of the selected item (1-based) from a spin box value:
// rotations take it as degrees, scales as percent, position y as an
// absolute height. Returns false, changing nothing, without a selection or
// when the field already holds the value.
bool setItemField(ItemList& items, int selectedItem, ItemField field, int value);

// Whole degrees of the tilt that puts an item's up axis `blend` of the way
// (0..1) from straight up to along the unit normal; out-of-range
// components are clamped so a slightly long normal never yields NaN.
int tiltDegrees(float component, float blend);

// Drags an item to the surface point (world x, y, z) over a generated
// terrain: x and z always follow the point; on the grid the item also
// takes the terrain's height (or the point's own height while stacking, so
// it can rest on another item) and leans with the surface normal by
// `normalBlend` percent. Rotation y is the user's and stays.
void dragItemOnTerrain(ItemRecord& item, const TerrainArrays& terrain, int terrainSize,
                       int normalBlend, bool stacking, const std::array<float, 3>& point);

// Drags an item over an imported OBJ terrain drawn at `scalePercent`: the
// item moves to the point and leans with the smoothed normal of the model
// vertex nearest to it.
void dragItemOnObjTerrain(ItemRecord& item, const ObjModel& terrain, float scalePercent,
                          int normalBlend, const std::array<float, 3>& point);

// The model vertex (1-based) nearest to the point, the model drawn at
// `scalePercent`; 0 when the model has no vertices. The first of equally
// near vertices wins.
int nearestObjVertex(const ObjModel& model, float scalePercent,
                     const std::array<double, 3>& point);

// Re-seats every item on the deformed terrain: each item on the grid moves
// to the top-left vertex of its cell and leans with the normal of the
// cell triangle under it; items off the grid stay. The vertex normals are
// recomputed in any case. With an imported OBJ terrain the user is told
// the feature is not needed and nothing changes. Returns the number of
// items re-seated.
int repositionItems(ItemList& items, TerrainArrays& terrain, int terrainSize, int normalBlend,
                    bool customTerrain, Notifier& notifier);

} // namespace morvane
