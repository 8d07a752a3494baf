#include "plugin_action.h"

#include "dzapp.h"
#include "dzcontentmgr.h"
#include "platform.h"
#include "hostexport/host_scene.h"
#include "hostexport/sdk/dz_host_scene.h"
#include "plugin/ui/morvane_window.h"

#include <QCheckBox>
#include <QWidget>

namespace {

QString hostPluginsPath() {
    return dzApp ? dzApp->getPluginsPath() : QString();
}

QString hostDocumentsPath() {
    return dzApp ? dzApp->getDocumentsPath() : QString();
}

QStringList hostPoserDirectories() {
    QStringList folders;
    const DzContentMgr* content = dzApp ? dzApp->getContentMgr() : nullptr;
    for (int i = 0; content && i < content->getNumPoserDirectories(); ++i)
        folders << content->getPoserDirectory(i);
    return folders;
}

} // namespace

DzMorvanePluginAction::DzMorvanePluginAction()
    : DzCreateItemAction(QStringLiteral("New MORVANE Scene Objects..."), QString()),
      m_pluginFolder(hostPluginsPath() + "/morvanePX") {
    setIcon(m_pluginFolder + "/icon.png");
}

DzMorvanePluginAction::~DzMorvanePluginAction() = default;

bool DzMorvanePluginAction::eventFilter(QObject*, QEvent*) {
    return false;
}

QString DzMorvanePluginAction::getPluginPath() const {
    return morvane::toPlatformSeparators(hostPluginsPath());
}

bool DzMorvanePluginAction::isWindowOpen() const {
    return openWindow() != nullptr;
}

void DzMorvanePluginAction::executeAction() {
    if (!m_window) {
        morvane::MorvaneEnvironment environment;
        environment.pluginsPath = getPluginPath();
        environment.documentsPath = hostDocumentsPath();
        environment.contentDirectories = hostPoserDirectories();
        environment.hostScene = [](morvane::EventLog& log, morvane::RandomSource& random) {
            return std::unique_ptr<morvane::HostScene>(
                std::make_unique<morvane::DzHostScene>(log, random));
        };
        m_window = new morvane::MorvaneWindow(environment, this);
    }
    if (m_window->isOpen()) {
        if (QWidget* window = m_window->window()) {
            window->show();
            window->raise();
            window->activateWindow();
        }
        return;
    }
    m_window->open();
}

morvane::MorvaneWindow* DzMorvanePluginAction::openWindow() const {
    return m_window && m_window->isOpen() ? m_window : nullptr;
}

void DzMorvanePluginAction::generatePreviewTerrain() {
    if (auto* window = openWindow())
        window->generatePreviewTerrain();
}

void DzMorvanePluginAction::savePreset() {
    if (auto* window = openWindow())
        window->savePreset();
}

void DzMorvanePluginAction::loadPreset(const QString& presetFile, int presetType) {
    if (auto* window = openWindow())
        window->loadPreset(presetFile, presetType);
}

void DzMorvanePluginAction::buildPresetsLibrary() {
    if (auto* window = openWindow())
        window->buildPresetsLibrary();
}

void DzMorvanePluginAction::presetItemClicked() {
    if (auto* window = openWindow())
        window->presetItemClicked();
}

void DzMorvanePluginAction::setAutoNoiseMode() {
    if (auto* window = openWindow())
        window->setAutoNoiseMode();
}

void DzMorvanePluginAction::updateTab(int index) {
    if (auto* window = openWindow())
        window->updateTab(index);
}

void DzMorvanePluginAction::selectedTab(const QString& name) {
    if (auto* window = openWindow())
        window->selectedTab(name);
}

void DzMorvanePluginAction::quitMorvane() {
    if (auto* window = openWindow())
        window->quitMorvane();
}

void DzMorvanePluginAction::resetMorvane() {
    if (auto* window = openWindow())
        window->resetMorvane();
}

void DzMorvanePluginAction::m_focusTerrainGL() {
    if (auto* window = openWindow())
        window->m_focusTerrainGL();
}

void DzMorvanePluginAction::resetView() {
    if (auto* window = openWindow())
        window->resetView();
}

void DzMorvanePluginAction::setVBOState(int state) {
    if (auto* window = openWindow())
        window->setVBOState(state);
}

void DzMorvanePluginAction::loadCustomTerrain() {
    if (auto* window = openWindow())
        window->loadCustomTerrain();
}

void DzMorvanePluginAction::panVertical(int value) {
    if (auto* window = openWindow())
        window->panVertical(value);
}

void DzMorvanePluginAction::panVerticalValueChanged(int value) {
    if (auto* window = openWindow())
        window->panVerticalValueChanged(value);
}

void DzMorvanePluginAction::panVerticalReset() {
    if (auto* window = openWindow())
        window->panVerticalReset();
}

void DzMorvanePluginAction::panHorizontal(int value) {
    if (auto* window = openWindow())
        window->panHorizontal(value);
}

void DzMorvanePluginAction::panHorizontalValueChanged(int value) {
    if (auto* window = openWindow())
        window->panHorizontalValueChanged(value);
}

void DzMorvanePluginAction::panHorizontalReset() {
    if (auto* window = openWindow())
        window->panHorizontalReset();
}

int DzMorvanePluginAction::loadProp(const QString& pp2File) {
    auto* window = openWindow();
    return window ? window->loadProp(pp2File) : -1;
}

void DzMorvanePluginAction::regenerateSkyDomeTexture() {
    if (auto* window = openWindow())
        window->regenerateSkyDomeTexture();
}

void DzMorvanePluginAction::addPoserLibrary() {
    if (auto* window = openWindow())
        window->addPoserLibrary();
}

void DzMorvanePluginAction::discardPoserLibrary() {
    if (auto* window = openWindow())
        window->discardPoserLibrary();
}

void DzMorvanePluginAction::createDAZScene() {
    if (auto* window = openWindow())
        window->createDAZScene();
}

namespace {

morvane::PropPlacement placementOf(float x, float y, float z, int xRot, int yRot, int zRot,
                                   float scale, float scaleX, float scaleY, float scaleZ) {
    morvane::PropPlacement p;
    p.position = {x * 100.0f, y * 100.0f, z * 100.0f};
    p.rotation = {xRot, yRot, zRot};
    p.scale = scale;
    p.scaleFactors = {scaleX, scaleY, scaleZ};
    return p;
}

} // namespace

void DzMorvanePluginAction::loadTerrainOBJ(float x, float y, float z, int xRot, int yRot,
                                           int zRot, float scale, const QString& terrainName) {
    auto* window = openWindow();
    morvane::HostScene* scene = window ? window->hostScene() : nullptr;
    if (!scene)
        return;
    const auto* box = window->window()->findChild<const QCheckBox*>(
        QStringLiteral("enableDAZTerrainSubDivisionCheckBox"));
    const bool subdivision = box && box->isChecked();
    scene->loadTerrainOBJ(window->mapsDir() + '/' + terrainName + QStringLiteral(".obj"),
                          {x, y, z}, {xRot, yRot, zRot}, scale, terrainName, subdivision);
}

void DzMorvanePluginAction::loadPP2(float x, float y, float z, int xRot, int yRot, int zRot,
                                    float scale, float scaleX, float scaleY, float scaleZ,
                                    const QString& oFile) {
    auto* window = openWindow();
    morvane::HostScene* scene = window ? window->hostScene() : nullptr;
    if (!scene)
        return;
    bool children = false;
    scene->loadPP2(oFile, placementOf(x, y, z, xRot, yRot, zRot, scale, scaleX, scaleY, scaleZ),
                   window->morphPercentage(), &children);
}

void DzMorvanePluginAction::duplicateNode(int i, float X, float Y, float Z, int xRot, int yRot,
                                          int zRot, float scale, float scaleX, float scaleY,
                                          float scaleZ) {
    auto* window = openWindow();
    morvane::HostScene* scene = window ? window->hostScene() : nullptr;
    if (!scene)
        return;
    scene->duplicateNode(i, placementOf(X, Y, Z, xRot, yRot, zRot, scale, scaleX, scaleY, scaleZ),
                         window->morphPercentage());
}

void DzMorvanePluginAction::generateFinalNormalMap(bool isFinal, bool manualUpdate) {
    if (auto* window = openWindow())
        window->generateFinalNormalMap(isFinal, manualUpdate);
}

void DzMorvanePluginAction::generateFinalNormalMap() {
    if (auto* window = openWindow())
        window->generateFinalNormalMap();
}

void DzMorvanePluginAction::generateFinalNormalCustomSize() {
    if (auto* window = openWindow())
        window->generateFinalNormalCustomSize();
}

void DzMorvanePluginAction::setNormalMapControls() {
    if (auto* window = openWindow())
        window->setNormalMapControls();
}

void DzMorvanePluginAction::setNormalMapControls(const QString& item) {
    if (auto* window = openWindow())
        window->setNormalMapControls(item);
}
