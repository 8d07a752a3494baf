#pragma once

#include "pipeline/pipeline_paths.h"

#include <QString>

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
    void evaluate(bool finalFlag, int requestedSize, bool fullDetail);

private:
    struct Light;
    void loadGradient(noise::utils::RendererImage& renderer, const QString& name);
    void log(const QString& line);
    void showPreview(int slot, const QString& file);

    PipelineState& m_state;
    EvaluationContext m_context;
};

} // namespace morvane
