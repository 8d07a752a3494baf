#include "pipeline_fixture.h"

#include "noise/noise_image.h"
#include "pipeline/graph_evaluator.h"
#include "recipe/node_types.h"

#include <QImage>

#include <cstring>
#include <map>

namespace morvane {
namespace {

using noise::utils::NoiseMap;
using testing::PipelineFixture;
using testing::readFile;

// Everything an evaluation leaves behind that a user or a caller sees.
struct Outcome {
    NoiseMap finalMap;
    std::map<QString, QByteArray> files;
    QStringList logLines;
    QStringList progress;
    std::vector<std::pair<PreviewSlot, QString>> previews;
    std::vector<std::pair<QString, QString>> warnings;
};

class FusedEvaluationTest : public PipelineFixture {
protected:
    Outcome run(bool plain, int threads, bool finalFlag, int size, bool fullDetail) {
        clearMaps();
        log.lines.clear();
        progress.events.clear();
        view.previews.clear();
        notifier.messages.clear();
        morvane::module::NoiseImage::ClearSlots();
        context.plainStages = plain;
        context.threadCount = threads;
        GraphEvaluator(state, context).evaluate(finalFlag, size, fullDetail);
        Outcome outcome{state.finalHeightMap, {},           log.lines,
                        progress.events,      view.previews, notifier.messages};
        for (const QString& name : mapsFiles())
            outcome.files[name] = readFile(paths.mapFile(name));
        return outcome;
    }

    // Fused on three threads against stage-by-stage on one.
    void expectSameAsPlain(bool finalFlag, int size = 24, bool fullDetail = false) {
        const Outcome plain = run(true, 1, finalFlag, size, fullDetail);
        const Outcome fused = run(false, 3, finalFlag, size, fullDetail);
        ASSERT_EQ(fused.finalMap.GetWidth(), plain.finalMap.GetWidth());
        for (int y = 0; y < plain.finalMap.GetHeight(); ++y)
            ASSERT_EQ(std::memcmp(plain.finalMap.GetRowPtr(y), fused.finalMap.GetRowPtr(y),
                                  std::size_t(plain.finalMap.GetWidth()) * sizeof(float)),
                      0)
                << "final map row " << y;
        EXPECT_EQ(fused.files.size(), plain.files.size());
        for (const auto& [name, bytes] : plain.files)
            EXPECT_TRUE(fused.files.count(name) && fused.files.at(name) == bytes)
                << name.toStdString() << " missing or different";
        EXPECT_EQ(fused.logLines, plain.logLines);
        EXPECT_EQ(fused.progress, plain.progress);
        EXPECT_EQ(fused.previews, plain.previews);
        EXPECT_EQ(fused.warnings, plain.warnings);
    }

    QString picture(const QString& name) {
        QImage image(40, 40, QImage::Format_RGB32);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, qRgb((x * 7 + y * 3) & 255, 0, 0));
        const QString file = QDir(root()).filePath(name);
        EXPECT_TRUE(image.save(file));
        return file;
    }
};

struct DeformerCase {
    DeformerType type;
    int profile; // curve or terrace profile, or the exponent
};

// Profile-less rows exercise the fallback to Clamp.
const DeformerCase kDeformers[] = {
    {DeformerType::Abs, 0},      {DeformerType::Clamp, 0},     {DeformerType::Curve, 3},
    {DeformerType::Curve, 0},    {DeformerType::Exponent, 2},  {DeformerType::Exponent, 0},
    {DeformerType::Invert, 0},   {DeformerType::RoundEdge, 0}, {DeformerType::ScaleBias, 0},
    {DeformerType::Terrace, 5},  {DeformerType::Terrace, 0},
};

DeformerNode deformer(const DeformerCase& c) {
    DeformerNode node;
    node.type = int(c.type);
    node.clampLow = -1;
    node.clampHigh = 1;
    node.scaleBiasLow = 7;
    node.scaleBiasHigh = 20;
    node.curve = node.terrace = node.exponent = c.profile; // only its own type reads it
    return node;
}

// Rows cycle every input type (in each slot), deformer and combiner, with and
// without turbulence and with equal and different gradients.
TEST_F(FusedEvaluationTest, EveryGraphGivesTheStageByStageResultBitForBit) {
    const QString pictureFile = picture("height.png");
    const int inputs = inputTypeNames().size();
    const int deformers = int(std::size(kDeformers));
    const int combiners = combinerTypeNames().size();
    const int rows = std::max({inputs, deformers, combiners});
    for (int row = 0; row < rows; ++row) {
        TerrainRecipe& r = state.recipe = TerrainRecipe();
        const int types[3] = {row % inputs, (row + 4) % inputs, (row + 7) % inputs};
        for (int i = 0; i < 2; ++i) {
            InputNode& input = r.inputs[std::size_t(i)];
            input.type = types[i];
            input.seedNumber = row + i;
            input.frequency = 8 + row;
            input.persistence = 2; // keeps Gabor quick
            input.noiseImageFile = pictureFile;
            input.imageSlot = i;
            input.gaborAnisotropic = row % 2 ? 2 : 0;
            r.deformers[std::size_t(i)] = deformer(kDeformers[(row + 5 * i) % deformers]);
        }
        r.combiner.noiseType = types[2];
        r.combiner.noiseImageFile = pictureFile;
        r.combiner.persistence = 2;
        r.combiner.terrainType = row % combiners;
        r.combiner.falloff = row % 2 ? 0 : 30;
        r.turbulence.power = row % 2 ? 0 : 35;
        r.turbulence.frequency = 40;
        r.turbulence.roughness = 1 + row % 3;
        r.turbulence.seed = row;
        r.gradient1 = "alpine.bmp";
        r.gradient2 = (row / 2) % 2 ? "volcanic.bmp" : "alpine.bmp";
        state.finalStage.lightOn = row % 3 != 0;
        state.finalStage.mapStyle = row % 2;
        for (bool finalFlag : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "row " << row << (finalFlag ? " final" : ""));
            expectSameAsPlain(finalFlag);
        }
    }
}

// Full detail, an offset window and a missing gradient (warnings in order).
TEST_F(FusedEvaluationTest, FullDetailOffsetWindowAndMissingGradientMatchToo) {
    TerrainRecipe& r = state.recipe;
    r.inputs[0].type = int(InputType::MultiFractal);
    r.inputs[1].type = int(InputType::Billow);
    r.combiner.terrainType = int(CombinerType::Blend);
    r.combiner.noiseType = int(InputType::Perlin);
    r.turbulence.power = 20;
    r.turbulence.frequency = 60;
    r.startX = -3;
    r.startY = 5;
    r.noiseSize = 7;
    r.gradient1 = "missing.bmp";
    r.gradient2 = "volcanic.bmp";
    expectSameAsPlain(false, 20, true);
    expectSameAsPlain(true, 33, true);
    EXPECT_FALSE(notifier.messages.empty());
}

// Over the memory limit: an error, no picture touched, the last map kept.
TEST_F(FusedEvaluationTest, MapsBeyondTheMemoryLimitAreRefusedAndLeaveTheLastResult) {
    state.recipe.inputs[0].type = int(InputType::Perlin);
    context.mapMemoryLimit = 64 * 64 * sizeof(float);
    ASSERT_TRUE(GraphEvaluator(state, context).evaluate(true, 64, false));
    const QByteArray texture = readFile(paths.mapFile("TFFnoisePreview.jpg"));
    const QByteArray height = readFile(paths.mapFile("HFFnoisePreview.jpg"));
    const NoiseMap before = state.finalHeightMap;

    for (bool plain : {false, true}) {
        context.plainStages = plain;
        notifier.messages.clear();
        EXPECT_FALSE(GraphEvaluator(state, context).evaluate(true, 65, false));
        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_EQ(notifier.messages[0],
                  std::make_pair(QString("Error"), GraphEvaluator::outOfMemoryText(65)));
        EXPECT_EQ(readFile(paths.mapFile("TFFnoisePreview.jpg")), texture);
        EXPECT_EQ(readFile(paths.mapFile("HFFnoisePreview.jpg")), height);
        ASSERT_EQ(state.finalHeightMap.GetWidth(), 64);
        EXPECT_EQ(std::memcmp(before.GetRowPtr(63), state.finalHeightMap.GetRowPtr(63),
                              64 * sizeof(float)),
                  0);
    }
}

} // namespace
} // namespace morvane
