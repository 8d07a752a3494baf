#include "plugin/ui/morvane_window.h"

#include "common/event_log.h"
#include "common/random_source.h"
#include "common/seed_source.h"
#include "hostexport/host_scene.h"
#include "hostexport/ui/create_tab.h"
#include "pipeline/terrain_erosion.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "plugin/ui/depth_buffer.h"
#include "plugin/ui/morvane_folders.h"
#include "plugin/ui/panel_pipeline_view.h"
#include "plugin/ui/qt_user_prompts.h"
#include "plugin/ui/viewport_dock.h"
#include "plugin/ui/window_build.h"
#include "plugin/ui/window_geometry.h"
#include "plugin/ui/window_progress.h"
#include "plugin/ui/window_theme.h"
#include "plugin/ui/window_widgets.h"
#include "props/ui/populate_controls.h"
#include "props/ui/item_edit_controller.h"
#include "props/ui/my_library.h"
#include "sky/ui/sky_map_controls.h"
#include "recipe/panels/C1.h"
#include "recipe/panels/D1.h"
#include "recipe/panels/FF.h"
#include "recipe/panels/I1.h"
#include "recipe/panels/panel_context.h"
#include "recipe/panels/presets_library.h"
#include "viewport/gl_camera.h"
#include "viewport/ui/gl_terrain.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace morvane {

namespace {

constexpr int kPopulateTab = 1;
constexpr int kCreateTab = 2;

const QString& noTerrainYet() {
    static const QString text = QStringLiteral("You need to create or load a terrain first...");
    return text;
}

} // namespace

MorvaneWindow::MorvaneWindow(const MorvaneEnvironment& environment, QObject* parent)
    : QObject(parent), m_environment(environment), m_log(std::make_unique<FileEventLog>()) {}

MorvaneWindow::~MorvaneWindow() = default;

bool MorvaneWindow::isOpen() const {
    return m_build != nullptr;
}

QWidget* MorvaneWindow::window() const {
    return m_build ? m_build->w.ecoWin : nullptr;
}

GLTerrain* MorvaneWindow::viewport() const {
    return m_build ? m_build->gl : nullptr;
}

ViewportState* MorvaneWindow::viewportState() const {
    return m_build ? &m_build->viewport : nullptr;
}

PipelineState* MorvaneWindow::pipelineState() const {
    return m_build ? &m_build->state : nullptr;
}

UserPrompts& MorvaneWindow::prompts() {
    if (m_environment.prompts)
        return *m_environment.prompts;
    if (!m_ownPrompts)
        m_ownPrompts = std::make_unique<QtUserPrompts>();
    return *m_ownPrompts;
}

SeedSource& MorvaneWindow::seeds() {
    if (m_environment.seeds)
        return *m_environment.seeds;
    if (!m_ownSeeds)
        m_ownSeeds = std::make_unique<ClockSeedSource>();
    return *m_ownSeeds;
}

RandomSource& MorvaneWindow::random() {
    if (m_environment.random)
        return *m_environment.random;
    // The toolkit's generator, never seeded, repeats one sequence per run.
    if (!m_ownRandom)
        m_ownRandom = std::make_unique<SequenceRandomSource>();
    return *m_ownRandom;
}

bool MorvaneWindow::open() {
    if (m_build) {
        m_build->w.ecoWin->raise();
        m_build->w.ecoWin->activateWindow();
        return true;
    }
    m_pendingTeardown = Teardown::None;
    m_build = std::make_unique<Build>();
    Build& b = *m_build;

    b.folders = morvaneFolders(m_environment.pluginsPath, m_environment.documentsPath);
    b.paths.pluginDir = b.folders.pluginDir;
    b.paths.dataDir = b.folders.dataDir;

    const bool documentsFound = QFileInfo(b.folders.documents).isDir();
    if (!documentsFound) {
        prompts().warn(QStringLiteral("Error"), QStringLiteral("The folder ") +
                                                    b.folders.documents +
                                                    QStringLiteral("/content is missing."));
        QCoreApplication::quit();
    }
    makeDataFolders(b.folders);

    FileEventLog& log = *m_log;
    // Told after the current step: the failing write may sit in the middle
    // of an evaluation, which a modal box must not interrupt.
    log.setFailureHandler([this, file = b.paths.logFile()](const QString& reason) {
        QMetaObject::invokeMethod(
            this,
            [this, file, reason] {
                prompts().warn(QStringLiteral("Warning"),
                               QStringLiteral("The log file ") + file +
                                   QStringLiteral(" cannot be written (") + reason +
                                   QStringLiteral("). MORVANE goes on without it."));
            },
            Qt::QueuedConnection);
    });
    log.open(b.paths.logFile());
    log.write(QStringLiteral("MORVANE started\n"));

    EvaluationContext context;
    context.paths = b.paths;
    context.log = &log;
    context.notifier = &prompts();
    context.progress = &b.progress;
    context.view = &b.view;
    context.threadCount = m_environment.threadCount;
    b.eroder = std::make_unique<TerrainErosion>(context);
    context.eroder = b.eroder.get();
    b.state.recipe = TerrainRecipe::startup(seeds());
    b.driver = std::make_unique<GenerationDriver>(b.state, context);
    b.driver->removeTemporaryPictures();

    log.write(QStringLiteral("GL_ARB_vertex_buffer_object: SUPPORTED\n"));
    log.write(QStringLiteral("building primary controls...\n"));
    buildWindow(b);
    return documentsFound;
}

void MorvaneWindow::buildWindow(Build& b) {
    FileEventLog& log = *m_log;
    WindowWidgets& w = b.w;
    const QString resources = b.paths.resourcesDir();

    buildWindowFrame(w, resources);
    b.window.reset(w.ecoWin);
    w.ecoWin->setWindowTitle(QStringLiteral("MORVANE 1.1"));
    w.ecoWin->installEventFilter(this);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize desktop = screen ? screen->geometry().size() : QSize(kNominalWidth, kNominalHeight);
    const WindowGeometry geometry = windowGeometryFor(desktop);
    w.ecoWin->setMinimumSize(geometry.minimum);
    w.ecoWin->setMaximumSize(geometry.maximum);
    // The nominal size where the desktop has room for it; the frame scrolls
    // otherwise.
    w.ecoWin->resize(QSize(kNominalWidth, kNominalHeight)
                         .boundedTo(desktop - QSize(0, 100))
                         .expandedTo(geometry.minimum));
    w.ecoWin->move(geometry.position);
    log.write(QStringLiteral("plugin window to be resized\n"));

    connect(w.autoButton, &QPushButton::clicked, this, &MorvaneWindow::setAutoNoiseMode);
    connect(w.resetButton, &QPushButton::clicked, this, &MorvaneWindow::resetMorvane);
    connect(w.quitButton, &QPushButton::clicked, this, &MorvaneWindow::quitMorvane);
    b.progress.setLabels(w.busyOverlay, w.statusLine);
    b.progress.setIdleCallback([this] {
        if (m_pendingTeardown != Teardown::None)
            QTimer::singleShot(0, this, [this] { runPendingTeardown(); });
    });
    if (m_ownPrompts)
        m_ownPrompts->setParentWidget(w.mainController);

    fillPopulatePage(w);
    w.createTab = new CreateTab(*b.driver, resources);
    fillCreatePage(w, w.createTab);
    connect(w.createTab, &CreateTab::createSceneRequested, this, &MorvaneWindow::createDAZScene);
    fillPresetsPage(w);
    fillSetupPage(w);
    fillAboutPage(w, resources);

    log.write(QStringLiteral("building secondary controls...\n"));
    const PanelContext panelContext{*b.driver, seeds(), prompts()};
    for (int i = 0; i < 2; ++i) {
        w.inputs[i] = new I1(i, panelContext);
        w.deformers[i] = new D1(i, panelContext);
    }
    w.combiner = new C1(panelContext);
    w.finalStage = new FF(panelContext, b.view);
    for (I1* input : w.inputs)
        connect(input, &I1::windowControlsEnabled, w.finalStage, &FF::setWindowControlsEnabled);
    b.view.setPanels(w.inputs[0], w.inputs[1], w.deformers[0], w.deformers[1], w.combiner,
                     w.finalStage);
    fillTerraformPage(w);
    addControllerTabs(w);
    b.dock = new ViewportDock(w.viewportArea, w.ecoWin);
    for (QWidget* slot : w.viewportSlots)
        b.dock->addSlot(slot);

    titleNodePanels(w);
    log.write(QStringLiteral("fill main controller tabs...\n"));

    log.write(QStringLiteral("create openGL context\n"));
    QStringList depthLines;
    b.depthBufferBits = depthBufferBits(screen ? screen->depth() : 24, &depthLines);
    for (const QString& line : depthLines)
        log.write(line);
    buildViewport(b);

    log.write(QStringLiteral("set initial height and terrain map resolution\n"));
    b.state.previewMapSize = b.state.finalStage.previewMapSize();
    b.state.previewPictureSize = b.state.finalStage.previewMapSize();
    log.write(QStringLiteral("set color gradients\n"));
    w.finalStage->setInitialGradients();

    switchMode(GLMode::Terrain);
    log.write(QStringLiteral("build presets library...\n"));
    connect(w.presetsLibrary, &PresetsLibrary::loadPresetRequested, this,
            &MorvaneWindow::loadPreset);
    buildPresetsLibrary();
    connect(w.mainController, &QTabWidget::currentChanged, this, &MorvaneWindow::updateTab);
    connect(w.mainController, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (m_build)
            selectedTab(m_build->w.mainController->tabText(index));
    });

    w.terraformButton->setEnabled(false);
    connect(w.terraformButton, &QPushButton::clicked, this, &MorvaneWindow::generatePreviewTerrain);
    connect(w.savePresetButton, &QPushButton::clicked, this, &MorvaneWindow::savePreset);
    w.loadTerrainObjButton->setToolTip(
        QStringLiteral("load a Wavefront .obj mesh as the terrain instead of generating one"));
    connect(w.loadTerrainObjButton, &QPushButton::clicked, this, &MorvaneWindow::loadCustomTerrain);
    connect(w.vboCheckBox, &QCheckBox::stateChanged, this, &MorvaneWindow::setVBOState);

    updateTab(w.mainController->currentIndex());
    w.ecoWin->show();

    log.write(QStringLiteral("initialize noise machine...\n"));
    b.driver->evaluate();

    log.write(QStringLiteral("initialize library...\n"));
    const PropLibraryContext library{b.viewport,
                                     *b.gl,
                                     prompts(),
                                     b.progress,
                                     log,
                                     random(),
                                     resources,
                                     b.paths.mapsDir(),
                                     [this](GLMode mode) {
                                         if (m_build)
                                             switchMode(mode);
                                     }};
    b.library = new myLibrary(library, m_environment.contentDirectories, w.libraryFrame,
                              w.librariesFrame, w.ecoWin);
    connect(b.gl, &GLTerrain::propHighlightCleared, b.library, &myLibrary::clearPropHighlight);
    w.createTab->setNormalMapControls();

    w.vboCheckBox->setChecked(b.viewport.useVBO);
    for (int tab : {kPopulateTab, kCreateTab}) {
        w.mainController->setTabEnabled(tab, false);
        w.mainController->setTabToolTip(tab, noTerrainYet());
    }
    b.progress.setStatusText(
        QStringLiteral("Welcome to MORVANE! Please load or generate a terrain..."));
    w.terraformButton->setEnabled(true);
}

void MorvaneWindow::syncPanels() {
    WindowWidgets& w = m_build->w;
    for (I1* input : w.inputs)
        input->syncFromRecipe();
    for (D1* deformer : w.deformers)
        deformer->syncFromRecipe();
    w.combiner->syncFromRecipe();
    w.finalStage->syncFromRecipe();
}

void MorvaneWindow::generatePreviewTerrain() {
    if (!m_build)
        return;
    Build& b = *m_build;
    const int size = b.state.finalStage.terrainSize();
    if (size >= 1) {
        // A refused size keeps the far plane of the terrain on show; 0 would
        // leave nothing to see.
        b.gl->setFarPlane(farPlaneFor(size));
        // The items stood on the old terrain.
        b.gl->deleteAllObjectsSilent();
        if (b.gl->customTerrain()) {
            b.gl->discardCustomTerrain();
            b.state.customTerrainLoaded = false;
            // Nothing to draw until the new arrays exist.
            b.state.terrainExists = false;
        }
    }
    if (!b.driver->generatePreviewTerrain() || !m_build)
        return;
    WindowWidgets& w = b.w;
    openTerrainTabs();

    // The viewport takes the new terrain; edits of the old one cannot be
    // undone on it.
    b.editing->terrainReplaced();
    m_focusTerrainGL();
    if (b.viewport.useVBO)
        b.gl->uploadTerrainBuffers();
    morvane::resetView(b.gl->camera(), b.gl->navigation(), size, nullptr);
    b.gl->updateGL();

    w.ecoInstances->setValue(std::max(1, size / 20));
    w.populate->terrainBuilt(size);
    // No props yet: the terrain's own triangles.
    b.viewport.triangleCounter = b.gl->terrainTriangles();
    w.triangleCounter->setText(QStringLiteral("triangles: ") +
                               QString::number(b.state.terrain.indexCount() / 3));
}

void MorvaneWindow::openTerrainTabs() {
    QTabWidget* controller = m_build->w.mainController;
    for (int tab : {kPopulateTab, kCreateTab}) {
        controller->setTabEnabled(tab, true);
        controller->setTabToolTip(tab, QString());
    }
    controller->setCurrentIndex(kPopulateTab);
}

void MorvaneWindow::savePreset() {
    if (!m_build)
        return;
    bool accepted = false;
    const QString name = prompts().askText(
        QStringLiteral("Save preset"), QStringLiteral("type a name for you preset:"), &accepted);
    if (!accepted || name.isEmpty() || !m_build)
        return;
    m_build->driver->savePreset(name);
    buildPresetsLibrary();
}

void MorvaneWindow::loadPreset(const QString& presetFile, int presetType) {
    if (!m_build)
        return;
    Build& b = *m_build;
    // Through the slider, so the panels switch their pictures as they do
    // when the user moves it.
    if (auto* mapStyle =
            b.w.finalStage->findChild<QAbstractSlider*>(QStringLiteral("FFSetCurrentMapSlider")))
        mapStyle->setValue(1);
    b.driver->loadPreset(presetFile, presetType);
    syncPanels();
    b.w.mainController->setCurrentIndex(0);
}

void MorvaneWindow::buildPresetsLibrary() {
    if (!m_build)
        return;
    const PipelinePaths& paths = m_build->paths;
    m_build->w.presetsLibrary->build(paths.nativePresetsDir(), paths.userPresetsDir(),
                                     paths.pluginDir + QStringLiteral("/library/none.jpg"));
}

void MorvaneWindow::presetItemClicked() {
    const auto* button = qobject_cast<const QAbstractButton*>(sender());
    if (!button)
        return;
    const QString user = QStringLiteral("__user__");
    const QString native = QStringLiteral("__native__");
    QString name = button->objectName();
    if (name.contains(user))
        loadPreset(name.remove(user), 1);
    else if (name.contains(native))
        loadPreset(name.remove(native), 0);
}

void MorvaneWindow::setAutoNoiseMode() {
    if (!m_build)
        return;
    m_build->driver->setAutoNoiseMode();
    m_build->w.autoButton->setStyleSheet(theme::autoButtonStyle(m_build->state.automaticMode));
}

void MorvaneWindow::updateTab(int index) {
    if (!m_build)
        return;
    WindowWidgets& w = m_build->w;
    w.createTab->setStatusText(QString());
    const bool populate = index == kPopulateTab;
    w.populateHelp->resize(populate ? QSize(16, 16) : QSize(1, 1));
    if (populate)
        w.ecoScrollArea->ensureWidgetVisible(w.glFrame);
    w.triangleCounter->setVisible(populate || index == kCreateTab);
    m_build->dock->follow(index >= 0 && index < 3 ? w.viewportSlots[index] : nullptr);
    if (index == kCreateTab)
        prepareCreateTab();
}

void MorvaneWindow::selectedTab(const QString& name) {
    Q_UNUSED(name);
}

void MorvaneWindow::quitMorvane() {
    if (!m_build)
        return;
    if (!prompts().askYesCancel(QStringLiteral("Warning"), QStringLiteral("quit MORVANE?")))
        return;
    requestTeardown(Teardown::Quit);
}

void MorvaneWindow::resetMorvane() {
    if (!m_build)
        return;
    if (!prompts().askYesCancel(QStringLiteral("Warning"), QStringLiteral("restart MORVANE?")))
        return;
    requestTeardown(Teardown::Reset);
}

void MorvaneWindow::m_focusTerrainGL() {
    if (m_build)
        m_build->gl->setFocus(Qt::OtherFocusReason);
}

void MorvaneWindow::requestTeardown(Teardown kind) {
    if (!m_build)
        return;
    // An evaluation let the click through: tearing down now would pull the
    // driver from under it.
    if (m_build->progress.busy() || m_creatingScene) {
        m_pendingTeardown = kind;
        return;
    }
    teardown(kind);
}

void MorvaneWindow::runPendingTeardown() {
    const Teardown kind = m_pendingTeardown;
    if (kind == Teardown::None || !m_build || m_build->progress.busy() || m_creatingScene)
        return;
    m_pendingTeardown = Teardown::None;
    teardown(kind);
}

void MorvaneWindow::teardown(Teardown kind) {
    if (kind == Teardown::Quit)
        m_log->write(QStringLiteral("closing MORVANE\n"));
    m_pendingTeardown = Teardown::None;
    std::shared_ptr<Build> old(m_build.release());
    old->w.ecoWin->removeEventFilter(this);
    old->w.ecoWin->hide();
    // The button that asked may still be on the call stack: the widgets go
    // once control is back in the event loop.
    auto* reaper = new QObject;
    connect(reaper, &QObject::destroyed, [old]() mutable { old.reset(); });
    old.reset();
    reaper->deleteLater();

    if (kind == Teardown::Quit) {
        m_log->close();
        emit closed();
    } else {
        open();
    }
}

int MorvaneWindow::loadProp(const QString& pp2File) {
    return m_build ? m_build->library->loadProp(pp2File) : -1;
}

void MorvaneWindow::regenerateSkyDomeTexture() {
    if (m_build && m_build->skyPanel.mapControls)
        m_build->skyPanel.mapControls->regenerateSkyDomeTexture();
}

void MorvaneWindow::addPoserLibrary() {
    if (m_build)
        m_build->library->addPoserLibrary();
}

void MorvaneWindow::discardPoserLibrary() {
    if (m_build)
        m_build->library->discardPoserLibrary();
}

bool MorvaneWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_build && watched == m_build->w.ecoWin && event->type() == QEvent::Close) {
        event->ignore();
        QTimer::singleShot(0, this, &MorvaneWindow::quitMorvane);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace morvane
