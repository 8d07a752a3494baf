#pragma once

#include "props/edit_history.h"
#include "props/item_editing.h"
#include "props/populate_settings.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

class QFrame;
class QPushButton;
class QSpinBox;
class QWidget;

namespace morvane {

class GLTerrain;
class UserPrompts;
struct PipelineState;
struct ViewportState;

// The populate controls editing and sculpting read (brush intensity and
// diameter, normal blend), looked up by name so the core never sees a widget.
PopulateSettings readPopulateSettings(const QWidget* window, const ViewportState& viewport);

// The widgets of the edit panel and the tool buttons it drives.
struct EditControls {
    QFrame* editPanel = nullptr;
    QSpinBox* xRotation = nullptr;
    QSpinBox* yRotation = nullptr;
    QSpinBox* zRotation = nullptr;
    QSpinBox* xScale = nullptr;
    QSpinBox* yScale = nullptr;
    QSpinBox* zScale = nullptr;
    QSpinBox* yOffset = nullptr;
    QPushButton* itemStack = nullptr;
    QPushButton* belowZero = nullptr;
    QPushButton* reposition = nullptr;
    QPushButton* undo = nullptr;
    QPushButton* redo = nullptr;
};

// EDIT and TERRAIN mode: the edit panel's slots, item drag, the brush, the
// stacking and below-zero toggles, re-seating, and the undo history with
// its Ctrl+Z and Ctrl+Shift+Z. Steps are recorded at the end of each mouse
// stroke and whenever the viewport reports an edit (`itemsEdited`).
class ItemEditController : public QObject {
    Q_OBJECT
public:
    ItemEditController(GLTerrain* gl, PipelineState& pipeline, ViewportState& viewport,
                       UserPrompts& prompts, const EditControls& controls,
                       const QString& resourcesDir, QWidget* window);

    EditHistory& history() { return m_history; }
    QUndoStack& undoStack() { return m_stack; }

    // A terrain was built, loaded or the window reset: the history starts
    // over and the stacking and below-zero flags go off.
    void terrainReplaced();
    // Shows the item's rotations, scales and height in the edit panel.
    void showItem(int itemNumber);

signals:
    // Terrain plus item triangles after undo or redo changed the items.
    void triangleCountChanged(int count);

public slots:
    void itemXRot();
    void itemYRot();
    void itemZRot();
    void itemScaleX();
    void itemScaleY();
    void itemScaleZ();
    void itemYOffset();
    void setItemStack();
    void setPaintBelowZero();
    void repositionItems();
    void moveSelectedItem(int x, int y);
    void deformTerrain(int x, int y);
    void strokeFinished();
    void recordEdit(const QString& action);
    void undo();
    void redo();

private:
    EditableState state();
    void editField(QSpinBox* spin, ItemField field, const char* action);
    void restyleToggles();
    void afterRestore();
    void syncStackWithHistory();
    QUndoCommand* newCommand(const QString& action);

    GLTerrain* m_gl;
    PipelineState& m_pipeline;
    ViewportState& m_viewport;
    UserPrompts& m_prompts;
    EditControls m_controls;
    QString m_resourcesDir;
    QWidget* m_window;
    EditHistory m_history;
    QUndoStack m_stack;
};

} // namespace morvane
