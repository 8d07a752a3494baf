#pragma once

#include "pipeline/terrain_arrays.h"

#include <QByteArray>
#include <QString>

namespace morvane {

// The terrain mesh as Wavefront OBJ text: the vertex block, the
// texture-coordinate block (u = column / (D - 1), v = 1 - row / (D - 1)) and
// one quad per grid cell whose texture indices equal its vertex indices.
// Nothing else: no comments, groups or materials.
QByteArray terrainObjText(const TerrainArrays& arrays);

} // namespace morvane
