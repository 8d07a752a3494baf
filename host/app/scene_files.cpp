#include "scene_files.h"

#include "gltf_reader.h"
#include "gltf_writer.h"
#include "scene_gltf_export.h"
#include "scene_gltf_import.h"

#include <QFileInfo>

namespace morvane::host {

bool saveSceneAs(const DzScene& scene, const QString& path, QString* error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("gltf") && suffix != QLatin1String("glb")) {
        if (error)
            *error = QStringLiteral("%1: a scene is saved as .gltf or .glb").arg(path);
        return false;
    }
    return gltf::writeGltf(sceneToGltf(scene), path, error);
}

bool openScene(DzScene& scene, const QString& path, const QString& pictureFolder, QString* error) {
    const std::optional<gltf::Scene> description = gltf::readGltf(path, error);
    if (!description)
        return false;
    gltfToScene(*description, scene, pictureFolder);
    return true;
}

} // namespace morvane::host
