#pragma once

#include "pipeline/graph_evaluator.h"

#include <QString>

namespace morvane {

struct PipelineState;

// Decides when the graph is evaluated and at which size: at once after a
// recipe change in automatic mode, on the refresh button in manual mode,
// at 512 for the terrain build. Also loads and saves presets and removes
// the temporary pictures.
class GenerationDriver {
public:
    GenerationDriver(PipelineState& state, const EvaluationContext& context);

    PipelineState& state() { return m_state; }
    const EvaluationContext& context() const { return m_context; }

    // evaluate(final flag, preview map size, not full detail).
    void evaluate();
    // False when the maps did not fit in memory or the pictures could not
    // be written (the user has been told; lastEvaluationError() says which).
    bool evaluate(bool finalFlag, int requestedSize, bool fullDetail);
    QString lastEvaluationError() const { return m_evaluator.lastError(); }

    // A recipe change: evaluates in automatic mode, shows the refresh button
    // in manual mode.
    void recipeChanged();
    // A change that never evaluates by itself (light values, erosion, ...).
    void setRefreshButton();
    void setAutoNoiseMode();

    // The refresh button or a window slider: takes the gradient lists'
    // current items when texture previews are shown, sets both preview
    // sizes from the preview resolution, evaluates.
    void refreshNoise(const QString& leftGradient, const QString& rightGradient);
    // A gradient list's row changed: as refreshNoise(), but only the preview
    // map size is updated.
    void refreshNoiseForGradientChange(const QString& leftGradient, const QString& rightGradient);

    // 0 height previews, 1 texture previews. Switching never evaluates.
    void setCurrentMapStyle(int style);

    // "TERRAFORM !": checks the terrain size (warns and returns false below
    // 1), evaluates the final 512 x 512 map and builds the full and
    // decimated terrain arrays from it.
    bool generatePreviewTerrain();

    // Reads gradient1 into the colour gradient array; a missing file leaves
    // it unchanged.
    void fillColorGradientArray();

    // Deletes the pictures an evaluation and the normal-map preview leave in
    // the maps folder.
    void removeTemporaryPictures();

    // Loads a preset and evaluates once. presetType 0: shipped with the
    // plug-in (image names relative to its presets folder), 1: the user's.
    void loadPreset(const QString& presetFile, int presetType);
    // Saves the recipe as <data>/presets/<name>.ipf with its thumbnail.
    // Returns false when nothing was saved (empty or unsafe name, write
    // failure; the last two are reported).
    bool savePreset(const QString& name);

    static const QStringList& temporaryPictures();

private:
    void refresh(const QString& leftGradient, const QString& rightGradient, bool pictureSizeToo);

    PipelineState& m_state;
    EvaluationContext m_context;
    GraphEvaluator m_evaluator;
};

} // namespace morvane
