#pragma once

#include "gltf_scene.h"

#include <optional>

namespace morvane::gltf {

// Reads a glTF 2.0 file (".gltf" or ".glb"): nodes with their transforms
// and hierarchy, triangle meshes, materials with their pictures, and
// perspective cameras. Pictures in files come back as paths, embedded ones
// as bytes. Empty, with the reason in `error`, when the file is no glTF.
std::optional<Scene> readGltf(const QString& path, QString* error = nullptr);

} // namespace morvane::gltf
