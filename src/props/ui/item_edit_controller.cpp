#include "props/ui/item_edit_controller.h"

#include "common/user_prompts.h"
#include "pipeline/pipeline_state.h"
#include "plugin/ui/viewport_tools.h"
#include "props/obj_model.h"
#include "props/terrain_sculpt.h"
#include "props/ui/edit_undo_command.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QFrame>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

namespace morvane {

PopulateSettings readPopulateSettings(const QWidget* window, const ViewportState& viewport) {
    PopulateSettings s;
    s.brushDiameter = int(viewport.brushDiameter);
    if (!window)
        return s;
    if (const auto* spin = window->findChild<QSpinBox*>(QStringLiteral("glEcoInstancesSpinBox")))
        s.instances = spin->value();
    if (const auto* slider = window->findChild<QSlider*>(QStringLiteral("glEcoDiameterSlider")))
        s.brushDiameter = slider->value();
    if (const auto* slider = window->findChild<QSlider*>(QStringLiteral("glPerpVsNormalSlider")))
        s.perpVsNormal = slider->value();
    return s;
}

ItemEditController::ItemEditController(GLTerrain* gl, PipelineState& pipeline,
                                       ViewportState& viewport, UserPrompts& prompts,
                                       const EditControls& controls, const QString& resourcesDir,
                                       QWidget* window)
    : QObject(gl), m_gl(gl), m_pipeline(pipeline), m_viewport(viewport), m_prompts(prompts),
      m_controls(controls), m_resourcesDir(resourcesDir), m_window(window) {
    const EditControls& c = m_controls;
    connect(c.xRotation, &QSpinBox::editingFinished, this, &ItemEditController::itemXRot);
    connect(c.yRotation, &QSpinBox::editingFinished, this, &ItemEditController::itemYRot);
    connect(c.zRotation, &QSpinBox::editingFinished, this, &ItemEditController::itemZRot);
    connect(c.xScale, &QSpinBox::editingFinished, this, &ItemEditController::itemScaleX);
    connect(c.yScale, &QSpinBox::editingFinished, this, &ItemEditController::itemScaleY);
    connect(c.zScale, &QSpinBox::editingFinished, this, &ItemEditController::itemScaleZ);
    connect(c.yOffset, &QSpinBox::editingFinished, this, &ItemEditController::itemYOffset);
    connect(c.itemStack, &QPushButton::clicked, this, &ItemEditController::setItemStack);
    connect(c.belowZero, &QPushButton::clicked, this, &ItemEditController::setPaintBelowZero);
    connect(c.reposition, &QPushButton::clicked, this, &ItemEditController::repositionItems);
    connect(c.undo, &QPushButton::clicked, this, &ItemEditController::undo);
    connect(c.redo, &QPushButton::clicked, this, &ItemEditController::redo);
    connect(&m_stack, &QUndoStack::canUndoChanged, c.undo, &QWidget::setEnabled);
    connect(&m_stack, &QUndoStack::canRedoChanged, c.redo, &QWidget::setEnabled);

    connect(gl, &GLTerrain::moveSelectedItemRequested, this,
            &ItemEditController::moveSelectedItem);
    connect(gl, &GLTerrain::deformRequested, this, &ItemEditController::deformTerrain);
    connect(gl, &GLTerrain::strokeFinished, this, &ItemEditController::strokeFinished);
    connect(gl, &GLTerrain::itemsEdited, this, &ItemEditController::recordEdit);
    connect(gl, &GLTerrain::undoRequested, this, &ItemEditController::undo);
    connect(gl, &GLTerrain::redoRequested, this, &ItemEditController::redo);

    // Window-wide, so they work wherever the focus is in the MORVANE
    // window; a spin box being typed in keeps its own text undo.
    if (window) {
        auto* undoKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Z")), window);
        auto* redoKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")), window);
        connect(undoKey, &QShortcut::activated, this, &ItemEditController::undo);
        connect(redoKey, &QShortcut::activated, this, &ItemEditController::redo);
    }
    m_history.reset(state());
}

EditableState ItemEditController::state() {
    return {m_pipeline.terrain, m_pipeline.decimatedTerrain, m_viewport.items};
}

void ItemEditController::terrainReplaced() {
    m_viewport.stacking = false;
    m_viewport.deformBelowZero = false;
    restyleToggles();
    m_stack.clear();
    m_history.reset(state());
}

void ItemEditController::showItem(int itemNumber) {
    const EditControls& c = m_controls;
    if (itemNumber < 1 || itemNumber > int(m_viewport.items.size())) {
        c.editPanel->hide();
        return;
    }
    const ItemRecord& item = m_viewport.items[std::size_t(itemNumber - 1)];
    const std::pair<QSpinBox*, float> values[] = {
        {c.xRotation, float(item.rotation[0])}, {c.yRotation, float(item.rotation[1])},
        {c.zRotation, float(item.rotation[2])}, {c.xScale, item.scale[0]},
        {c.yScale, item.scale[1]},              {c.zScale, item.scale[2]},
        {c.yOffset, item.position[1]}};
    for (const auto& [spin, value] : values) {
        const QSignalBlocker blocker(spin);
        // Truncated; a value beyond the box's range shows as its end.
        spin->setValue(int(std::clamp(std::trunc(double(value)), double(spin->minimum()),
                                      double(spin->maximum()))));
    }
    c.editPanel->show();
}

void ItemEditController::editField(QSpinBox* spin, ItemField field, const char* action) {
    if (setItemField(m_viewport.items, m_viewport.selectedItem, field, spin->value())) {
        emit m_gl->itemsEdited(QLatin1String(action));
        m_gl->update();
    }
    m_gl->setFocus(Qt::OtherFocusReason);
}

void ItemEditController::itemXRot() {
    editField(m_controls.xRotation, ItemField::RotationX, "rotate item");
}
void ItemEditController::itemYRot() {
    editField(m_controls.yRotation, ItemField::RotationY, "rotate item");
}
void ItemEditController::itemZRot() {
    editField(m_controls.zRotation, ItemField::RotationZ, "rotate item");
}
void ItemEditController::itemScaleX() {
    editField(m_controls.xScale, ItemField::ScaleX, "scale item");
}
void ItemEditController::itemScaleY() {
    editField(m_controls.yScale, ItemField::ScaleY, "scale item");
}
void ItemEditController::itemScaleZ() {
    editField(m_controls.zScale, ItemField::ScaleZ, "scale item");
}
void ItemEditController::itemYOffset() {
    editField(m_controls.yOffset, ItemField::PositionY, "item height");
}

void ItemEditController::restyleToggles() {
    const QString folder = m_resourcesDir + QLatin1Char('/');
    m_controls.itemStack->setStyleSheet(toolToggleStyle(
        m_controls.itemStack->objectName(), folder + QStringLiteral("tool_stack.png"),
        m_viewport.stacking));
    m_controls.belowZero->setStyleSheet(toolToggleStyle(
        m_controls.belowZero->objectName(), folder + QStringLiteral("tool_below0.png"),
        m_viewport.deformBelowZero));
}

void ItemEditController::setItemStack() {
    m_viewport.stacking = !m_viewport.stacking;
    restyleToggles();
}

void ItemEditController::setPaintBelowZero() {
    m_viewport.deformBelowZero = !m_viewport.deformBelowZero;
    restyleToggles();
}

void ItemEditController::repositionItems() {
    const PopulateSettings s = readPopulateSettings(m_window, m_viewport);
    const bool custom = m_pipeline.customTerrainLoaded;
    morvane::repositionItems(m_viewport.items, m_pipeline.terrain,
                             m_pipeline.finalStage.terrainSize(), s.perpVsNormal, custom,
                             m_prompts);
    m_gl->setFocus(Qt::OtherFocusReason);
    if (custom)
        return;
    m_gl->uploadPositionsAndNormals();
    if (m_viewport.selectedItem >= 1)
        showItem(m_viewport.selectedItem);
    emit m_gl->itemsEdited(QStringLiteral("reposition items"));
    m_gl->update();
}

void ItemEditController::moveSelectedItem(int x, int y) {
    const int selected = m_viewport.selectedItem;
    if (selected < 1 || selected > int(m_viewport.items.size()) || !m_pipeline.terrainExists)
        return;
    const std::array<double, 3> w = m_gl->surfacePoint(x, y);
    const std::array<float, 3> point{float(w[0]), float(w[1]), float(w[2])};
    const PopulateSettings s = readPopulateSettings(m_window, m_viewport);
    ItemRecord& item = m_viewport.items[std::size_t(selected - 1)];
    if (m_pipeline.customTerrainLoaded) {
        if (const ObjModel* model = m_gl->customTerrain())
            dragItemOnObjTerrain(item, *model, m_gl->customTerrainScale(), s.perpVsNormal, point);
    } else {
        dragItemOnTerrain(item, m_pipeline.terrain, m_pipeline.finalStage.terrainSize(),
                          s.perpVsNormal, m_viewport.stacking, point);
    }
    showItem(selected);
    m_gl->update();
}

void ItemEditController::deformTerrain(int x, int y) {
    if (!m_pipeline.terrainExists || m_pipeline.customTerrainLoaded)
        return;
    const std::array<double, 3> w = m_gl->surfacePoint(x, y);
    const PopulateSettings p = readPopulateSettings(m_window, m_viewport);
    SculptSettings s;
    s.intensity = p.instances;
    s.brushDiameter = p.brushDiameter;
    s.normalBlend = p.perpVsNormal;
    s.lowElevation = m_pipeline.finalStage.terrainHeightLow;
    s.belowZero = m_viewport.deformBelowZero;
    s.lower = m_viewport.shiftHeld;
    s.terrainSize = m_pipeline.finalStage.terrainSize();
    const GridRegion moved = sculptTerrain(m_pipeline.terrain, m_pipeline.decimatedTerrain, s,
                                           float(w[0]), float(w[2]));
    if (moved.empty())
        return;
    m_gl->uploadPositionsAndNormals();
    m_gl->update();
}

void ItemEditController::strokeFinished() {
    switch (m_viewport.mode) {
    case GLMode::Terrain: recordEdit(QStringLiteral("sculpt")); break;
    case GLMode::Paint: recordEdit(QStringLiteral("paint")); break;
    case GLMode::Edit: recordEdit(QStringLiteral("move item")); break;
    case GLMode::SkyDome: break;
    }
}

QUndoCommand* ItemEditController::newCommand(const QString& action) {
    return new EditUndoCommand(
        action,
        [this] {
            if (m_history.undo(state()))
                afterRestore();
        },
        [this] {
            if (m_history.redo(state()))
                afterRestore();
        });
}

void ItemEditController::recordEdit(const QString& action) {
    if (m_history.record(action, state()))
        m_stack.push(newCommand(action));
    syncStackWithHistory();
}

void ItemEditController::syncStackWithHistory() {
    // The budget dropped old steps, or a new terrain started the history
    // over: the stack gets one command per remaining step. Recording just
    // ended any undone steps, so all of them are applied.
    if (m_stack.count() == m_history.stepCount())
        return;
    m_stack.clear();
    for (int i = 0; i < m_history.stepCount(); ++i)
        m_stack.push(newCommand(m_history.step(i).action));
}

void ItemEditController::undo() {
    // A change not yet recorded (a stroke still in progress) is undone first.
    recordEdit(QStringLiteral("change"));
    m_stack.undo();
}

void ItemEditController::redo() {
    recordEdit(QStringLiteral("change"));
    m_stack.redo();
}

void ItemEditController::afterRestore() {
    m_gl->uploadPositionsAndNormals();
    if (m_viewport.selectedItem > int(m_viewport.items.size())) {
        m_viewport.selectedItem = -1;
        m_controls.editPanel->hide();
    } else if (m_viewport.selectedItem >= 1) {
        showItem(m_viewport.selectedItem);
    }
    int triangles = 0;
    if (m_pipeline.customTerrainLoaded && m_gl->customTerrain())
        triangles = int(m_gl->customTerrain()->triangles.size());
    else
        triangles = m_pipeline.terrain.indexCount() / 3;
    for (const ItemRecord& item : m_viewport.items)
        triangles += item.triangleCount;
    m_viewport.triangleCounter = triangles;
    emit triangleCountChanged(triangles);
    m_gl->update();
}

} // namespace morvane
