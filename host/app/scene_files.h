#pragma once

#include <QString>

class DzScene;

namespace morvane::host {

// Save Scene As...: the scene as glTF 2.0 (".gltf" with ".bin" and pictures
// beside it, or ".glb"). False with the reason in `error`.
bool saveSceneAs(const DzScene& scene, const QString& path, QString* error);

// Open Scene...: adds the nodes of a glTF file to the scene; embedded
// pictures go to `pictureFolder`. False with the reason in `error`.
bool openScene(DzScene& scene, const QString& path, const QString& pictureFolder, QString* error);

} // namespace morvane::host
