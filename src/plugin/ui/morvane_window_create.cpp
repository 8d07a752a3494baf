// The CREATE tab's slots of the window: the scene build and the normal map.
#include "plugin/ui/morvane_window.h"

#include "common/event_log.h"
#include "common/user_prompts.h"
#include "hostexport/host_scene.h"
#include "hostexport/scene_creator.h"
#include "hostexport/ui/create_tab.h"
#include "plugin/ui/window_build.h"
#include "props/obj_model.h"
#include "viewport/gl_camera.h"
#include "viewport/ui/gl_terrain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLoggingCategory>
#include <QSlider>
#include <QTimer>

namespace morvane {

namespace {

Q_LOGGING_CATEGORY(sceneTimes, "morvane.scene", QtWarningMsg)

// Above this many painted triangles the host draws boxes by default.
constexpr long long kBoundingBoxTriangles = 1000000;

} // namespace

HostScene* MorvaneWindow::hostScene() {
    if (!m_hostScene && m_environment.hostScene)
        m_hostScene = m_environment.hostScene(*m_log, random());
    return m_hostScene.get();
}

QString MorvaneWindow::mapsDir() const {
    return m_build ? m_build->paths.mapsDir() : QString();
}

int MorvaneWindow::morphPercentage() const {
    return m_build ? m_build->w.createTab->request().morphPercent : 0;
}

void MorvaneWindow::prepareCreateTab() {
    Build& b = *m_build;
    CreateTab* tab = b.w.createTab;
    const bool custom = b.state.customTerrainLoaded;
    tab->textureSizeComboBox()->setEnabled(!custom);
    tab->subdivisionCheckBox()->setEnabled(!custom);
    if (!custom && tab->normalMapSize() > 0)
        tab->generateFinalNormalMap(false, false);
    long long triangles = 0;
    for (const ItemRecord& item : b.viewport.items)
        triangles += item.triangleCount;
    tab->boundingBoxesCheckBox()->setChecked(triangles > kBoundingBoxTriangles);
}

void MorvaneWindow::createDAZScene() {
    if (!m_build || m_creatingScene)
        return;
    Build& b = *m_build;
    HostScene* scene = hostScene();
    if (!scene) {
        prompts().warn(QStringLiteral("Error"),
                       QStringLiteral("There is no Studio scene to build into."));
        return;
    }
    SceneRequest request = b.w.createTab->request();
    request.viewportPitch = b.gl->camera().pitch;
    request.viewportYaw = b.gl->camera().yaw;
    request.fieldOfView = float(kFieldOfView);
    request.customTerrain = b.state.customTerrainLoaded && b.gl->customTerrain();
    if (request.customTerrain) {
        request.customTerrainFile = b.gl->customTerrain()->path;
        const float scale = b.gl->customTerrainScale();
        request.importScale = scale > 0.0f ? scale : 100.0f;
    }
    request.terrainSize = b.state.finalStage.terrainSize();
    request.terrainHeightUp = b.state.finalStage.terrainHeightUp;

    const SceneServices services{*b.driver,  b.viewport.items, b.sky,
                                 random(),   prompts(),        *m_log,
                                 b.progress, *b.w.createTab,   *scene,
                                 m_environment.threadCount};
    m_creatingScene = true;
    const SceneResult result = createScene(services, request);
    m_creatingScene = false;
    for (const SceneStepTime& step : result.times)
        qCInfo(sceneTimes, "%s: %.1f ms", qPrintable(step.step), step.milliseconds);
    // QUIT or RESET clicked while the build let events through.
    if (m_pendingTeardown != Teardown::None)
        QTimer::singleShot(0, this, [this] { runPendingTeardown(); });
}

void MorvaneWindow::generateFinalNormalMap(bool isFinal, bool manualUpdate) {
    if (m_build)
        m_build->w.createTab->generateFinalNormalMap(isFinal, manualUpdate);
}

void MorvaneWindow::generateFinalNormalMap() {
    generateFinalNormalMap(false, false);
}

void MorvaneWindow::generateFinalNormalCustomSize() {
    generateFinalNormalMap(true, true);
}

void MorvaneWindow::setNormalMapControls() {
    if (m_build)
        m_build->w.createTab->setNormalMapControls();
}

void MorvaneWindow::setNormalMapControls(const QString& item) {
    if (m_build)
        m_build->w.createTab->setNormalMapControls(item);
}

} // namespace morvane
