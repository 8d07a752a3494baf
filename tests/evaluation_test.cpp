#include "pipeline_fixture.h"

#include "noise/noise_image.h"
#include "pipeline/graph_evaluator.h"
#include "pipeline/module_factory.h"
#include "recipe/node_types.h"
#include "recipe/preset_file.h"

#include <libnoise/module/const.h>

#include <QImage>
#include <QRegularExpression>

#include <cmath>
#include <cstring>
#include <tuple>

namespace morvane {
namespace {

using noise::utils::NoiseMap;
using testing::heightRange;
using testing::PipelineFixture;

class EvaluationTest : public PipelineFixture {
protected:
    void evaluate(bool finalFlag = false, int size = kPreviewSize, bool fullDetail = false) {
        GraphEvaluator(state, context).evaluate(finalFlag, size, fullDetail);
    }
    int nodeLines() const { return log.lines.filter(QRegularExpression("^noise node")).size(); }
    InputNode perlin(int seed) const {
        InputNode input;
        input.type = int(InputType::Perlin);
        input.seedNumber = seed;
        return input;
    }
    QString picture(const QString& name, int shift) {
        QImage image(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                image.setPixel(x, y, qRgb((x * 5 + y * shift) & 255, 0, 0));
        const QString file = QDir(root()).filePath(name);
        EXPECT_TRUE(image.save(file));
        return file;
    }
};

const QStringList kNodePictures = {
    "C1noisePreview.jpg",  "HD1noisePreview.jpg", "HD2noisePreview.jpg", "HFFnoisePreview.jpg",
    "HI1noisePreview.jpg", "HI2noisePreview.jpg", "TD1noisePreview.jpg", "TD2noisePreview.jpg",
    "TFFnoisePreview.jpg", "TI1noisePreview.jpg", "TI2noisePreview.jpg"};
const QStringList kMixPictures = {"C1ControlMap.jpg", "TD1TurbulenceMap.jpg",
                                  "TD2TurbulenceMap.jpg"};
const QStringList kFinalPictures = {"HFFnoisePreview.jpg", "TFFnoisePreview.jpg"};

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

TEST_F(EvaluationTest, DefaultRecipeGivesAFlatMapEveryPictureAndHeightLabels) {
    evaluate();
    ASSERT_EQ(state.finalHeightMap.GetWidth(), kPreviewSize);
    EXPECT_EQ(heightRange(state.finalHeightMap), std::make_pair(0.0f, 0.0f));
    // Both texture gradients start equal: no mix pictures, six nodes.
    EXPECT_EQ(mapsFiles(), kNodePictures);
    EXPECT_EQ(nodeLines(), 6);
    EXPECT_TRUE(notifier.messages.empty());
    using Shown = std::pair<PreviewSlot, QString>;
    ASSERT_EQ(view.previews.size(), 6u);
    EXPECT_EQ(view.previews[2], Shown(PreviewSlot::Deformer1, "HD1noisePreview.jpg"));
    EXPECT_EQ(view.previews[4], Shown(PreviewSlot::ControlNoise, "C1noisePreview.jpg"));
    state.finalStage.mapStyle = 1;
    evaluate();
    EXPECT_EQ(view.previews.back(), Shown(PreviewSlot::Final, "TFFnoisePreview.jpg"));
    EXPECT_EQ(progress.events.first(), "show");
    EXPECT_EQ(progress.events.last(), "hide");
}

TEST_F(EvaluationTest, PicturesAndLogLinesFollowTheGradientsAndTheFinalFlag) {
    state.recipe.inputs[0] = perlin(3);
    state.recipe.gradient1 = "alpine.bmp";
    state.recipe.gradient2 = "volcanic.bmp";
    evaluate();
    EXPECT_EQ(mapsFiles(), sorted(kNodePictures + kMixPictures));
    QStringList expectedLines = {"generating noise maps...\n"};
    for (int node = 1; node <= 9; ++node)
        expectedLines << QString("noise node %1 generated\n").arg(node);
    EXPECT_EQ(log.lines, expectedLines);

    // The final build writes only the final pictures, and the mix when the
    // gradients differ; no preview label changes.
    clearMaps();
    view.previews.clear();
    evaluate(true, 48);
    EXPECT_EQ(mapsFiles(), sorted(kFinalPictures + kMixPictures));
    EXPECT_TRUE(view.previews.empty());
    EXPECT_EQ(QImage(paths.mapFile("TFFnoisePreview.jpg")).width(), 48);

    clearMaps();
    state.recipe.gradient2 = "alpine.bmp";
    evaluate(true, 48);
    EXPECT_EQ(mapsFiles(), kFinalPictures);
}

TEST_F(EvaluationTest, MissingGradientWarnsForEachPictureAndStillRenders) {
    state.recipe.gradient1 = "missing.bmp";
    evaluate();
    // Input 1 texture, deformer 1 texture and the final texture use gradient1.
    const auto warning = std::make_pair(
        QString("Warning"), QString("Gradient file not found. Unpredictable behaviour may occur."));
    EXPECT_EQ(notifier.messages, decltype(notifier.messages)(3, warning));
    EXPECT_TRUE(mapsFiles().contains("TI1noisePreview.jpg"));
}

// A user can cross the two clamp spin boxes; libnoise's Clamp would abort
// the whole host on such bounds.
TEST_F(EvaluationTest, ClampWithCrossedOrEqualBoundsIsOrderedOrConstant) {
    ModuleArena arena;
    ModuleFactory factory(arena, false);
    noise::module::Const source;
    DeformerNode crossed, ordered, equal;
    crossed.clampLow = ordered.clampHigh = 1;
    crossed.clampHigh = ordered.clampLow = -1;
    for (double v : {-3.0, -0.4, 0.0, 0.7, 5.0}) {
        source.SetConstValue(v);
        for (const DeformerNode* node : {&crossed, &ordered})
            EXPECT_EQ(factory.deformer(*node, 4, source).GetValue(0.3, 0, 0.3),
                      std::clamp(v, -1.0, 1.0));
    }
    equal.clampLow = equal.clampHigh = 0;
    source.SetConstValue(0.8);
    for (auto type : {DeformerType::Clamp, DeformerType::Curve, DeformerType::Terrace}) {
        equal.type = int(type); // Curve and Terrace without a profile clamp too
        EXPECT_EQ(factory.deformer(equal, 4, source).GetValue(1, 0, 1), 0.0);
    }
    equal.type = int(DeformerType::Exponent);
    equal.exponent = 0;
    equal.clampLow = equal.clampHigh = 1;
    EXPECT_EQ(factory.deformer(equal, 4, source).GetValue(1, 0, 1), 1.0);

    // And through whole evaluations of presets naming crossed and equal bounds.
    PresetReadOptions options;
    options.gradientNames = paths.gradientNames();
    for (const char* high : {"-1", "0"}) {
        state.recipe = TerrainRecipe();
        readPresetText(QByteArray("I1Type=5\nI1seedNumber=2\nD1ClampLow=0\nD1ClampHigh=") + high,
                       state.recipe, options, notifier);
        evaluate();
        const auto [low, top] = heightRange(state.finalHeightMap);
        EXPECT_EQ(top, 0.0f) << high;
        if (QByteArray(high) == "0")
            EXPECT_EQ(low, 0.0f);
        else
            EXPECT_LT(low, -0.1f);
    }
}

// Falloff 0 (or below) switches hard at the edges of the control range
// 0..1000; 20 blends over control 0 +- 0.2.
TEST_F(EvaluationTest, SelectFalloffSwitchesHardOrBlends) {
    ModuleArena arena;
    ModuleFactory factory(arena, false);
    noise::module::Const first, second, control;
    first.SetConstValue(-0.5);
    second.SetConstValue(0.5);
    CombinerNode select;
    select.terrainType = int(CombinerType::Select);
    auto at = [&](int falloff, double c) {
        select.falloff = falloff;
        control.SetConstValue(c);
        return factory.combiner(select, first, second, control).GetValue(0, 0, 0);
    };
    EXPECT_EQ(std::make_tuple(at(0, -0.01), at(0, 0.0), at(-40, 999.0), at(-40, 1000.5)),
              std::make_tuple(-0.5, 0.5, 0.5, -0.5));
    EXPECT_EQ(at(20, 0.25), 0.5);
    EXPECT_GT(at(20, 0.1), 0.0);
    EXPECT_LT(at(20, 0.1), 0.5);
}

// The final build skips the node maps of stages 1 to 5; the final map must
// still be the one a full build gives, picture loads into the shared slots
// included (the control noise reloads slot 0 after input 1, and turbulence
// keeps the final chain off the origin).
TEST_F(EvaluationTest, FinalBuildGivesTheSameMapAsBuildingEveryNode) {
    state.recipe.inputs[0].type = int(InputType::Image);
    state.recipe.inputs[0].noiseImageFile = picture("a.png", 1);
    state.recipe.inputs[1] = perlin(6);
    state.recipe.combiner.terrainType = int(CombinerType::Blend);
    state.recipe.combiner.noiseType = int(InputType::Image);
    state.recipe.combiner.noiseImageFile = picture("b.png", 9);
    state.recipe.turbulence.power = 30;
    state.recipe.turbulence.frequency = 40;
    state.previewMapSize = state.previewPictureSize = 64;

    morvane::module::NoiseImage::ClearSlots();
    evaluate(false, 64);
    const NoiseMap everyNode = state.finalHeightMap;
    morvane::module::NoiseImage::ClearSlots();
    log.lines.clear();
    evaluate(true, 64);
    EXPECT_EQ(nodeLines(), 6);
    ASSERT_EQ(state.finalHeightMap.GetWidth(), 64);
    for (int y = 0; y < 64; ++y)
        ASSERT_EQ(std::memcmp(everyNode.GetRowPtr(y), state.finalHeightMap.GetRowPtr(y),
                              64 * sizeof(float)),
                  0)
            << "row " << y;
    morvane::module::NoiseImage::ClearSlots();
}

} // namespace
} // namespace morvane
