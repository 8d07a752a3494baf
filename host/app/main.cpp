#include "host_options.h"
#include "host_paths.h"
#include "host_window.h"
#include "studio_app.h"

#include <QApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <QTimer>

#include <cstdio>

using namespace morvane::host;

namespace {

void printError(const QString& text) {
    std::fputs(("studio: " + text + '\n').toLocal8Bit().constData(), stderr);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("studio"));

    const HostParseResult parsed = parseHostOptions(QApplication::arguments().mid(1));
    if (parsed.help) {
        std::fputs(hostUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parsed.options) {
        printError(parsed.error);
        std::fputs(hostUsage().toLocal8Bit().constData(), stderr);
        return 2;
    }
    const HostOptions& options = *parsed.options;

    const HostPaths paths = resolveHostPaths(options, QProcessEnvironment::systemEnvironment(),
                                             QApplication::applicationDirPath(), QDir::homePath());
    if (!ensureDocumentsFolder(paths) && paths.documentsIsDefault)
        printError(
            QStringLiteral("cannot create the documents folder %1").arg(paths.documentsPath));

    StudioApp studio(paths);
    for (const QString& problem : studio.loadPlugins())
        printError(problem);

    studio.window().show();
    // Inside the event loop, so that an action or a script asking the
    // application to quit is heard.
    QTimer::singleShot(0, [&] { studio.start(options.runAction, options.scriptFile, options.saveScenePath); });
    return application.exec();
}
