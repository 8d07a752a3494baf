#pragma once

#include "gltf_scene.h"

class DzScene;

namespace morvane::host {

// The scene as a glTF description: every node with its name, local
// transform (centimetres to metres, rotation order to quaternion) and
// children; meshes with morphs applied at their current values; materials
// with their colour and normal maps; cameras as perspective cameras.
gltf::Scene sceneToGltf(const DzScene& scene);

} // namespace morvane::host
