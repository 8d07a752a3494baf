#include "host_window.h"

#include "dzaction.h"

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QTreeWidget>

namespace morvane::host {

namespace {

QString withoutMnemonics(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

} // namespace

HostWindow::HostWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("studioMainWindow"));
    setWindowTitle(QStringLiteral("Studio (MORVANE stand-in host)"));
    resize(1000, 700);

    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* quit = fileMenu->addAction(QStringLiteral("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, qApp, &QApplication::quit);

    m_createMenu = menuBar()->addMenu(QStringLiteral("&Create"));
    m_createMenu->setObjectName(QStringLiteral("createMenu"));
    m_createMenu->setEnabled(false); // until a plug-in adds something

    // The scene outline: empty until the host has scene nodes.
    m_outline = new QTreeWidget;
    m_outline->setObjectName(QStringLiteral("sceneOutline"));
    m_outline->setHeaderLabels({QStringLiteral("Node")});
    auto* dock = new QDockWidget(QStringLiteral("Scene"), this);
    dock->setObjectName(QStringLiteral("sceneDock"));
    dock->setWidget(m_outline);
    addDockWidget(Qt::LeftDockWidgetArea, dock);

    auto* viewport = new QLabel(QStringLiteral("Create > a plug-in's item to begin"));
    viewport->setObjectName(QStringLiteral("studioViewport"));
    viewport->setAlignment(Qt::AlignCenter);
    setCentralWidget(viewport);
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

} // namespace morvane::host
