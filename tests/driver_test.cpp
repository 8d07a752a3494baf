#include "pipeline_fixture.h"

#include "recipe/node_types.h"

#include <QImage>

namespace morvane {
namespace {

using testing::writeFile;

class DriverTest : public testing::PipelineFixture {
protected:
    int evaluations() const { return log.lines.count("generating noise maps...\n"); }
};

TEST_F(DriverTest, ManualModeWaitsForRefreshWhichTakesThePreviewSizeAndTheTextureLists) {
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
    EXPECT_EQ(state.recipe.gradient1, "australia 2.bmp"); // height previews keep the recipe's

    d.setAutoNoiseMode();
    d.recipeChanged();
    EXPECT_EQ(evaluations(), 2);
    ASSERT_TRUE(state.automaticMode);
    d.setRefreshButton(); // value changes only show the button, even in automatic mode
    EXPECT_EQ(evaluations(), 2);
    EXPECT_TRUE(state.refreshButtonVisible);

    d.setCurrentMapStyle(1);
    d.refreshNoise("alpine.bmp", "volcanic.bmp");
    EXPECT_EQ(evaluations(), 3);
    EXPECT_EQ(state.previewMapSize, 256);
    EXPECT_EQ(state.previewPictureSize, 256);
    EXPECT_EQ(state.recipe.gradient1, "alpine.bmp");
    EXPECT_EQ(state.recipe.gradient2, "volcanic.bmp");
}

TEST_F(DriverTest, TerrainBuildChecksTheSizeAndEvaluatesAt512) {
    GenerationDriver d = driver();
    for (const char* size : {"0", "abc"}) {
        state.finalStage.terrainSizeText = size;
        EXPECT_FALSE(d.generatePreviewTerrain()) << size;
    }
    EXPECT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(evaluations(), 0);

    state.finalStage.setTerrainSize(3); // 1000 wide, up to 100
    state.customTerrainLoaded = true;
    state.recipe.inputs[0].type = int(InputType::Perlin);
    state.finalStage.terrainHeightLow = -20;
    EXPECT_TRUE(d.generatePreviewTerrain());
    EXPECT_EQ(state.finalHeightMap.GetWidth(), 512);
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
    EXPECT_TRUE(state.terrainExists);
    EXPECT_FALSE(state.customTerrainLoaded);
    EXPECT_FALSE(state.finalFlag);
    EXPECT_TRUE(progress.events.contains("busy:creating terrain ...\n\n1/2"));
    EXPECT_TRUE(view.previews.empty());
}

TEST_F(DriverTest, TemporaryPicturesAreRemovedAndGradient1FillsTheColourArray) {
    GenerationDriver d = driver();
    state.recipe.gradient2 = "alpine.bmp";
    d.evaluate();
    ASSERT_EQ(mapsFiles().size(), 14);
    ASSERT_TRUE(writeFile(paths.mapFile("user.jpg")));
    ASSERT_TRUE(writeFile(paths.mapFile("NMapFFnoisePreviewThumb.jpg")));
    d.removeTemporaryPictures();
    EXPECT_EQ(mapsFiles(), QStringList{"user.jpg"});

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

TEST_F(DriverTest, PresetsLoadInTextureStyleAndSaveUnderSafeNamesOnly) {
    GenerationDriver d = driver();
    const QString file = QDir(root()).filePath("p.ipf");
    ASSERT_TRUE(
        writeFile(file, "I1Type=5\nI1seedNumber=4\ngradient1=alpine.bmp\ngradient2=nothere.bmp\n"));
    d.loadPreset(file, 1);
    EXPECT_EQ(evaluations(), 1);
    EXPECT_FALSE(state.loading);
    EXPECT_EQ(state.finalStage.mapStyle, 1);
    EXPECT_EQ(state.recipe.inputs[0].type, int(InputType::Perlin));
    EXPECT_EQ(state.recipe.gradient1, "alpine.bmp");
    EXPECT_EQ(state.recipe.gradient2, "alpine.bmp"); // unknown: the first by name, with a warning
    EXPECT_EQ(notifier.messages.size(), 1u);
    d.loadPreset(QDir(root()).filePath("none.ipf"), 1); // reads as empty, still evaluates
    EXPECT_EQ(evaluations(), 2);

    for (const QString& name : {QString(), QString("../escape"), QString("a\\b"), QString(".")})
        EXPECT_FALSE(d.savePreset(name)) << name.toStdString();
    EXPECT_EQ(notifier.messages.size(), 4u);
    EXPECT_TRUE(QDir(paths.dataDir).entryList({"*.ipf"}, QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(paths.userPresetsDir() + "/escape.ipf"));
    ASSERT_TRUE(d.savePreset("my hills"));
    EXPECT_TRUE(QFile::exists(paths.userPresetsDir() + "/my hills.ipf"));
}

} // namespace
} // namespace morvane
