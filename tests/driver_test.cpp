#include "pipeline_fixture.h"

#include "recipe/node_types.h"

#include <QImage>

namespace morvane {
namespace {

using testing::writeFile;

using DriverTest = testing::PipelineFixture;

TEST_F(DriverTest, TerrainBuildChecksTheSizeAndEvaluatesAt512) {
    GenerationDriver d = driver();
    for (const char* size : {"0", "abc"}) {
        state.finalStage.terrainSizeText = size;
        EXPECT_FALSE(d.generatePreviewTerrain()) << size;
    }
    EXPECT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(evaluations(), 0);

    state.finalStage.setTerrainSize(3); // 1000 wide
    state.customTerrainLoaded = true;
    EXPECT_TRUE(d.generatePreviewTerrain());
    EXPECT_EQ(state.finalHeightMap.GetWidth(), 512);
    EXPECT_EQ(state.decimatedTerrain.gridSide, 128);
    EXPECT_EQ(state.terrain.vertices[0], -500.0f);
    EXPECT_TRUE(state.terrainExists);
    EXPECT_FALSE(state.customTerrainLoaded);
    EXPECT_TRUE(progress.events.contains("busy:creating terrain ...\n\n1/2"));
}

// The user's own pictures in the maps folder survive the clean-up.
TEST_F(DriverTest, TemporaryPicturesAreRemovedAndGradient1FillsTheColourArray) {
    GenerationDriver d = driver();
    d.evaluate();
    ASSERT_EQ(mapsFiles().size(), 11);
    ASSERT_TRUE(writeFile(paths.mapFile("user.jpg")));
    d.removeTemporaryPictures();
    EXPECT_EQ(mapsFiles(), QStringList{"user.jpg"});

    state.recipe.gradient1 = "alpine.bmp";
    d.fillColorGradientArray();
    EXPECT_EQ(state.colorGradient[700][0],
              float(qRed(QImage(paths.gradientFile("alpine.bmp")).pixel(700, 0))));
    const auto before = state.colorGradient;
    state.recipe.gradient1 = "missing.bmp";
    d.fillColorGradientArray();
    EXPECT_EQ(state.colorGradient, before);
}

TEST_F(DriverTest, PresetsLoadInTextureStyleAndSaveUnderSafeNamesOnly) {
    GenerationDriver d = driver();
    const QString file = QDir(root()).filePath("p.ipf");
    ASSERT_TRUE(writeFile(file, "I1Type=5\ngradient1=alpine.bmp\ngradient2=nothere.bmp\n"));
    d.loadPreset(file, 1);
    EXPECT_EQ(evaluations(), 1);
    EXPECT_FALSE(state.loading);
    EXPECT_EQ(state.finalStage.mapStyle, 1);
    EXPECT_EQ(state.recipe.gradient2, "alpine.bmp"); // unknown: the first by name, with a warning
    EXPECT_EQ(notifier.messages.size(), 1u);
    d.loadPreset(QDir(root()).filePath("none.ipf"), 1); // reads as empty, still evaluates
    EXPECT_EQ(evaluations(), 2);

    for (const QString& name : {QString(), QString("../escape"), QString("a\\b")})
        EXPECT_FALSE(d.savePreset(name)) << name.toStdString();
    EXPECT_EQ(notifier.messages.size(), 3u); // an empty name is a cancel: no warning
    EXPECT_FALSE(QFile::exists(paths.userPresetsDir() + "/escape.ipf"));
    ASSERT_TRUE(d.savePreset("my hills"));
    EXPECT_TRUE(QFile::exists(paths.userPresetsDir() + "/my hills.ipf"));
}

} // namespace
} // namespace morvane
