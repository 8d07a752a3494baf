#include "pipeline_fixture.h"

#include "hostexport/terrain_export.h"
#include "recipe/node_types.h"

namespace morvane {
namespace {

using testing::PipelineFixture;
using testing::readFile;

class StreamedExportTest : public PipelineFixture {
protected:
    void SetUp() override {
        PipelineFixture::SetUp();
        state.recipe.inputs[0].type = int(InputType::Perlin);
        state.recipe.inputs[0].seedNumber = 4;
        state.recipe.inputs[1].type = int(InputType::MultiFractal);
        state.recipe.combiner.terrainType = int(CombinerType::Select);
        state.recipe.combiner.noiseType = int(InputType::Billow);
        state.recipe.combiner.falloff = 25;
        state.recipe.turbulence.power = 30;
        state.recipe.turbulence.frequency = 50;
        state.finalStage.lightOn = true;
    }

    struct Files {
        QByteArray texture, normalMap, height;
    };
    Files exportWith(bool plain, int textureSize, int normalMapSize) {
        context.plainStages = plain;
        context.threadCount = plain ? 1 : 0;
        GenerationDriver d = driver();
        if (!d.generatePreviewTerrain())
            return {};
        TerrainExportRequest request;
        request.textureSize = textureSize;
        request.normalMapSize = normalMapSize;
        const TerrainExportResult result = exportTerrain(d, state.terrain, request);
        EXPECT_TRUE(result.ok) << result.error.toStdString();
        return {readFile(result.textureFile), readFile(result.normalMapFile),
                readFile(paths.mapFile("HFFnoisePreview.jpg"))};
    }
};

// Streamed row by row, the export writes the in-memory path's bytes: one
// gradient and the two-gradient mix (sampled in bands of 64 rows: one band,
// and several with a short last one), the normal map at the texture size
// and re-evaluated at another.
TEST_F(StreamedExportTest, StreamedTextureAndNormalMapEqualTheInMemoryPath) {
    const struct {
        const char* gradient2;
        int textureSize, normalMapSize;
    } cases[] = {{"alpine.bmp", 64, 64},
                 {"volcanic.bmp", 48, 64},
                 {"volcanic.bmp", 40, 0},
                 {"volcanic.bmp", 130, 130}};
    state.recipe.gradient1 = "alpine.bmp";
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.gradient2 << " " << c.textureSize << " "
                                          << c.normalMapSize);
        state.recipe.gradient2 = c.gradient2;
        const Files inMemory = exportWith(true, c.textureSize, c.normalMapSize);
        const Files streamed = exportWith(false, c.textureSize, c.normalMapSize);
        ASSERT_FALSE(inMemory.texture.isEmpty());
        EXPECT_TRUE(streamed.texture == inMemory.texture);
        EXPECT_TRUE(streamed.height == inMemory.height);
        EXPECT_TRUE(streamed.normalMap == inMemory.normalMap);
        EXPECT_EQ(streamed.normalMap.isEmpty(), c.normalMapSize == 0);
    }
}

// No texture is copied from an older evaluation when the maps do not fit.
TEST_F(StreamedExportTest, ExportBeyondTheMemoryLimitFailsAndKeepsThePreviousFiles) {
    const Files before = exportWith(false, 32, 32);
    ASSERT_FALSE(before.texture.isEmpty());
    context.mapMemoryLimit = 40 * 40 * sizeof(float);
    GenerationDriver d = driver();
    TerrainExportRequest request;
    request.textureSize = 64;
    request.normalMapSize = 64;
    const TerrainExportResult result = exportTerrain(d, state.terrain, request);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, GraphEvaluator::outOfMemoryText(64));
    EXPECT_EQ(readFile(paths.mapFile("NormalMap_my Terrain 1.jpg")), before.normalMap);
    EXPECT_EQ(readFile(paths.mapFile("TFFnoisePreview.jpg")), before.texture);
    EXPECT_EQ(notifier.messages.back().second, GraphEvaluator::outOfMemoryText(64));
}

} // namespace
} // namespace morvane
