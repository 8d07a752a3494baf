// The window's side of the 3D viewport: building it with its tools, the
// mode buttons, reset view, the pan sliders, the buffer-object switch and
// custom OBJ terrains.

#include "plugin/ui/morvane_window.h"

#include "common/event_log.h"
#include "common/user_prompts.h"
#include "hostexport/ui/create_tab.h"
#include "plugin/ui/viewport_modes.h"
#include "plugin/ui/window_build.h"
#include "props/obj_model.h"
#include "props/ui/item_delete_buttons.h"
#include "props/ui/populate_controls.h"
#include "props/ui/populate_painter.h"
#include "props/ui/item_edit_controller.h"
#include "props/ui/prop_display_lists.h"
#include "recipe/panels/FF.h"
#include "sky/ui/sky_map_controls.h"
#include "viewport/gl_camera.h"
#include "viewport/ui/gl_terrain.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QGLFormat>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace morvane {

namespace {

constexpr int kWheelMilliseconds = 60;
constexpr int kPanSliderThickness = 14;
// The terrain size field takes seven digits.
constexpr int kLargestTerrainSize = 9999999;

QGLFormat viewportFormat(int depthBufferBits) {
    QGLFormat format;
    format.setSwapInterval(0);
    format.setDoubleBuffer(true);
    format.setDirectRendering(true);
    format.setDepth(true);
    format.setDepthBufferSize(depthBufferBits);
    return format;
}

void setupPanSlider(QSlider* slider) {
    slider->setRange(-100, 100);
    slider->setValue(0);
    slider->setPageStep(4);
    slider->setSingleStep(1);
    slider->setTracking(true);
    slider->setFocusPolicy(Qt::NoFocus);
}

// The OBJ terrain's extent across the ground (x and z), scaled. At least
// 1, so the far plane and the camera distance stay usable for a tiny
// model, and no larger than the terrain size field holds.
int objTerrainSize(const ObjFacts& facts, double scalePercent) {
    const double dx = double(facts.boxMax[0]) - facts.boxMin[0];
    const double dz = double(facts.boxMax[2]) - facts.boxMin[2];
    const double size = std::trunc(scalePercent / 100.0 * std::sqrt(dx * dx + dz * dz));
    if (!(size >= 1.0))
        return 1;
    return int(std::min(size, double(kLargestTerrainSize)));
}

} // namespace

void MorvaneWindow::buildViewport(Build& b) {
    WindowWidgets& w = b.w;
    const ViewportContext context{b.state, b.viewport, prompts(), b.progress, *m_log, b.paths};
    // A child of glFrame for good: moving it to another parent would lose
    // its GL context.
    b.gl = new GLTerrain(viewportFormat(b.depthBufferBits), context, w.glFrame);
    b.gl->setObjectName(QStringLiteral("glTerrain"));
    b.gl->move(0, 0);
    b.wheelTimer = new QTimer(b.gl);
    connect(b.wheelTimer, &QTimer::timeout, b.gl, &GLTerrain::wheelTimeout);
    b.wheelTimer->start(kWheelMilliseconds);
    b.gl->setLastImageFolder(b.paths.dataDir);
    // Stars draw from the window's one injectable source, like painting.
    b.gl->setSky(&b.sky, &random());

    // The pan sliders hug the viewport: the vertical one on its right, the
    // horizontal one under it; the tools take the rest of the frame.
    const QSize view = b.gl->size();
    w.glVSlider->setGeometry(view.width() + 2, 0, kPanSliderThickness, view.height());
    w.glHSlider->setGeometry(0, view.height() + 2, view.width(), kPanSliderThickness);
    for (QSlider* slider : {w.glVSlider, w.glHSlider})
        setupPanSlider(slider);
    const int toolsTop = view.height() + kPanSliderThickness + 6;
    b.tools = buildViewportTools(
        w.glFrame, QRect(0, toolsTop, w.glFrame->width(), w.glFrame->height() - toolsTop),
        b.paths.resourcesDir());
    ViewportTools& t = b.tools;
    GLTerrain* gl = b.gl;
    // The sky map's size and "regen sky texture" are part of the scene
    // build: they sit on the CREATE tab.
    b.skyPanel = buildSkyPanel(t.skyPanel, gl, nullptr);
    b.skyPanel.mapControls = new SkyMapControls(
        SkyMapContext{b.sky, random(), b.paths, b.progress, prompts(), m_environment.threadCount});
    w.createTab->setSkyMapControls(b.skyPanel.mapControls);

    connect(w.glVSlider, &QSlider::sliderMoved, this, &MorvaneWindow::panVertical);
    connect(w.glVSlider, &QSlider::valueChanged, this, &MorvaneWindow::panVerticalValueChanged);
    connect(w.glVSlider, &QSlider::sliderReleased, this, &MorvaneWindow::panVerticalReset);
    connect(w.glHSlider, &QSlider::sliderMoved, this, &MorvaneWindow::panHorizontal);
    connect(w.glHSlider, &QSlider::valueChanged, this, &MorvaneWindow::panHorizontalValueChanged);
    connect(w.glHSlider, &QSlider::sliderReleased, this, &MorvaneWindow::panHorizontalReset);

    for (QPushButton* button : {t.terrainButton, t.paintButton, t.editButton, t.skyButton})
        connect(button, &QPushButton::clicked, this, &MorvaneWindow::setGLMode);
    connect(t.resetViewButton, &QPushButton::clicked, this, &MorvaneWindow::resetView);

    gl->setCameraSpeed(float(t.cameraSpeedSlider->value()));
    connect(t.cameraSpeedSlider, &QSlider::sliderMoved, gl,
            &GLTerrain::glCameraSpeedSliderReleased);
    connect(gl, &GLTerrain::cameraSpeedLabelChanged, t.cameraSpeedLabel, &QLabel::setText);
    connect(t.lightPitchSlider, &QSlider::sliderMoved, gl, &GLTerrain::glLightPitchSliderReleased);
    connect(gl, &GLTerrain::lightPitchLabelChanged, t.lightPitchLabel, &QLabel::setText);
    connect(t.lightAzimuthSlider, &QSlider::sliderMoved, gl,
            &GLTerrain::glLightAzimuthSliderReleased);
    connect(gl, &GLTerrain::lightAzimuthLabelChanged, t.lightAzimuthLabel, &QLabel::setText);
    connect(t.lightIntensitySlider, &QSlider::sliderMoved, gl,
            &GLTerrain::glLightIntensitySliderReleased);
    connect(gl, &GLTerrain::lightIntensityLabelChanged, t.lightIntensityLabel, &QLabel::setText);
    gl->glLightIntensitySliderReleased(t.lightIntensitySlider->value());

    connect(t.referenceTextureButton, &QPushButton::clicked, gl,
            &GLTerrain::loadReferenceTerrainTexture);
    connect(t.maskTextureButton, &QPushButton::clicked, gl, &GLTerrain::loadMaskTerrainTexture);
    connect(t.referenceTextureCheckBox, &QCheckBox::stateChanged, gl,
            &GLTerrain::setReferenceTextureOnOffCheckBox);
    connect(t.maskTextureCheckBox, &QCheckBox::stateChanged, gl,
            &GLTerrain::setMaskTextureOnOffCheckBox);
    connect(t.maskDisplayCheckBox, &QCheckBox::stateChanged, gl,
            &GLTerrain::setmaskTextureDisplayOnOffCheckBox);
    connect(gl, &GLTerrain::referenceTextureLoaded, t.referenceTextureCheckBox,
            [box = t.referenceTextureCheckBox] { box->setChecked(true); });
    connect(gl, &GLTerrain::maskTextureLoaded, t.maskTextureCheckBox,
            [mask = t.maskTextureCheckBox, display = t.maskDisplayCheckBox] {
                mask->setChecked(true);
                display->setChecked(true);
            });

    connect(t.boundingBoxButton, &QPushButton::clicked, gl, &GLTerrain::switchBoundingAll);
    connect(gl, &GLTerrain::boundingAllChanged, t.boundingBoxButton,
            [button = t.boundingBoxButton](bool on) {
                button->setStyleSheet(boundingBoxButtonStyle(on));
            });

    // The picked item shows in the edit panel; its spin boxes, the drag,
    // the brush and the undo history belong to the edit controller.
    EditControls edit;
    edit.editPanel = t.editPanel;
    edit.xRotation = t.xRotation;
    edit.yRotation = t.yRotation;
    edit.zRotation = t.zRotation;
    edit.xScale = t.xScale;
    edit.yScale = t.yScale;
    edit.zScale = t.zScale;
    edit.yOffset = t.yOffset;
    edit.itemStack = t.itemStackButton;
    edit.belowZero = t.belowZeroButton;
    edit.reposition = t.repositionButton;
    edit.undo = t.undoButton;
    edit.redo = t.redoButton;
    b.editing = new ItemEditController(gl, b.state, b.viewport, prompts(), edit,
                                       b.paths.resourcesDir(), w.ecoWin);
    connect(gl, &GLTerrain::itemPicked, b.editing, &ItemEditController::showItem);
    connect(b.editing, &ItemEditController::triangleCountChanged, w.triangleCounter,
            [label = w.triangleCounter](int count) {
                label->setText(QStringLiteral("triangles: ") + QString::number(count));
            });
    connect(gl, &GLTerrain::selectionCleared, t.editPanel, &QWidget::hide);

    connectPainting(b);

    // An edit in a populate spin box ends when the mouse enters the
    // viewport, so the keys go to the camera again.
    connect(gl, &GLTerrain::mouseEnteredViewport, this, [this] {
        if (!m_build)
            return;
        for (const char* name : {"glEcoInstancesSpinBox", "ecoAngleRandomizationSpinBox",
                                 "ecoScaleRandomizationSpinBox"})
            if (auto* spin = m_build->w.ecoWin->findChild<QWidget*>(QLatin1String(name)))
                spin->clearFocus();
    });
}

void MorvaneWindow::connectPainting(Build& b) {
    GLTerrain* gl = b.gl;
    PopulateControls* controls = b.w.populate;
    auto* painter = new PopulatePainter(*gl, b.state, b.viewport, prompts(), b.progress, random(),
                                        [controls] { return controls->settings(); }, gl);
    connect(gl, &GLTerrain::paintRequested, painter, &PopulatePainter::paint);

    const ItemDeleteButtons buttons =
        addItemDeleteButtons(b.tools.modifierToolsFrame, b.paths.resourcesDir());
    connect(buttons.current, &QPushButton::clicked, gl, &GLTerrain::deleteCurrentObject);
    connect(buttons.all, &QPushButton::clicked, gl, &GLTerrain::deleteAllObjects);
    connect(buttons.last, &QPushButton::clicked, gl, &GLTerrain::deleteLastItem);
    connect(gl, &GLTerrain::deleteCurrentObjectRequested, gl, &GLTerrain::deleteCurrentObject);
    connect(gl, &GLTerrain::editModeRequested, this, [this] {
        if (m_build)
            switchMode(GLMode::Edit);
    });

    const auto showTriangles = [label = b.w.triangleCounter](int triangles) {
        label->setText(QStringLiteral("triangles: ") + QString::number(triangles));
    };
    connect(painter, &PopulatePainter::triangleCounterChanged, b.w.triangleCounter, showTriangles);
    connect(gl, &GLTerrain::triangleCounterChanged, b.w.triangleCounter, showTriangles);

    // The brush sphere follows the diameter slider as it moves.
    QSlider* diameter = controls->diameterSlider();
    b.viewport.brushDiameter = float(diameter->value());
    connect(diameter, &QSlider::valueChanged, gl,
            [&view = b.viewport](int value) { view.brushDiameter = float(value); });
    connect(controls, &PopulateControls::focusViewportRequested, this,
            &MorvaneWindow::m_focusTerrainGL);
}

void MorvaneWindow::setGLMode() {
    const QObject* button = sender();
    if (!m_build || !button)
        return;
    if (const std::optional<GLMode> mode = modeForButton(button->objectName()))
        switchMode(*mode);
}

void MorvaneWindow::switchMode(GLMode mode) {
    Build& b = *m_build;
    switchGLMode(mode, b.tools, b.viewport,
                 b.w.ecoWin->findChild<QWidget*>(QStringLiteral("glPerpVsNormalSlider")));
    m_focusTerrainGL();
}

void MorvaneWindow::resetView() {
    if (!m_build)
        return;
    Build& b = *m_build;
    morvane::resetView(b.gl->camera(), b.gl->navigation(), b.state.finalStage.terrainSize(),
                       b.viewport.selected());
    m_focusTerrainGL();
    b.gl->updateGL();
}

void MorvaneWindow::setVBOState(int state) {
    if (m_build)
        m_build->viewport.useVBO = state != 0;
}

void MorvaneWindow::panVertical(int) {
    if (m_build)
        m_build->panVertical.moved(m_build->w.glVSlider->value());
}

void MorvaneWindow::panVerticalValueChanged(int) {
    if (!m_build)
        return;
    Build& b = *m_build;
    b.gl->navigation().panY +=
        b.panVertical.changed(b.w.glVSlider->value(), b.state.finalStage.terrainSize());
}

void MorvaneWindow::panVerticalReset() {
    if (m_build)
        m_build->w.glVSlider->setValue(0);
}

void MorvaneWindow::panHorizontal(int) {
    if (m_build)
        m_build->panHorizontal.moved(m_build->w.glHSlider->value());
}

void MorvaneWindow::panHorizontalValueChanged(int) {
    if (!m_build)
        return;
    Build& b = *m_build;
    b.gl->navigation().panX +=
        b.panHorizontal.changed(b.w.glHSlider->value(), b.state.finalStage.terrainSize());
}

void MorvaneWindow::panHorizontalReset() {
    if (m_build)
        m_build->w.glHSlider->setValue(0);
}

void MorvaneWindow::loadCustomTerrain() {
    if (!m_build)
        return;
    Build& b = *m_build;
    UserPrompts& ask = prompts();
    const QString file =
        ask.chooseOpenFile(QStringLiteral("Open .obj File"), b.gl->lastImageFolder(),
                           QStringLiteral("Images (*.obj)"));
    if (file.isEmpty()) {
        ask.warn(QStringLiteral("Error"), QStringLiteral("no .obj file chosen!"));
        return;
    }
    // The dialogs run an event loop: the window may have gone meanwhile.
    if (!m_build)
        return;
    b.gl->setLastImageFolder(QFileInfo(file).absolutePath());

    bool accepted = false;
    double scale = ask.askNumber(QStringLiteral("Warning"),
                                 QStringLiteral("enter the scale percentage of your terrain::"),
                                 100.0, 0.1, 10000.0, 2, &accepted);
    if (!accepted || !(scale > 0.0))
        scale = 100.0;
    if (!m_build)
        return;

    b.driver->fillColorGradientArray();
    // The items stood on the old terrain: they go without a question.
    if (b.state.terrainExists)
        b.gl->deleteAllObjectsSilent();

    ObjFacts facts;
    QStringList console;
    std::unique_ptr<ObjModel> model = readObjModel(file, facts, ask, console);
    if (!console.isEmpty()) {
        QTextStream out(stdout);
        for (const QString& line : console)
            out << line;
    }
    // A file without a single triangle would give a terrain of nothing
    // with a bounding box of the scan's start values.
    if (!model || model->triangles.empty() || model->vertexCount() == 0) {
        ask.warn(QStringLiteral("Error"),
                 QStringLiteral("There was an error loading your custom terrain .obj file"));
        return;
    }
    computeFacetNormals(*model);
    computeVertexNormals(*model, 90.0f);

    // The viewport scales its pan and zoom steps with the terrain size
    // field, so the OBJ terrain's size goes there.
    const int size = objTerrainSize(facts, scale);
    if (auto* sizeField =
            b.w.finalStage->findChild<QLineEdit*>(QStringLiteral("FFTerrainSizeLineEdit")))
        sizeField->setText(QString::number(size));
    b.state.finalStage.terrainSizeText = QString::number(size);
    b.gl->setFarPlane(farPlaneFor(size));
    b.state.customTerrainLoaded = true;
    b.state.terrainExists = true;
    openTerrainTabs();

    const int triangles = b.gl->setCustomTerrain(std::move(model), float(scale));
    b.editing->terrainReplaced();
    m_focusTerrainGL();
    resetViewForObjTerrain(b.gl->camera(), b.gl->navigation(), size, facts.boxMin[1],
                           facts.boxMax[1], float(scale));
    switchMode(GLMode::Terrain);
    b.progress.setStatusText(QStringLiteral("custom terrain OBJ loaded"));
    b.viewport.triangleCounter = triangles;
    b.w.triangleCounter->setText(QStringLiteral("triangles: ") + QString::number(triangles));
}

} // namespace morvane
