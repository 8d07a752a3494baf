#include "scene_fixture.h"

#include <QImage>

namespace morvane {
namespace {

using testing::readFile;
using testing::writeFile;

class SceneCreatorTest : public testing::SceneFixture {
protected:
    void plantOldFiles(const QString& group) {
        ASSERT_TRUE(QDir().mkpath(paths.mapsDir()));
        for (const QString& name : {group + ".obj", group + ".jpg", QString("other.jpg")})
            ASSERT_TRUE(writeFile(mapsFile(name), "old"));
    }
};

TEST_F(SceneCreatorTest, BuildRunsEveryStepInOrderAndLoadsOrClonesByModelSlot) {
    request.groupName = "T";
    request.normalMapSize = 32; // the texture size: no second evaluation
    request.boundingBoxes = true;
    request.morphPercent = 40;
    request.viewportPitch = 20.0f;
    request.viewportYaw = 135.0f;
    items = {item("pine", 3, 1.0f), item("pine", 3), item("rock", 5), item("", 5),
             item("rock", 5)};
    const SceneResult result = build();

    EXPECT_TRUE(result.built && result.terrainMade && result.shaderMade);
    EXPECT_EQ(result.propsPlaced, 4);
    EXPECT_EQ(scene.calls,
              (QStringList{"terrain T.obj 100 0", "load pine 100,50,-100 40", "duplicate 1 pine_1",
                           "load rock 0,50,-100 40", "duplicate 4 rock_1",
                           "shader T.jpg NormalMap_T.jpg", "camera T NW Camera 30",
                           "camera T NE Camera 30", "camera T SE Camera 30",
                           "camera T SW Camera 30", "main T Main Camera -20 -135 45", "boxes",
                           "refresh"}));
    for (const char* file : {"T.obj", "T.jpg", "NormalMap_T.jpg"})
        EXPECT_TRUE(QFile::exists(mapsFile(file))) << file;
    EXPECT_TRUE(prompts.boxes.isEmpty()) << prompts.boxes.join('\n').toStdString();
}

TEST_F(SceneCreatorTest, OverwriteYesRemovesOnlyTheGroupsFilesAndTheChosenNodes) {
    request.groupName = "T";
    plantOldFiles("T");
    scene.nodes = QStringList{"T", "keep", "T", "T NW Camera", "T Main Camera", "T"};
    prompts.answers = {true, true, false, true}; // overwrite; delete, keep, delete
    build();
    EXPECT_EQ(prompts.boxes.size(), 4);
    EXPECT_EQ(scene.callsStartingWith("remove"),
              (QStringList{"remove T", "remove T", "remove T Main Camera", "remove T NW Camera"}));
    EXPECT_EQ(scene.nodes.mid(0, 2), (QStringList{"keep", "T"}));
    EXPECT_EQ(readFile(mapsFile("other.jpg")), "old");
    EXPECT_NE(readFile(mapsFile("T.obj")), "old");
}

TEST_F(SceneCreatorTest, OverwriteCancelKeepsFilesBuildsOnlyTheSkyDomeAndClearsTheStatus) {
    request.groupName = "T";
    request.skyMapSize = 64;
    plantOldFiles("T");
    scene.nodes = QStringList{"T"};
    const SceneResult result = build();
    EXPECT_FALSE(result.built);
    EXPECT_TRUE(result.skyDomeMade);
    EXPECT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(readFile(mapsFile("T.obj")), "old");
    EXPECT_EQ(scene.calls, (QStringList{"skyDome skydome.obj 100 10 T_skyDome.jpg", "refresh"}));
    EXPECT_EQ(QImage(mapsFile("T_skyDome.jpg")).size(), QSize(64, 64));
    EXPECT_EQ(status.events, (QStringList{"text:", "done"}));
    EXPECT_FALSE(log.lines.contains("start creating DAZ scene\n"));
}

TEST_F(SceneCreatorTest, EmptyNameMakesAtMostTheSkyDomeAndAsksForAName) {
    request.groupName = "";
    request.skyMapSize = 64;
    build();
    EXPECT_EQ(prompts.boxes, QStringList{"Error|Please enter a terrain group name"});
    EXPECT_EQ(scene.calls, (QStringList{"skyDome skydome.obj 100 10 _skyDome.jpg", "refresh"}));
}

TEST_F(SceneCreatorTest, SecondBuildKeepsTheOneSkyDome) {
    request.groupName = "T";
    request.skyMapSize = 64;
    build();
    prompts.answers = {true}; // overwrite the first build's files
    build();
    EXPECT_EQ(scene.callsStartingWith("skyDome").size(), 1);
    EXPECT_EQ(scene.nodes.count("skyDome"), 1);
}

TEST_F(SceneCreatorTest, FailuresAreReportedAndTheBuildGoesOn) {
    // Items of a prop that will not load are never cloned from another node.
    request.groupName = "T";
    items = {item("pine", 1), item("ghost", 2), item("ghost", 2), item("pine", 1)};
    scene.failingFiles = QSet<QString>{"ghost"};
    scene.shaderFails = true;
    SceneResult result = build();
    EXPECT_TRUE(result.terrainMade);
    EXPECT_EQ(result.propsFailed, 2);
    EXPECT_EQ(scene.callsStartingWith("duplicate").size(), 0);
    EXPECT_EQ(scene.callsStartingWith("load").size(), 3);
    EXPECT_EQ(prompts.boxes, QStringList{"Error|Terrain shader could not be created!"});
    EXPECT_EQ(scene.callsStartingWith("camera").size(), 4);
    EXPECT_TRUE(status.events[status.events.size() - 2].endsWith(
        "\n2 props could not be loaded (see the log)."));

    // A custom terrain that is gone: no success text, the rest still made.
    prompts.answers = {true};
    prompts.boxes.clear();
    scene = {};
    items.clear();
    request.customTerrain = true;
    request.customTerrainFile = root() + "/gone.obj";
    result = build();
    EXPECT_TRUE(result.built);
    EXPECT_FALSE(result.terrainMade);
    EXPECT_EQ(scene.callsStartingWith("shader").size(), 0);
    EXPECT_EQ(scene.callsStartingWith("main").size(), 1);
    EXPECT_TRUE(status.events[status.events.size() - 2].startsWith(
        "text:The Studio scene is incomplete:\nThe terrain OBJ could not be imported: "));
}

TEST_F(SceneCreatorTest, UnsafeGroupNamesAreRefusedBeforeAnythingIsWrittenOrDeleted) {
    ASSERT_TRUE(QDir().mkpath(paths.mapsDir()));
    ASSERT_TRUE(writeFile(paths.dataDir + "/evil.obj", "old"));
    request.skyMapSize = 64;
    for (const char* name : {"../evil", "a\\b", ".."}) {
        prompts.boxes.clear();
        prompts.answers = {true, true};
        request.groupName = name;
        const SceneResult result = build();
        EXPECT_FALSE(result.built) << name;
        ASSERT_EQ(prompts.boxes.size(), 1) << name;
        EXPECT_TRUE(prompts.boxes[0].startsWith("Error|")) << name;
    }
    EXPECT_TRUE(scene.calls.isEmpty()) << scene.calls.join('\n').toStdString();
    EXPECT_EQ(readFile(paths.dataDir + "/evil.obj"), "old");
    EXPECT_TRUE(mapsFiles().isEmpty());
}

} // namespace
} // namespace morvane
