#pragma once

#include "viewport/item_record.h"

#include <QString>

#include <vector>

namespace morvane {

class EventLog;
class GenerationDriver;
class HostScene;
class ProgressSink;
class RandomSource;
class UserPrompts;
struct SkyState;

// The CREATE tab's feedback while a scene is built: its status label and
// the wait cursor with the wait animation.
class SceneStatus {
public:
    virtual ~SceneStatus() = default;
    virtual void setStatusText(const QString& text) = 0;
    virtual void setWaiting(bool waiting) = 0;
};

class NullSceneStatus : public SceneStatus {
public:
    void setStatusText(const QString&) override {}
    void setWaiting(bool) override {}
};

// What the CREATE tab and the viewport say about the scene to build.
struct SceneRequest {
    QString groupName = QStringLiteral("my Terrain 1");
    int textureSize = 512;
    int normalMapSize = 0; // 0: "no thanks"
    int bumpSlider = 1000;
    int skyMapSize = 0;    // 0: "no thanks"
    bool subdivision = false;
    bool boundingBoxes = false;
    int morphPercent = 0;
    float viewportPitch = 0.0f;
    float viewportYaw = 0.0f;
    float fieldOfView = 45.0f;
    // A custom OBJ terrain replaces the export.
    bool customTerrain = false;
    QString customTerrainFile;
    float importScale = 100.0f;
    int terrainSize = 100;
    int terrainHeightUp = 10; // the terrain height maximum
};

struct SceneServices {
    GenerationDriver& driver;
    const ItemList& items;
    const SkyState& sky;
    RandomSource& stars;
    UserPrompts& prompts;
    EventLog& log;
    ProgressSink& progress;
    SceneStatus& status;
    HostScene& scene;
    int threads = 0;
};

struct SceneStepTime {
    QString step;
    double milliseconds = 0.0;
};

struct SceneResult {
    bool built = false;        // the build ran (not cancelled, a usable name)
    bool terrainMade = false;
    bool skyDomeMade = false;
    int propsPlaced = 0;
    int propsFailed = 0;
    bool shaderMade = false;
    std::vector<SceneStepTime> times; // in the order the steps ran
};

// "CREATE Studio SCENE !": asks before it overwrites a group's files, adds
// the sky dome, exports and imports the terrain, loads or clones every
// painted item under it, gives it its shader and adds five cameras.
SceneResult createScene(const SceneServices& services, const SceneRequest& request);

} // namespace morvane
