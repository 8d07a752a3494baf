#pragma once

#include "props/populate_settings.h"

#include <QObject>

#include <functional>

namespace morvane {

class GLTerrain;
class ProgressSink;
class RandomSource;
class UserPrompts;
struct PipelineState;
struct ViewportState;

// Turns the viewport's paint requests (a left press or drag in PAINT mode,
// Shift for a brush deployment) into items, on the generated terrain or on
// an imported OBJ terrain, with the populate controls of the moment.
class PopulatePainter : public QObject {
    Q_OBJECT
public:
    using SettingsSource = std::function<PopulateSettings()>;

    PopulatePainter(GLTerrain& view, PipelineState& pipeline, ViewportState& viewport,
                    UserPrompts& prompts, ProgressSink& progress, RandomSource& random,
                    SettingsSource settings, QObject* parent = nullptr);

signals:
    // Items were added: the label shows the new counter.
    void triangleCounterChanged(int triangles);

public slots:
    void paint(int x, int y, bool multiple);

private:
    GLTerrain& m_view;
    PipelineState& m_pipeline;
    ViewportState& m_viewport;
    UserPrompts& m_prompts;
    ProgressSink& m_progress;
    RandomSource& m_random;
    SettingsSource m_settings;
};

} // namespace morvane
