#pragma once

#include "host_paths.h"

#include <QString>
#include <QStringList>

#include <memory>

class DzApp;

namespace morvane::host {

class HostWindow;
class ScriptHost;

// The running host: the application object plug-ins see (dzApp), the main
// window, the loaded plug-ins and the script side.
class StudioApp {
public:
    explicit StudioApp(const HostPaths& paths);
    ~StudioApp();

    // Loads and registers the plug-ins of the plug-ins folder and puts their
    // create-item actions into the Create menu. Returns the problems met
    // (libraries skipped or refused, classes not registered).
    QStringList loadPlugins();

    HostWindow& window() { return *m_window; }

    // What to do once the window is shown: trigger the action with the text
    // `runAction` (when not empty), then run `scriptFile` (when not empty).
    // After the script, the scene is saved to `saveScenePath` (when not
    // empty) as glTF. Ends the event loop when the script quits, or with
    // code 1 on an error or a failed save; otherwise the host stays open.
    void start(const QString& runAction, const QString& scriptFile,
               const QString& saveScenePath = QString());

private:
    std::unique_ptr<DzApp> m_app;
    std::unique_ptr<HostWindow> m_window;
    std::unique_ptr<ScriptHost> m_scripts;
};

} // namespace morvane::host
