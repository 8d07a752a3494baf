#include "studio_app.h"

#include "dzapp.h"
#include "dzclassfactory.h"
#include "dzcontentmgr.h"
#include "dzcreateitemaction.h"
#include "dzplugin.h"
#include "host_window.h"
#include "plugin_loader.h"
#include "scene_files.h"
#include "script_host.h"

#include <QCoreApplication>

#include <cstdio>

namespace morvane::host {

namespace {

void printError(const QString& text) {
    std::fputs(("studio: " + text + '\n').toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

} // namespace

StudioApp::StudioApp(const HostPaths& paths)
    : m_app(std::make_unique<DzApp>()), m_window(std::make_unique<HostWindow>()) {
    m_app->setPluginsPath(paths.pluginsPath);
    m_app->setDocumentsPath(paths.documentsPath);
    m_app->getContentMgr()->setPoserDirectories(paths.contentDirectories);
    m_window->attachScene(*m_app);
    m_scripts = std::make_unique<ScriptHost>(*m_app->getScriptEngine(), *m_window);
}

StudioApp::~StudioApp() {
    // Plug-in actions (children of the window) and their windows go before
    // the application object they may still call.
    m_scripts.reset();
    m_app->setInterface(nullptr);
    m_window.reset();
}

QStringList StudioApp::loadPlugins() {
    const PluginScan scan =
        morvane::host::loadPlugins(m_app->getPluginsPath(), m_app->getVersion());
    QStringList problems = scan.problems;
    for (const LoadedPlugin& plugin : scan.plugins) {
        DzPlugin* definition = plugin.definition;
        for (int i = 0; i < definition->getNumClassFactories(); ++i) {
            DzClassFactory* factory = definition->getClassFactory(i);
            if (!m_app->registerClassFactory(factory)) {
                problems << QStringLiteral("%1: class %2 is already registered, skipped")
                                .arg(plugin.file, factory->getClassName());
                continue;
            }
            if (!factory->inherits(&DzCreateItemAction::staticMetaObject))
                continue;
            QObject* instance = factory->createInstance();
            auto* action = qobject_cast<DzCreateItemAction*>(instance);
            if (!action) {
                delete instance;
                problems << QStringLiteral("%1: the factory of %2 made no action")
                                .arg(plugin.file, factory->getClassName());
                continue;
            }
            m_window->addCreateAction(action);
            action->init();
        }
    }
    m_scripts->install();
    return problems;
}

void StudioApp::start(const QString& runAction, const QString& scriptFile,
                      const QString& saveScenePath) {
    if (!runAction.isEmpty()) {
        DzAction* action = m_window->findAction(runAction);
        if (!action) {
            printError(QStringLiteral("no action \"%1\" in the Create menu").arg(runAction));
            QCoreApplication::exit(1);
            return;
        }
        action->trigger();
    }
    if (scriptFile.isEmpty())
        return;
    const ScriptHost::Result result = m_scripts->runFile(scriptFile);
    if (result.outcome == ScriptHost::Result::Error) {
        printError(QStringLiteral("script error: ") + result.error);
        QCoreApplication::exit(1);
        return;
    }
    if (!saveScenePath.isEmpty()) {
        QString error;
        if (!saveSceneAs(*m_app->getScene(), saveScenePath, &error)) {
            printError(QStringLiteral("cannot save the scene: ") + error);
            QCoreApplication::exit(1);
            return;
        }
    }
    if (result.outcome == ScriptHost::Result::Quit)
        QCoreApplication::exit(result.exitCode);
}

} // namespace morvane::host
