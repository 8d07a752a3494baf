#pragma once

#include "gui_fixture.h"
#include "plugin/ui/morvane_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

namespace morvane::testing {

// A MorvaneWindow over the build's plug-ins and a temporary documents folder,
// with scripted dialogs and fixed seeds.
class WindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        documents = m_root.filePath("Studio");
        ASSERT_TRUE(QDir().mkpath(documents));
        environment.pluginsPath = QStringLiteral(MORVANE_PLUGIN_DIR);
        environment.documentsPath = documents;
        environment.prompts = &prompts;
        environment.seeds = &seeds;
        environment.threadCount = 2;
    }
    void TearDown() override {
        window.reset();
        // The window's widgets are deleted later; finish before the next test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    MorvaneWindow& openWindow() {
        window = std::make_unique<MorvaneWindow>(environment);
        EXPECT_TRUE(window->open());
        return *window;
    }
    // Opens the window and takes hold of its viewport and states; the GL
    // context is made on the first paint.
    void openWindowWithViewport() {
        openWindow();
        gl = window->viewport();
        view = window->viewportState();
        pipeline = window->pipelineState();
        ASSERT_TRUE(gl && view && pipeline);
        QCoreApplication::processEvents();
    }
    QString dataDir() const { return documents + QStringLiteral("/morvanePX"); }

    template <typename T> T* find(const QString& name) const {
        QWidget* top = window ? window->window() : nullptr;
        return top ? top->findChild<T*>(name) : nullptr;
    }
    QTabWidget* controller() const { return find<QTabWidget>(QStringLiteral("mainController")); }

    QTemporaryDir m_root;
    QString documents;
    MorvaneEnvironment environment;
    ScriptedPrompts prompts;
    SequenceSeedSource seeds{7};
    std::unique_ptr<MorvaneWindow> window;
    GLTerrain* gl = nullptr;
    ViewportState* view = nullptr;
    PipelineState* pipeline = nullptr;
};

} // namespace morvane::testing
