#pragma once

#include "dzapp.h"
#include "dzconsole.h"
#include "dzscene.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMatrix4x4>
#include <QTemporaryDir>
#include <QVector3D>

namespace morvane::testing {

// A host application object with an empty scene and a folder for files.
class SceneFixture : public ::testing::Test {
protected:
    SceneFixture() { dzConsoleClear(); }

    QString write(const QString& name, const QByteArray& text) {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text);
        return path;
    }
    DzScene& scene() { return *app.getScene(); }
    bool consoleMentions(const QString& text) const {
        for (const QString& line : dzConsoleLines())
            if (line.contains(text))
                return true;
        return false;
    }

    DzApp app;
    QTemporaryDir dir;
};

inline void expectNear(const QVector3D& actual, const QVector3D& expected, float tolerance,
                       const char* what) {
    EXPECT_NEAR(actual.x(), expected.x(), tolerance) << what;
    EXPECT_NEAR(actual.y(), expected.y(), tolerance) << what;
    EXPECT_NEAR(actual.z(), expected.z(), tolerance) << what;
}

inline void expectMatrixNear(const QMatrix4x4& a, const QMatrix4x4& b, float tolerance,
                             const char* what) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), tolerance) << what << " at " << r << "," << c;
}

} // namespace morvane::testing
