#include "pipeline_fixture.h"

#include "common/seed_source.h"
#include "recipe/node_types.h"
#include "recipe/preset_file.h"

#include <QImage>

namespace morvane {
namespace {

using testing::PipelineFixture;

class DriverTest : public PipelineFixture {
protected:
    int evaluations() const { return log.lines.count("generating noise maps...\n"); }
};

TEST_F(DriverTest, ManualModeShowsTheRefreshButtonUntilRefreshed) {
    GenerationDriver d = driver();
    d.setAutoNoiseMode();
    ASSERT_FALSE(state.automaticMode);
    d.recipeChanged();
    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(mapsFiles().isEmpty());
    EXPECT_TRUE(state.refreshButtonVisible);
    EXPECT_EQ(view.refreshButton, std::vector<bool>{true});

    d.refreshNoise("alpine.bmp", "volcanic.bmp");
    EXPECT_EQ(evaluations(), 1);
    EXPECT_FALSE(state.refreshButtonVisible);
    EXPECT_TRUE(mapsFiles().contains("TFFnoisePreview.jpg"));
    // Height previews keep the stored texture gradients.
    EXPECT_EQ(state.recipe.gradient1, "australia 2.bmp");

    d.setAutoNoiseMode();
    d.recipeChanged();
    EXPECT_EQ(evaluations(), 2);
    // Value changes only show the button, even in automatic mode.
    ASSERT_TRUE(state.automaticMode);
    d.setRefreshButton();
    EXPECT_EQ(evaluations(), 2);
    EXPECT_TRUE(state.refreshButtonVisible);
}

TEST_F(DriverTest, RefreshTakesThePreviewSizeAndTheListsInTextureStyle) {
    GenerationDriver d = driver();
    state.finalStage.previewResolution = 2;
    d.setCurrentMapStyle(1);
    d.refreshNoise("alpine.bmp", "volcanic.bmp");
    EXPECT_EQ(state.previewMapSize, 512);
    EXPECT_EQ(state.previewPictureSize, 512);
    EXPECT_EQ(state.finalHeightMap.GetWidth(), 512);
    EXPECT_EQ(state.recipe.gradient1, "alpine.bmp");
    EXPECT_EQ(state.recipe.gradient2, "volcanic.bmp");

    state.finalStage.previewResolution = 1;
    state.previewPictureSize = 77;
    d.refreshNoiseForGradientChange("volcanic.bmp", "volcanic.bmp");
    EXPECT_EQ(state.previewMapSize, 256);
    EXPECT_EQ(state.previewPictureSize, 77); // a gradient change leaves it
    EXPECT_EQ(state.recipe.gradient1, "volcanic.bmp");
}

TEST_F(DriverTest, TerrainBuildChecksTheSizeAndEvaluatesAt512) {
    GenerationDriver d = driver();
    state.finalStage.terrainSizeText = "0";
    EXPECT_FALSE(d.generatePreviewTerrain());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0],
              std::make_pair(QString("Error"),
                             QString("nice try... please enter a terrain size higher than 0")));
    EXPECT_EQ(evaluations(), 0);

    state.finalStage.terrainSizeText = "abc";
    EXPECT_FALSE(d.generatePreviewTerrain());

    state.finalStage.setTerrainSize(3);
    EXPECT_EQ(state.finalStage.terrainSizeText, "1000");
    EXPECT_EQ(state.finalStage.terrainHeightUp, 100);
    state.customTerrainLoaded = true;
    state.recipe.inputs[0].type = int(InputType::Perlin);
    state.finalStage.terrainHeightLow = -20;
    EXPECT_TRUE(d.generatePreviewTerrain());
    EXPECT_EQ(state.finalHeightMap.GetWidth(), 512);
    // The terrain arrays follow the terrain size and height range.
    ASSERT_EQ(state.terrain.gridSide, 512);
    ASSERT_EQ(state.decimatedTerrain.gridSide, 128);
    EXPECT_EQ(state.terrain.vertices[0], -500.0f);
    float low = 1e9f, high = -1e9f;
    for (std::size_t k = 1; k < state.terrain.vertices.size(); k += 3) {
        low = std::min(low, state.terrain.vertices[k]);
        high = std::max(high, state.terrain.vertices[k]);
    }
    EXPECT_EQ(low, -20.0f);
    EXPECT_EQ(high, 100.0f);
    EXPECT_EQ(log.lines.mid(log.lines.size() - 2),
              (QStringList{"building terrain arrays\n", "build decimated terrain arrays\n"}));
    EXPECT_TRUE(state.terrainExists);
    EXPECT_FALSE(state.customTerrainLoaded);
    EXPECT_FALSE(state.finalFlag);
    EXPECT_TRUE(progress.events.contains("busy:creating terrain ...\n\n1/2"));
    EXPECT_TRUE(view.previews.empty());
}

TEST_F(DriverTest, TemporaryPicturesAreRemoved) {
    GenerationDriver d = driver();
    state.recipe.gradient2 = "alpine.bmp";
    d.evaluate();
    ASSERT_EQ(mapsFiles().size(), 14);
    QFile keep(paths.mapFile("user.jpg"));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    QFile thumb(paths.mapFile("NMapFFnoisePreviewThumb.jpg"));
    ASSERT_TRUE(thumb.open(QIODevice::WriteOnly));
    thumb.close();
    d.removeTemporaryPictures();
    EXPECT_EQ(mapsFiles(), QStringList{"user.jpg"});
    EXPECT_EQ(log.lines.last(), "removing temp files...\n");
}

TEST_F(DriverTest, ColourGradientArrayReadsTheTopRowOfGradient1) {
    GenerationDriver d = driver();
    state.recipe.gradient1 = "alpine.bmp";
    d.fillColorGradientArray();
    const QImage picture(paths.gradientFile("alpine.bmp"));
    for (int x : {0, 700, 2047}) {
        EXPECT_EQ(state.colorGradient[std::size_t(x)][0], float(qRed(picture.pixel(x, 0))));
        EXPECT_EQ(state.colorGradient[std::size_t(x)][2], float(qBlue(picture.pixel(x, 0))));
    }
    const auto before = state.colorGradient;
    state.recipe.gradient1 = "missing.bmp";
    d.fillColorGradientArray();
    EXPECT_EQ(state.colorGradient, before);
}

TEST_F(DriverTest, LoadingAPresetEvaluatesOnceInTextureStyle) {
    GenerationDriver d = driver();
    const QString file = QDir(root()).filePath("p.ipf");
    QFile preset(file);
    ASSERT_TRUE(preset.open(QIODevice::WriteOnly));
    preset.write("I1Type=5\nI1seedNumber=4\ngradient1=alpine.bmp\ngradient2=nothere.bmp\n");
    preset.close();

    d.loadPreset(file, 1);
    EXPECT_EQ(log.lines.first(), "loading preset " + file + "\n");
    EXPECT_EQ(evaluations(), 1);
    EXPECT_FALSE(state.loading);
    EXPECT_EQ(state.finalStage.mapStyle, 1);
    EXPECT_EQ(state.recipe.inputs[0].type, int(InputType::Perlin));
    EXPECT_EQ(state.recipe.gradient1, "alpine.bmp");
    // Not in the list: the first gradient (by name) with a warning.
    EXPECT_EQ(state.recipe.gradient2, "alpine.bmp");
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "Gradient file not found, defaulting to first one");
    EXPECT_EQ(progress.events.last(), "status:loaded preset: " + file);

    // A missing file reads as empty: still one evaluation and the status.
    d.loadPreset(QDir(root()).filePath("none.ipf"), 1);
    EXPECT_EQ(evaluations(), 2);
}

TEST_F(DriverTest, SavedPresetLoadsBackAndUnsafeNamesAreRefused) {
    GenerationDriver d = driver();
    SequenceSeedSource seeds(7);
    state.recipe = TerrainRecipe::startup(seeds);
    state.recipe.inputs[1].type = int(InputType::Billow);
    state.recipe.gradient1 = "alpine.bmp";
    d.evaluate();
    ASSERT_TRUE(d.savePreset("my hills"));
    EXPECT_EQ(log.lines.last(), "preset saved\n");
    EXPECT_EQ(QImage(paths.userPresetsDir() + "/my hills.jpg").size(), QSize(128, 128));

    const TerrainRecipe saved = state.recipe;
    state.recipe = TerrainRecipe();
    d.loadPreset(paths.userPresetsDir() + "/my hills.ipf", 1);
    EXPECT_EQ(state.recipe, saved);

    EXPECT_FALSE(d.savePreset(""));
    for (const QString& name : {QString("../escape"), QString("a/b"), QString("..")}) {
        notifier.messages.clear();
        EXPECT_FALSE(d.savePreset(name)) << name.toStdString();
        EXPECT_EQ(notifier.messages.size(), 1u);
    }
    EXPECT_FALSE(QFile::exists(paths.dataDir + "/escape.ipf"));
}

} // namespace
} // namespace morvane
