#include "pipeline/generation_driver.h"

#include "common/event_log.h"
#include "common/notifier.h"
#include "common/progress_sink.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/pipeline_view.h"
#include "pipeline/terrain_arrays.h"
#include "recipe/preset_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace morvane {


GenerationDriver::GenerationDriver(PipelineState& state, const EvaluationContext& context)
    : m_state(state), m_context(context.withFallbacks()), m_evaluator(state, context) {}

void GenerationDriver::evaluate() {
    m_evaluator.evaluate(m_state.finalFlag, m_state.previewMapSize, false);
}

bool GenerationDriver::evaluate(bool finalFlag, int requestedSize, bool fullDetail) {
    return m_evaluator.evaluate(finalFlag, requestedSize, fullDetail);
}

void GenerationDriver::recipeChanged() {
    if (m_state.automaticMode)
        evaluate();
    else
        setRefreshButton();
}

void GenerationDriver::setRefreshButton() {
    m_state.refreshButtonVisible = true;
    m_context.view->setRefreshButtonVisible(true);
}

void GenerationDriver::setAutoNoiseMode() { m_state.automaticMode = !m_state.automaticMode; }

void GenerationDriver::refresh(const QString& leftGradient, const QString& rightGradient,
                               bool pictureSizeToo) {
    m_state.refreshButtonVisible = false;
    m_context.view->setRefreshButtonVisible(false);
    m_state.stale = false;
    if (m_state.finalStage.mapStyle == 1) {
        m_state.recipe.gradient1 = leftGradient;
        m_state.recipe.gradient2 = rightGradient;
    }
    if (pictureSizeToo)
        m_state.previewPictureSize = m_state.finalStage.previewMapSize();
    m_state.previewMapSize = m_state.finalStage.previewMapSize();
    evaluate();
}

void GenerationDriver::refreshNoise(const QString& leftGradient, const QString& rightGradient) {
    refresh(leftGradient, rightGradient, true);
}

void GenerationDriver::refreshNoiseForGradientChange(const QString& leftGradient,
                                                     const QString& rightGradient) {
    refresh(leftGradient, rightGradient, false);
}

void GenerationDriver::setCurrentMapStyle(int style) {
    m_state.finalStage.mapStyle = style == 0 ? 0 : 1;
    m_state.smoothingFlag = style == 0;
}

bool GenerationDriver::generatePreviewTerrain() {
    if (m_state.finalStage.terrainSize() < 1) {
        m_context.notifier->warn(QStringLiteral("Error"),
                                 QStringLiteral("nice try... please enter a terrain size "
                                                "higher than 0"));
        return false;
    }
    m_state.customTerrainLoaded = false;
    m_state.finalFlag = true;
    // Leave the final flag as it was found even if the evaluation throws.
    struct FinalFlagReset {
        bool& flag;
        ~FinalFlagReset() { flag = false; }
    } reset{m_state.finalFlag};
    evaluate(true, 512, false);
    m_context.progress->setBusyVisible(true);
    m_context.progress->setBusyText(QStringLiteral("creating terrain ...\n\n1/2"));
    m_context.progress->processEvents();
    TerrainBuildParams params;
    params.terrainSize = m_state.finalStage.terrainSize();
    params.heightLow = m_state.finalStage.terrainHeightLow;
    params.heightUp = m_state.finalStage.terrainHeightUp;
    params.texturePicture = m_context.paths.mapFile(QStringLiteral("TFFnoisePreview.jpg"));
    m_state.terrain = buildTerrainArrays(m_state.finalHeightMap, params, *m_context.log);
    m_state.decimatedTerrain =
        buildDecimatedTerrainArrays(m_state.finalHeightMap, params, *m_context.log);
    m_state.terrainExists = true;
    m_context.progress->setBusyText(QString());
    m_context.progress->setBusyVisible(false);
    return true;
}

void GenerationDriver::fillColorGradientArray() {
    const QString file = m_context.paths.gradientFile(m_state.recipe.gradient1);
    if (!QFileInfo(file).isFile())
        return;
    const QImage picture(file);
    if (picture.isNull())
        return;
    const int count = int(m_state.colorGradient.size());
    for (int x = 0; x < count; ++x) {
        // A picture narrower than the array is stretched across it.
        const int column = picture.width() >= count ? x : x * picture.width() / count;
        const QRgb pixel = picture.pixel(column, 0);
        m_state.colorGradient[std::size_t(x)] = {float(qRed(pixel)), float(qGreen(pixel)),
                                                 float(qBlue(pixel))};
    }
}

const QStringList& GenerationDriver::temporaryPictures() {
    static const QStringList files = {
        "C1noisePreview.jpg",   "HD1noisePreview.jpg",  "HD2noisePreview.jpg",
        "HFFnoisePreview.jpg",  "HI1noisePreview.jpg",  "HI2noisePreview.jpg",
        "TD1noisePreview.jpg",  "TD2noisePreview.jpg",  "TFFnoisePreview.jpg",
        "TI1noisePreview.jpg",  "TI2noisePreview.jpg",  "C1ControlMap.jpg",
        "TD1TurbulenceMap.jpg", "TD2TurbulenceMap.jpg", "NMapFFnoisePreviewThumb.jpg"};
    return files;
}

void GenerationDriver::removeTemporaryPictures() {
    m_context.log->write(QStringLiteral("removing temp files...\n"));
    for (const QString& name : temporaryPictures())
        QFile::remove(m_context.paths.mapFile(name));
}

void GenerationDriver::loadPreset(const QString& presetFile, int presetType) {
    m_context.log->write(QStringLiteral("loading preset ") + presetFile + '\n');
    m_state.loading = true;
    setCurrentMapStyle(1);

    PresetReadOptions options;
    options.type = presetType == 0 ? PresetType::Native : PresetType::User;
    options.nativePresetsDir = m_context.paths.nativePresetsDir();
    options.gradientNames = m_context.paths.gradientNames();
    struct LoadingReset {
        bool& flag;
        ~LoadingReset() { flag = false; }
    } reset{m_state.loading};
    readPresetFile(presetFile, m_state.recipe, options, *m_context.notifier);
    m_state.loading = false;

    evaluate();
    m_context.progress->setStatusText(QStringLiteral("loaded preset: ") + presetFile);
}

bool GenerationDriver::savePreset(const QString& name) {
    if (name.isEmpty())
        return false;
    // The name becomes a file name in the presets folder; path pieces would
    // write elsewhere.
    if (name.contains('/') || name.contains('\\') || name == QLatin1String(".") ||
        name == QLatin1String("..")) {
        m_context.notifier->warn(QStringLiteral("Error"),
                                 QStringLiteral("A preset name cannot contain \"/\" or \"\\\", "
                                                "nor be \".\" or \"..\"."));
        return false;
    }
    const QString folder = m_context.paths.userPresetsDir();
    QDir().mkpath(folder);
    const QString base = folder + '/' + name;
    if (!writePresetFile(m_state.recipe, base + QStringLiteral(".ipf"))) {
        m_context.notifier->warn(QStringLiteral("Error"),
                                 QStringLiteral("The preset could not be written to ") + base +
                                     QStringLiteral(".ipf"));
        return false;
    }
    // The thumbnail follows the preset, so a failed save leaves the old pair
    // as it was. One that cannot be made must not leave an older preset's
    // picture beside the new settings: the library then shows its placeholder.
    const QString thumbnail = base + QStringLiteral(".jpg");
    if (!writePresetThumbnail(m_context.paths.mapFile(QStringLiteral("TFFnoisePreview.jpg")),
                              thumbnail))
        QFile::remove(thumbnail);
    m_context.log->write(QStringLiteral("preset saved\n"));
    return true;
}

} // namespace morvane
