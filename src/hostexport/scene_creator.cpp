#include "hostexport/scene_creator.h"

#include "common/event_log.h"
#include "common/progress_sink.h"
#include "common/user_prompts.h"
#include "hostexport/host_scene.h"
#include "hostexport/scene_layout.h"
#include "hostexport/terrain_export.h"
#include "pipeline/generation_driver.h"
#include "pipeline/graph_evaluator.h"
#include "pipeline/pipeline_state.h"
#include "sky/sky_map_file.h"
#include "sky/sky_state.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <new>

namespace morvane {

namespace {

const QString kWarning = QStringLiteral("Warning");
const QString kError = QStringLiteral("Error");

// Times one step of the build into the result.
class StepTimer {
public:
    StepTimer(SceneResult& result, const char* step) : m_result(result), m_step(step) {
        m_clock.start();
    }
    ~StepTimer() {
        m_result.times.push_back(
            {QLatin1String(m_step), double(m_clock.nsecsElapsed()) / 1.0e6});
    }
    StepTimer(const StepTimer&) = delete;
    StepTimer& operator=(const StepTimer&) = delete;

private:
    SceneResult& m_result;
    const char* m_step;
    QElapsedTimer m_clock;
};

// The group's own files, and only when they resolve inside the maps folder.
bool removeGroupFile(const QString& mapsDir, const QString& fileName) {
    const QFileInfo file(QDir(mapsDir), fileName);
    if (file.absolutePath() != QFileInfo(mapsDir).absoluteFilePath())
        return false;
    return QFile::remove(file.absoluteFilePath());
}

// Step 1. False when the user cancelled.
bool askToOverwrite(const SceneServices& s, const QString& mapsDir, const QString& name) {
    if (!QFileInfo::exists(mapsDir + QLatin1Char('/') + name + QStringLiteral(".obj")))
        return true;
    if (!s.prompts.askYesCancel(kWarning,
                                QStringLiteral("There are already some files with this name: "
                                               "overwrite?")))
        return false;
    removeGroupFile(mapsDir, name + QStringLiteral(".obj"));
    removeGroupFile(mapsDir, name + QStringLiteral(".jpg"));
    // Removing shifts the later nodes down: the index stays put after a
    // removal so every node of the name is asked about once.
    for (int i = 0; i < s.scene.nodeCount();) {
        if (s.scene.nodeName(i) == name &&
            s.prompts.askYesNo(kWarning,
                               QStringLiteral("There is already a node named like this, delete "
                                              "it?\nIf you don't, you will probably get multiple "
                                              "terrain instances saving to a DAZ scene."))) {
            s.scene.removeNode(i);
            continue;
        }
        ++i;
    }
    for (const QString& camera : sceneCameraNames(name))
        for (int i = s.scene.nodeCount() - 1; i >= 0; --i)
            if (s.scene.nodeName(i) == camera)
                s.scene.removeNode(i);
    return true;
}

// Step 2.
bool addSkyDome(const SceneServices& s, const SceneRequest& r, const QString& mapsDir,
                const QString& pluginDir, SceneResult& result) {
    const QString path = skyDomeTexturePath(mapsDir, r.groupName);
    QDir().mkpath(mapsDir);
    {
        StepTimer timer(result, "sky map");
        const SkyMapInput input{s.sky.parameters, s.sky.sun, s.sky.dome.stars, r.skyMapSize};
        SkyMapOptions options;
        options.threads = s.threads;
        // A refused map is reported by the sky map itself; the dome still
        // goes in, showing whatever map was there before.
        generateSkyMapFile(input, s.stars, path, s.progress, s.prompts, options);
    }
    StepTimer timer(result, "sky dome import");

    const QString mesh = pluginDir + QStringLiteral("/resources/skydome.obj");
    s.log.write(QStringLiteral("Sky Texture name: ") + QDir::toNativeSeparators(path) +
                QLatin1Char('\n'));
    if (!QFileInfo::exists(mesh) ||
        !s.scene.addSkyDome(mesh, r.importScale, float(r.terrainSize) * 10.0f / 100.0f, path)) {
        s.log.write(QStringLiteral("could not import the sky dome ") + mesh + QLatin1Char('\n'));
        return false;
    }
    return true;
}

// Step 4.3: the terrain node, from the export or from the custom OBJ.
bool makeTerrain(const SceneServices& s, const SceneRequest& r, const QString& mapsDir,
                 QStringList& problems, SceneResult& result) {
    const QString& name = r.groupName;
    if (r.customTerrain) {
        StepTimer timer(result, "terrain import");
        if (QFileInfo::exists(r.customTerrainFile) &&
            s.scene.addCustomTerrain(r.customTerrainFile, r.importScale, name))
            return true;
        problems << QStringLiteral("The terrain OBJ could not be imported: ") +
                        r.customTerrainFile;
        return false;
    }
    TerrainExportRequest exportRequest;
    exportRequest.groupName = name;
    exportRequest.textureSize = r.textureSize;
    exportRequest.normalMapSize = r.normalMapSize;
    exportRequest.bumpSlider = r.bumpSlider;
    exportRequest.outputDir = mapsDir;
    TerrainExportResult exported;
    try {
        StepTimer timer(result, "terrain export");
        exported = exportTerrain(s.driver, s.driver.state().terrain, exportRequest);
    } catch (const std::bad_alloc&) {
        // The export's staged files are gone with it; the previous ones stay.
        exported.error = GraphEvaluator::outOfMemoryText(
            std::max(exportRequest.textureSize, exportRequest.normalMapSize));
    }
    if (!exported.ok) {
        problems << exported.error;
        return false;
    }
    StepTimer timer(result, "terrain import");
    s.log.write(QStringLiteral("load terrain in DAZ\n"));
    if (s.scene.loadTerrainOBJ(exported.objFile, SceneVec{}, {0, 0, 0}, 100.0f, name,
                               r.subdivision))
        return true;
    problems << QStringLiteral("The terrain OBJ could not be imported: ") + exported.objFile;
    return false;
}

// Step 4.5.
void placeProps(const SceneServices& s, const SceneRequest& r, SceneResult& result) {
    PropSequence sequence;
    for (std::size_t i = 0; i < s.items.size(); ++i) {
        const ItemRecord& item = s.items[i];
        const PropPlacement placement = propPlacement(item);
        switch (sequence.next(item)) {
        case PropSequence::Step::Load: {
            s.log.write(i == 0 ? QStringLiteral("loading prop [0]: ") + item.propFile + '\n'
                               : QStringLiteral("loading prop: [") + QString::number(i) +
                                     QLatin1Char(']') + item.propFile + '\n');
            bool children = false;
            const bool ok = QFileInfo::exists(item.propFile) &&
                            s.scene.loadPP2(item.propFile, placement, r.morphPercent, &children);
            sequence.loaded(ok, children);
            if (ok) {
                ++result.propsPlaced;
            } else {
                ++result.propsFailed;
                s.log.write(QStringLiteral("could not load prop: [") + QString::number(i) +
                            QLatin1Char(']') + item.propFile + '\n');
            }
            break;
        }
        case PropSequence::Step::Duplicate:
            s.log.write(QStringLiteral("duplicating prop: [") + QString::number(i) +
                        QLatin1Char(']') + item.propFile + '\n');
            if (s.scene.duplicateNode(int(i), placement, r.morphPercent))
                ++result.propsPlaced;
            else
                ++result.propsFailed;
            break;
        case PropSequence::Step::Skip:
            if (!item.propFile.isEmpty())
                ++result.propsFailed;
            break;
        }
    }
}

void addCameras(const SceneServices& s, const SceneRequest& r, const SceneBox& box) {
    s.log.write(QStringLiteral("add cameras\n"));
    for (const CameraPlacement& camera :
         cornerCameras(r.groupName, r.terrainSize, r.terrainHeightUp))
        s.scene.addCamera(camera, 30.0f);
    s.scene.addMainCamera(r.groupName + QStringLiteral(" Main Camera"),
                          mainCameraRotation(r.viewportPitch, r.viewportYaw), r.fieldOfView,
                          box);
    if (r.boundingBoxes)
        s.scene.setBoundingBoxShadeStyle();
}

} // namespace

SceneResult createScene(const SceneServices& s, const SceneRequest& r) {
    SceneResult result;
    const QString& name = r.groupName;
    const QString mapsDir = s.driver.context().paths.mapsDir();
    const QString pluginDir = s.driver.context().paths.pluginDir;

    // The name becomes file names: one the export would refuse is refused
    // before anything is written or deleted.
    if (!name.isEmpty()) {
        const QString refusal = checkGroupName(name);
        if (!refusal.isEmpty()) {
            s.prompts.warn(kError, refusal);
            s.status.setStatusText(QString());
            return result;
        }
    }

    bool cancelled = false;
    if (!name.isEmpty()) {
        StepTimer timer(result, "overwrite question");
        cancelled = !askToOverwrite(s, mapsDir, name);
    }

    if (r.skyMapSize > 0 && !s.scene.hasNode(QStringLiteral("skyDome")))
        result.skyDomeMade = addSkyDome(s, r, mapsDir, pluginDir, result);

    if (!cancelled && name.isEmpty())
        s.prompts.warn(kError, QStringLiteral("Please enter a terrain group name"));

    if (cancelled || name.isEmpty()) {
        s.status.setStatusText(QString());
        s.status.setWaiting(false);
        s.scene.refreshImages();
        return result;
    }

    result.built = true;
    s.status.setStatusText(QStringLiteral("DAZ Studio scene being generated, please wait..."));
    s.log.write(QStringLiteral("start creating DAZ scene\n"));
    s.status.setWaiting(true);

    s.driver.removeTemporaryPictures();
    QStringList problems;
    result.terrainMade = makeTerrain(s, r, mapsDir, problems, result);
    if (!result.terrainMade)
        s.log.write(QStringLiteral("terrain not made: ") + problems.last() + '\n');
    const SceneBox box = s.scene.terrainBox();

    if (!s.items.empty()) {
        StepTimer timer(result, "props");
        placeProps(s, r, result);
        if (result.propsFailed > 0)
            problems << QString::number(result.propsFailed) +
                            QStringLiteral(" props could not be loaded (see the log).");
    }

    if (result.terrainMade) {
        StepTimer timer(result, "shader");
        TerrainShaderRequest shader;
        shader.groupName = name;
        shader.texturePath = mapsDir + QLatin1Char('/') + name + QStringLiteral(".jpg");
        shader.normalMapPath =
            mapsDir + QStringLiteral("/NormalMap_") + name + QStringLiteral(".jpg");
        shader.useNormalMap = r.normalMapSize > 0;
        result.shaderMade = s.scene.applyTerrainShader(shader);
        if (!result.shaderMade)
            s.prompts.warn(kError, QStringLiteral("Terrain shader could not be created!"));
    }

    {
        StepTimer timer(result, "cameras");
        addCameras(s, r, box);
    }

    if (result.terrainMade) {
        QString text = QStringLiteral("Studio scene created successfully.\nThe files created "
                                      "during this process are located in:\n") +
                       QDir::toNativeSeparators(mapsDir);
        if (!problems.isEmpty())
            text += QLatin1Char('\n') + problems.join(QLatin1Char('\n'));
        s.status.setStatusText(text);
        s.log.write(QStringLiteral("DAZ scene generated\n"));
    } else {
        s.status.setStatusText(QStringLiteral("The Studio scene is incomplete:\n") +
                               problems.join(QLatin1Char('\n')));
        s.log.write(QStringLiteral("DAZ scene incomplete\n"));
    }
    s.status.setWaiting(false);
    s.scene.refreshImages();
    return result;
}

} // namespace morvane
