#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace morvane::testing {

struct StudioRun {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built `studio` to its end. The child gets the test's display, or
// the offscreen platform when there is none.
inline StudioRun runStudio(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains("DISPLAY") && !environment.contains("QT_QPA_PLATFORM"))
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    // Paths come from the arguments only.
    environment.remove("MORVANE_PLUGINS");
    environment.remove("MORVANE_DOCUMENTS");
    environment.remove("MORVANE_CONTENT");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(STUDIO_PATH), arguments);

    StudioRun run;
    // A generous bound so a host that hangs fails the test instead of
    // blocking the suite.
    run.finished = process.waitForFinished(120000);
    if (!run.finished)
        process.kill(), process.waitForFinished();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

inline QString writeScript(const QTemporaryDir& dir, const QString& name, const QString& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
    return path;
}

} // namespace morvane::testing
