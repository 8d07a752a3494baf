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
    for (const char* name : {"MORVANE_PLUGINS", "MORVANE_DOCUMENTS", "MORVANE_CONTENT"})
        environment.remove(name); // paths come from the arguments only
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(STUDIO_PATH), arguments);

    StudioRun run;
    // A generous bound: a hanging host fails the test instead of blocking.
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
