#pragma once

#include "pipeline/pipeline_paths.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace noise::utils {
class RendererImage;
} // namespace noise::utils

namespace morvane {

class EventLog;
class Notifier;
class PipelineView;
class ProgressSink;
class TerrainEroder;
struct PipelineState;

// Everything an evaluation talks to besides the state it works on.
struct EvaluationContext {
    PipelinePaths paths;
    EventLog* log = nullptr;
    Notifier* notifier = nullptr;
    ProgressSink* progress = nullptr;
    PipelineView* view = nullptr;
    TerrainEroder* eroder = nullptr;
    int threadCount = 0; // sampling threads, 0 = every core
    // Build every stage's map with its own module chain, one after the
    // other, pictures one by one: the definition the shared one-pass
    // evaluation is held to (tests, benchmarks).
    bool plainStages = false;
    // With plainStages: final builds sample stages 1 to 5 too, as the loop
    // did before final builds skipped them (the benchmarks' baseline).
    bool plainSamplesEveryStage = false;
    // The generators as libnoise computes them (and the Gabor sum drawn
    // afresh at every sample) instead of their faster equals with the same
    // bits; implied by plainStages.
    bool plainModules = false;
    // Bytes the evaluation's float maps may take together; 0: no limit
    // beyond what can be allocated.
    std::uint64_t mapMemoryLimit = 0;

    // This context with do-nothing stand-ins for the missing interfaces.
    EvaluationContext withFallbacks() const;
};

// Evaluates the fixed noise graph of the state's recipe in nine stages into
// the final height map and the preview and texture pictures of the maps
// folder.
class GraphEvaluator {
public:
    GraphEvaluator(PipelineState& state, const EvaluationContext& context);

    // finalFlag: the terrain build or the export (no node previews);
    // requestedSize: the map side for final and full-detail builds;
    // fullDetail: 30 octaves and the requested size whatever the final flag.
    // Returns false when the maps did not fit in memory (the final map and
    // the pictures are those of the last evaluation) or when pictures could
    // not be written (the files not written are those of the last
    // evaluation); the user was told, and lastError() says which.
    bool evaluate(bool finalFlag, int requestedSize, bool fullDetail);
    // Why the last evaluation failed; empty after one that did not.
    QString lastError() const { return m_lastError; }

    // The text of the warning for maps that do not fit in memory.
    static QString outOfMemoryText(int mapSize);

private:
    struct Light;
    struct Setup;
    void evaluatePlain(const Setup& setup);
    void evaluateFused(const Setup& setup);
    void finish(const Setup& setup);
    void loadGradient(noise::utils::RendererImage& renderer, const QString& name);
    // A renderer over `gradient`, lit by `light`, or unlit without one.
    noise::utils::RendererImage rendererFor(const QString& gradient, const Light* light);
    void log(const QString& line);
    void showPreview(int slot, const QString& file);

    PipelineState& m_state;
    EvaluationContext m_context;
    QStringList m_pictureProblems; // "FILE: reason" of this evaluation
    QString m_lastError;
    bool m_picturesFailed = false; // the last evaluation's pictures failed: told already
};

} // namespace morvane
