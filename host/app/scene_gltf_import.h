#pragma once

#include "gltf_scene.h"

#include <QString>

class DzScene;

namespace morvane::host {

// Adds the nodes of a glTF description to `scene` (metres to centimetres,
// quaternions to XYZ angles). Embedded pictures are written into
// `pictureFolder` so the image manager can load them. Returns the number
// of nodes added.
int gltfToScene(const gltf::Scene& description, DzScene& scene, const QString& pictureFolder);

} // namespace morvane::host
