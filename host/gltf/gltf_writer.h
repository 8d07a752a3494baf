#pragma once

#include "gltf_scene.h"

namespace morvane::gltf {

// Writes `scene` as glTF 2.0. A ".glb" path gives one binary file with the
// pictures inside; any other gives the JSON file, a ".bin" beside it and
// the pictures copied beside it. False, with the reason in `error`, when a
// file cannot be written or a picture cannot be read.
bool writeGltf(const Scene& scene, const QString& path, QString* error = nullptr);

} // namespace morvane::gltf
