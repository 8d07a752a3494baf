#include "hostexport/terrain_export.h"

#include "common/event_log.h"
#include "common/progress_sink.h"
#include "common/safe_file.h"
#include "hostexport/terrain_obj_writer.h"
#include "noise/noise_map.h"
#include "pipeline/generation_driver.h"
#include "pipeline/normal_map.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/terrain_arrays.h"

#include <QDir>
#include <QFile>

namespace morvane {

QString checkGroupName(const QString& groupName) {
    if (groupName.isEmpty())
        return QStringLiteral("Please type a name for the terrain.");
    if (groupName.contains('/') || groupName.contains('\\') ||
        groupName == QLatin1String(".") || groupName == QLatin1String(".."))
        return QStringLiteral("The terrain name \"%1\" cannot be used as a file name: "
                              "it may not contain \"/\" or \"\\\", nor be \".\" or \"..\".")
            .arg(groupName);
    return QString();
}

namespace {

// A byte copy that replaces the target and says whether it worked.
bool copyFile(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    return writeFileSafely(to, source.readAll());
}

} // namespace

TerrainExportResult exportTerrain(GenerationDriver& driver, const TerrainArrays& arrays,
                                  const TerrainExportRequest& request) {
    TerrainExportResult result;
    result.error = checkGroupName(request.groupName);
    if (!result.error.isEmpty())
        return result;
    if (arrays.empty()) {
        result.error = QStringLiteral("There is no terrain to export yet.");
        return result;
    }
    const EvaluationContext& context = driver.context();
    const QString folder =
        request.outputDir.isEmpty() ? context.paths.mapsDir() : request.outputDir;
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("Cannot create the folder ") + folder;
        return result;
    }
    result.objFile = folder + '/' + request.groupName + QStringLiteral(".obj");
    result.textureFile = folder + '/' + request.groupName + QStringLiteral(".jpg");
    QFile::remove(result.objFile);
    QFile::remove(result.textureFile);

    if (!driver.evaluate(true, request.textureSize, true)) {
        result.error = GraphEvaluator::outOfMemoryText(request.textureSize);
        return result;
    }
    if (request.onTextureMap)
        request.onTextureMap(driver.state().finalHeightMap);
    if (!copyFile(context.paths.mapFile(QStringLiteral("TFFnoisePreview.jpg")),
                  result.textureFile)) {
        result.error = QStringLiteral("The terrain texture could not be written to ") +
                       result.textureFile;
        return result;
    }

    NormalMapRequest normalMap;
    normalMap.isFinal = true;
    normalMap.normalMapSize = request.normalMapSize;
    normalMap.textureSize = request.textureSize;
    normalMap.bumpSlider = request.bumpSlider;
    normalMap.groupName = request.groupName;
    normalMap.outputDir = folder;
    result.normalMapFile = generateNormalMap(driver, normalMap);
    if (request.normalMapSize > 0 && result.normalMapFile.isEmpty()) {
        result.error = QStringLiteral("The normal map could not be written to ") + folder;
        return result;
    }

    context.log->write(QStringLiteral("create terrain OBJ\n"));
    if (!writeTerrainObj(arrays, result.objFile)) {
        result.error = QStringLiteral("The terrain mesh could not be written to ") +
                       result.objFile;
        return result;
    }
    context.progress->setStatusText(QStringLiteral("terrain geometry generated"));
    context.log->write(QStringLiteral("terrain geometry generated\n"));
    result.ok = true;
    return result;
}

} // namespace morvane
