#include "hostexport/terrain_export.h"

#include "common/event_log.h"
#include "common/progress_sink.h"
#include "common/run_beside.h"
#include "common/safe_file.h"
#include "hostexport/terrain_obj_writer.h"
#include "noise/noise_map.h"
#include "pipeline/generation_driver.h"
#include "pipeline/normal_map.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/terrain_arrays.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <future>

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

// A byte copy that replaces the target and says whether it worked. In
// pieces: a 16384 texture is hundreds of megabytes, which must not be
// held beside the final map.
bool copyFile(const QString& from, const QString& to, QString& reason) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        reason = source.errorString();
        return false;
    }
    SafeFileWriter target(to);
    if (!target.open()) {
        reason = target.errorString();
        return false;
    }
    QByteArray piece(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = source.read(piece.data(), piece.size());
        if (got < 0) {
            reason = source.errorString();
            return false;
        }
        if (got == 0)
            break;
        if (!target.write(piece.constData(), got)) {
            reason = target.errorString();
            return false;
        }
    }
    if (!target.commit()) {
        reason = target.errorString();
        return false;
    }
    return true;
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
    const QString objName = request.groupName + QStringLiteral(".obj");
    const QString textureName = request.groupName + QStringLiteral(".jpg");
    result.objFile = folder + '/' + objName;
    result.textureFile = folder + '/' + textureName;
    // Every file is written under a staging folder first and the set is put
    // in place at the end, so a failure (or running out of memory, which
    // unwinds past the set) leaves the previous export exactly as it was,
    // never a new texture beside an old or missing mesh.
    FileSet files(folder);
    if (!files.isValid()) {
        result.error = QStringLiteral("The terrain could not be exported: ") + files.errorString();
        return result;
    }

    if (!driver.evaluate(true, request.textureSize, true)) {
        result.error = driver.lastEvaluationError();
        return result;
    }
    if (request.onTextureMap)
        request.onTextureMap(driver.state().finalHeightMap);
    QString reason;
    if (!copyFile(context.paths.mapFile(QStringLiteral("TFFnoisePreview.jpg")),
                  files.stage(textureName), reason)) {
        result.error = QStringLiteral("The terrain texture could not be written to ") +
                       result.textureFile + QStringLiteral(": ") + reason;
        return result;
    }

    // The mesh text needs nothing of the maps: it is built while the normal
    // map is rendered, which leaves cores idle behind its encoder.
    std::future<QByteArray> objText =
        runBeside([&arrays] { return terrainObjText(arrays); });

    NormalMapRequest normalMap;
    normalMap.isFinal = true;
    normalMap.normalMapSize = request.normalMapSize;
    normalMap.textureSize = request.textureSize;
    normalMap.bumpSlider = request.bumpSlider;
    normalMap.groupName = request.groupName;
    normalMap.outputDir = files.stagingDir();
    const QString stagedNormalMap = generateNormalMap(driver, normalMap);
    if (request.normalMapSize > 0 && stagedNormalMap.isEmpty()) {
        result.error = QStringLiteral("The normal map could not be written to ") + folder;
        return result;
    }
    if (!stagedNormalMap.isEmpty()) {
        const QString name = QFileInfo(stagedNormalMap).fileName();
        files.stage(name);
        result.normalMapFile = folder + '/' + name;
    }

    context.log->write(QStringLiteral("create terrain OBJ\n"));
    const QByteArray obj = objText.get();
    reason = QStringLiteral("the terrain has no vertices");
    if (obj.isEmpty() || !writeFileSafely(files.stage(objName), obj, &reason)) {
        result.error = QStringLiteral("The terrain mesh could not be written to ") +
                       result.objFile + QStringLiteral(": ") + reason;
        return result;
    }
    if (!files.commit()) {
        result.error = QStringLiteral("The terrain files could not be saved: ") +
                       files.errorString();
        return result;
    }
    context.progress->setStatusText(QStringLiteral("terrain geometry generated"));
    context.log->write(QStringLiteral("terrain geometry generated\n"));
    result.ok = true;
    return result;
}

} // namespace morvane
