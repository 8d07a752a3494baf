#pragma once

#include "host_window.h"
#include "script_host.h"

#include <gtest/gtest.h>

#include <QScriptEngine>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace morvane::testing {

// A ScriptHost on a window of the test's own, in this process: scripts act
// on its widgets, and the test reads what they received.
class ScriptFixture : public ::testing::Test {
protected:
    ScriptFixture() : scripts(engine, hostWindow, [this](const QString& text) { reports << text; }) {
        scripts.install();
        window.setObjectName(QStringLiteral("scriptTestWindow"));
        window.resize(400, 300);
    }

    // Shows the window; call after adding the widgets.
    void show() {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    host::ScriptHost::Result run(const QString& program) {
        return scripts.run(program, QStringLiteral("test.js"));
    }
    // A global of the script after the run.
    QScriptValue global(const char* name) {
        return engine.globalObject().property(QLatin1String(name));
    }

    QScriptEngine engine;
    host::HostWindow hostWindow;
    QStringList reports;
    host::ScriptHost scripts;
    QWidget window;
};

} // namespace morvane::testing
