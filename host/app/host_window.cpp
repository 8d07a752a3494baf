#include "host_window.h"

#include "dz3dviewport.h"
#include "dzaction.h"
#include "dzapp.h"
#include "dzcamera.h"
#include "dzcontentmgr.h"
#include "dzconsole.h"
#include "dzscene.h"
#include "dzviewport.h"
#include "dzviewportmgr.h"
#include "scene_files.h"
#include "scene_outline.h"
#include "scene_view.h"

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

namespace morvane::host {

namespace {

QString withoutMnemonics(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

const char* const kOwnCamera = "Perspective View";

} // namespace

HostWindow::HostWindow(QWidget* parent) : DzMainWindow(parent) {
    setObjectName(QStringLiteral("studioMainWindow"));
    setWindowTitle(QStringLiteral("Studio (MORVANE stand-in host)"));
    resize(1000, 700);

    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    fileMenu->addAction(QStringLiteral("&Open..."), this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(),
                                                          QStringLiteral("Poser props (*.pp2)"));
        if (!path.isEmpty())
            openContent(path);
    }, QKeySequence::Open);
    fileMenu->addAction(QStringLiteral("Open &Scene..."), this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Open Scene"), QString(), QStringLiteral("glTF scenes (*.gltf *.glb)"));
        if (!path.isEmpty())
            openSceneFile(path);
    }, QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    fileMenu->addAction(QStringLiteral("Save Scene &As..."), this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save Scene As"), QString(),
            QStringLiteral("glTF binary (*.glb);;glTF with files beside (*.gltf)"));
        if (!path.isEmpty())
            saveSceneFile(path);
    }, QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    fileMenu->addSeparator();
    QAction* quit = fileMenu->addAction(QStringLiteral("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, qApp, &QApplication::quit);

    m_createMenu = menuBar()->addMenu(QStringLiteral("&Create"));
    m_createMenu->setObjectName(QStringLiteral("createMenu"));
    m_createMenu->setEnabled(false); // until a plug-in adds something

    m_outline = new SceneOutline;
    auto* dock = new QDockWidget(QStringLiteral("Scene"), this);
    dock->setObjectName(QStringLiteral("sceneDock"));
    dock->setWidget(m_outline);
    addDockWidget(Qt::LeftDockWidgetArea, dock);

    auto* pane = new QWidget;
    pane->setObjectName(QStringLiteral("studioViewport"));
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    m_cameraList = new QComboBox;
    m_cameraList->setObjectName(QStringLiteral("viewCameraList"));
    m_cameraList->addItem(QLatin1String(kOwnCamera));
    m_view = new SceneView;
    layout->addWidget(m_cameraList);
    layout->addWidget(m_view, 1);
    setCentralWidget(pane);
}

void HostWindow::attachScene(DzApp& app) {
    m_app = &app;
    app.setInterface(this);
    Dz3DViewport* viewport = getViewportMgr()->getActiveViewport()->get3DViewport();
    m_outline->setScene(app.getScene());
    m_view->setScene(app.getScene(), viewport);
    connect(app.getScene(), &DzScene::nodeListChanged, this, &HostWindow::refillCameraList);
    connect(viewport, &Dz3DViewport::cameraChanged, this, &HostWindow::refillCameraList);
    connect(m_cameraList, QOverload<int>::of(&QComboBox::activated), this, [this, viewport](int index) {
        const QString name = m_cameraList->itemData(index).toString();
        viewport->setCamera(name.isEmpty() ? nullptr
                                           : qobject_cast<DzCamera*>(m_app->getScene()->findNode(name)));
    });
}

void HostWindow::refillCameraList() {
    if (!m_app)
        return;
    const DzCamera* active = getViewportMgr()->getActiveViewport()->get3DViewport()->getCamera();
    const QSignalBlocker block(m_cameraList);
    m_cameraList->clear();
    m_cameraList->addItem(QLatin1String(kOwnCamera));
    DzScene* scene = m_app->getScene();
    for (int i = 0; i < scene->getNumNodes(); ++i)
        if (auto* camera = qobject_cast<DzCamera*>(scene->getNode(i))) {
            m_cameraList->addItem(camera->getLabel().isEmpty() ? camera->getName() : camera->getLabel(),
                                  camera->getName());
            if (camera == active)
                m_cameraList->setCurrentIndex(m_cameraList->count() - 1);
        }
}

void HostWindow::showProblem(const QString& text) {
    QMessageBox::warning(this, QStringLiteral("Error"), text);
}

bool HostWindow::openContent(const QString& path) {
    if (!m_app)
        return false;
    dzConsoleClear();
    if (!m_app->getContentMgr()->openFile(path, true)) {
        showProblem(dzConsoleLines().join(QLatin1Char('\n')));
        return false;
    }
    if (m_app->getScene()->getNumNodes() == 1)
        m_view->frameScene();
    return true;
}

bool HostWindow::openSceneFile(const QString& path) {
    QString error;
    if (!m_app || !openScene(*m_app->getScene(), path, m_pictures.path(), &error)) {
        showProblem(error);
        return false;
    }
    m_view->frameScene();
    return true;
}

bool HostWindow::saveSceneFile(const QString& path) {
    QString error;
    if (!m_app || !saveSceneAs(*m_app->getScene(), path, &error)) {
        showProblem(error);
        return false;
    }
    return true;
}

void HostWindow::addCreateAction(DzAction* action) {
    action->setParent(this);
    m_createMenu->addAction(action);
    m_createMenu->setEnabled(true);
    m_createActions.append(action);
}

DzAction* HostWindow::findAction(const QString& text) const {
    for (DzAction* action : m_createActions)
        if (action->text() == text || withoutMnemonics(action->text()) == text)
            return action;
    return nullptr;
}

QTreeWidget* HostWindow::outline() const {
    return m_outline;
}

} // namespace morvane::host
