#pragma once

#include "common/event_log.h"
#include "common/notifier.h"
#include "common/progress_sink.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/pipeline_view.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace morvane::testing {

inline bool writeFile(const QString& path, const QByteArray& bytes = {}) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lowest and highest value of a map; NaN for both if any value is NaN.
inline std::pair<float, float> heightRange(const noise::utils::NoiseMap& map) {
    float low = INFINITY, high = -INFINITY;
    for (int y = 0; y < map.GetHeight(); ++y)
        for (int x = 0; x < map.GetWidth(); ++x) {
            const float v = map.GetValue(x, y);
            if (std::isnan(v))
                return {v, v};
            low = std::min(low, v);
            high = std::max(high, v);
        }
    return {low, high};
}

struct RecordingLog : EventLog {
    QStringList lines;
    void write(const QString& line) override { lines << line; }
};

struct RecordingNotifier : Notifier {
    std::vector<std::pair<QString, QString>> messages;
    void warn(const QString& title, const QString& text) override {
        messages.emplace_back(title, text);
    }
};

struct RecordingProgress : ProgressSink {
    QStringList events;
    void setBusyText(const QString& text) override { events << "busy:" + text; }
    void setBusyVisible(bool visible) override { events << (visible ? "show" : "hide"); }
    void setStatusText(const QString& text) override { events << "status:" + text; }
    void processEvents() override { events << "events"; }
};

struct RecordingView : PipelineView {
    std::vector<std::pair<PreviewSlot, QString>> previews;
    std::vector<bool> refreshButton;
    void showPreview(PreviewSlot slot, const QString& file) override {
        previews.emplace_back(slot, QFileInfo(file).fileName());
    }
    void setRefreshButtonVisible(bool visible) override { refreshButton.push_back(visible); }
};

// A plug-in folder with a few real gradients and an empty data folder, and
// a pipeline evaluating small maps so tests stay quick.
class PipelineFixture : public ::testing::Test {
protected:
    static constexpr int kPreviewSize = 32;

    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        paths.pluginDir = m_root.filePath("plugins/morvanePX");
        paths.dataDir = m_root.filePath("documents/morvanePX");
        ASSERT_TRUE(QDir().mkpath(paths.gradientsDir()));
        ASSERT_TRUE(QDir().mkpath(paths.dataDir));
        for (const char* name : {"black and white.bmp", "australia 2.bmp", "alpine.bmp",
                                 "volcanic.bmp"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(MORVANE_SOURCE_DIR "/resources/gradients/") +
                                        name,
                                    paths.gradientFile(name)));
        state.previewMapSize = state.previewPictureSize = kPreviewSize;
        context.paths = paths;
        context.log = &log;
        context.notifier = &notifier;
        context.progress = &progress;
        context.view = &view;
    }

    GenerationDriver driver() { return GenerationDriver(state, context); }

    QStringList mapsFiles() const {
        return QDir(paths.mapsDir()).entryList(QDir::Files, QDir::Name);
    }
    void clearMaps() { QDir(paths.mapsDir()).removeRecursively(); }
    // Number of evaluations so far, counted by their first log line.
    int evaluations() const { return int(log.lines.count("generating noise maps...\n")); }
    QString root() const { return m_root.path(); }

    PipelinePaths paths;
    PipelineState state;
    EvaluationContext context;
    RecordingLog log;
    RecordingNotifier notifier;
    RecordingProgress progress;
    RecordingView view;

private:
    QTemporaryDir m_root;
};

} // namespace morvane::testing
