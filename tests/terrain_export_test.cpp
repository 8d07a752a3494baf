#include "pipeline_fixture.h"

#include "hostexport/g_format.h"
#include "hostexport/terrain_export.h"
#include "hostexport/terrain_obj_writer.h"
#include "pipeline/heightmap16.h"
#include "pipeline/normal_map.h"
#include "pipeline/terrain_arrays.h"
#include "recipe/node_types.h"

#include <QImage>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <tuple>

namespace morvane {
namespace {

// A small OBJ reader of its own, independent of the writer: vertices and
// texture coordinates as numbers, faces and any other line as text.
struct ParsedObj {
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::array<double, 2>> texCoords;
    QStringList faces, otherLines;
};

ParsedObj parseObj(const QString& path) {
    ParsedObj obj;
    for (const QByteArray& line : testing::readFile(path).split('\n')) {
        const QStringList parts = QString(line).simplified().split(' ');
        if (parts[0] == "v" && parts.size() == 4)
            obj.vertices.push_back({parts[1].toDouble(), parts[2].toDouble(), parts[3].toDouble()});
        else if (parts[0] == "vt" && parts.size() == 3)
            obj.texCoords.push_back({parts[1].toDouble(), parts[2].toDouble()});
        else if (parts[0] == "f")
            obj.faces << parts.join(' ');
        else if (!parts[0].isEmpty())
            obj.otherLines << parts.join(' ');
    }
    return obj;
}

TEST(GFormatTest, MatchesPrintfForAnyFloat) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> narrow(-20.0f, 20.0f);
    auto check = [](double value) {
        char fast[40] = {}, reference[40] = {};
        formatG(value, fast);
        std::snprintf(reference, sizeof reference, "%g", value);
        ASSERT_STREQ(fast, reference) << value;
    };
    for (double v : {0.0, -0.0, -1.0, 999999.5, 1e6, 1e-4, 1e-5, 123456789.0, 2.5e-300})
        check(v);
    for (int i = 0; i < 4000; ++i) {
        check(narrow(random));
        const std::uint32_t raw = std::uint32_t(random());
        float f;
        std::memcpy(&f, &raw, sizeof f);
        if (std::isfinite(f))
            check(f);
    }
}

class TerrainExportTest : public testing::PipelineFixture {};

TEST_F(TerrainExportTest, ExportWritesGridAndTextureAsAReaderSeesThemAndReportsFailures) {
    state.recipe.inputs[0].type = int(InputType::Perlin);
    state.recipe.inputs[0].seedNumber = 3;
    state.finalStage.terrainHeightLow = -5;
    state.finalStage.terrainHeightUp = 15;
    GenerationDriver d = driver();
    ASSERT_TRUE(d.generatePreviewTerrain());
    const TerrainArrays arrays = state.terrain;
    TerrainExportRequest request;
    request.groupName = "my Terrain 1";
    request.textureSize = 64;
    log.lines.clear();
    const TerrainExportResult result = exportTerrain(d, arrays, request);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.objFile, paths.mapFile("my Terrain 1.obj"));
    EXPECT_TRUE(result.normalMapFile.isEmpty());

    const ParsedObj obj = parseObj(result.objFile);
    ASSERT_EQ(std::make_tuple(obj.vertices.size(), obj.texCoords.size(), obj.faces.size()),
              std::make_tuple(size_t(262144), size_t(262144), 261121));
    EXPECT_TRUE(obj.otherLines.isEmpty());
    EXPECT_EQ(obj.faces[0], "f 1/1 513/513 514/514 2/2");
    EXPECT_EQ(obj.faces.last(), "f 261631/261631 262143/262143 262144/262144 261632/261632");
    EXPECT_EQ(obj.texCoords[511], (std::array<double, 2>{1.0, 1.0})); // last of row 0
    for (std::size_t k : {0, 777, 262143})
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const double actual = arrays.vertices[k * 3 + axis];
            EXPECT_NEAR(obj.vertices[k][axis], actual, std::max(1e-5, std::abs(actual) * 1e-5));
        }

    // A byte copy of the final texture, made at the texture size by a full evaluation.
    EXPECT_EQ(testing::readFile(result.textureFile),
              testing::readFile(paths.mapFile("TFFnoisePreview.jpg")));
    EXPECT_EQ(QImage(result.textureFile).width(), 64);
    EXPECT_EQ(log.lines.mid(log.lines.size() - 2),
              (QStringList{"create terrain OBJ\n", "terrain geometry generated\n"}));
    EXPECT_EQ(progress.events.last(), "status:terrain geometry generated");

    request.textureSize = 32;
    for (const QString& name : {QString("../x"), QString()}) {
        request.groupName = name;
        const TerrainExportResult refused = exportTerrain(d, arrays, request);
        EXPECT_FALSE(refused.ok) << name.toStdString();
        EXPECT_FALSE(refused.error.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(paths.dataDir + "/x.obj"));
    // An output folder that cannot exist (below a plain file).
    request.groupName = "t";
    request.outputDir = paths.mapFile("TFFnoisePreview.jpg") + "/out";
    log.lines.clear();
    EXPECT_FALSE(exportTerrain(d, arrays, request).ok);
    EXPECT_FALSE(log.lines.contains("terrain geometry generated\n"));
}

TEST_F(TerrainExportTest, NormalMapsFollowSizeBumpAndReevaluationRules) {
    EXPECT_EQ(normalMapBumpHeight(1000, 2048), 40.0);
    EXPECT_EQ(normalMapBumpHeight(100, 700), 1.0);

    GenerationDriver d = driver();
    d.evaluate(); // flat default recipe at the preview size
    NormalMapRequest preview;
    const QString thumb = generateNormalMap(d, preview);
    ASSERT_EQ(thumb, paths.mapFile("NMapFFnoisePreviewThumb.jpg"));
    EXPECT_EQ(QImage(thumb).width(), kPreviewSize);

    // Final at the texture size uses the map as it is; another size
    // re-evaluates first; "regen" always re-evaluates.
    NormalMapRequest final;
    final.isFinal = true;
    final.groupName = "g";
    final.textureSize = kPreviewSize;
    EXPECT_TRUE(generateNormalMap(d, final).isEmpty()); // "no thanks"
    final.normalMapSize = kPreviewSize;
    log.lines.clear();
    EXPECT_EQ(generateNormalMap(d, final), paths.mapFile("NormalMap_g.jpg"));
    EXPECT_TRUE(log.lines.isEmpty());
    final.normalMapSize = 48;
    state.smoothingFlag = false;
    generateNormalMap(d, final);
    EXPECT_FALSE(state.smoothingFlag); // the re-evaluation hands the flag back
    EXPECT_EQ(log.lines.first(), "create normal map from scratch\n");
    EXPECT_EQ(QImage(paths.mapFile("NormalMap_g.jpg")).width(), 48);
    log.lines.clear();
    final.manualUpdate = true;
    final.textureSize = 48;
    generateNormalMap(d, final);
    EXPECT_EQ(log.lines.first(), "manual updated of normal map\n");
}

TEST_F(TerrainExportTest, Heightmap16SpansTheFullRangeInPictureOrientation) {
    noise::utils::NoiseMap map(3, 2); // raster row 0 is the picture's bottom line
    const float values[2][3] = {{-2.0f, 0.0f, 1.0f}, {2.0f, -1.0f, 0.5f}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            map.SetValue(x, y, values[y][x]);
    const QString file = QDir(root()).filePath("h.png");
    ASSERT_TRUE(writeHeightmap16(map, file));
    const QImage picture(file);
    ASSERT_EQ(picture.format(), QImage::Format_Grayscale16);
    auto level = [](const QImage& image, int x, int y) {
        return reinterpret_cast<const quint16*>(image.constScanLine(y))[x];
    };
    EXPECT_EQ(level(picture, 0, 1), 0);
    EXPECT_EQ(level(picture, 0, 0), 65535);
    EXPECT_EQ(level(picture, 1, 1), 32768); // (0 + 2) / 4 of the range, rounded

    noise::utils::NoiseMap flat(4, 4);
    flat.Clear(3.0f); // no range: all black, no division by zero
    EXPECT_EQ(level(heightmap16(flat), 1, 2), 0);
    EXPECT_FALSE(writeHeightmap16(map, QDir(root()).filePath("no/such/dir/h.png")));
}

} // namespace
} // namespace morvane
