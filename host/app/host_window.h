#pragma once

#include "dzmainwindow.h"

#include <QList>
#include <QTemporaryDir>

class DzAction;
class DzApp;
class QComboBox;
class QMenu;
class QTreeWidget;

namespace morvane::host {

class SceneOutline;
class SceneView;

// The host's main window: File (open a prop, open and save scenes), a
// Create menu with every create-item action the plug-ins registered, the
// scene outline and the 3D view with its camera list.
class HostWindow : public DzMainWindow {
    Q_OBJECT
public:
    explicit HostWindow(QWidget* parent = nullptr);

    // Shows `app`'s scene in the outline and the view.
    void attachScene(DzApp& app);

    // The window takes ownership of the action.
    void addCreateAction(DzAction* action);
    QList<DzAction*> createActions() const { return m_createActions; }
    // The action whose text, mnemonics removed, is `text`; null when none.
    DzAction* findAction(const QString& text) const;

    QTreeWidget* outline() const;
    SceneView* sceneView() const { return m_view; }

    // The menu commands, without their file dialogs. False, with a message
    // box, on failure.
    bool openContent(const QString& path);
    bool openSceneFile(const QString& path);
    bool saveSceneFile(const QString& path);

private:
    void refillCameraList();
    void showProblem(const QString& text);

    DzApp* m_app = nullptr;
    QMenu* m_createMenu;
    SceneOutline* m_outline;
    SceneView* m_view;
    QComboBox* m_cameraList;
    QList<DzAction*> m_createActions;
    QTemporaryDir m_pictures; // embedded pictures of opened scenes
};

} // namespace morvane::host
