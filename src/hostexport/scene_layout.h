#pragma once

#include "viewport/item_record.h"

#include <QString>
#include <QStringList>

#include <array>

namespace morvane {

struct SceneVec {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    bool operator==(const SceneVec& o) const { return x == o.x && y == o.y && z == o.z; }
};

// A camera of the host scene: position in centimetres, rotation in degrees.
struct CameraPlacement {
    QString name;
    SceneVec position;
    SceneVec rotation;
};

// The four cameras at the terrain's corners, looking down on its centre,
// in the order NW, NE, SE, SW. `heightUp` is the terrain height maximum.
std::array<CameraPlacement, 4> cornerCameras(const QString& groupName, int terrainSize,
                                             int heightUp);
// The main camera looks the way the viewport does: its X and Y rotations
// are the viewport's pitch and yaw negated.
SceneVec mainCameraRotation(float viewportPitch, float viewportYaw);
// The five camera node names a build makes for a group (main camera first).
QStringList sceneCameraNames(const QString& groupName);

// A painted item as the host places it.
struct PropPlacement {
    SceneVec position;              // centimetres
    std::array<int, 3> rotation{};  // degrees
    float scale = 1.0f;             // the overall scale, a factor; not applied
    SceneVec scaleFactors{1.0f, 1.0f, 1.0f};
};
// Scene units to centimetres, percentages to factors.
PropPlacement propPlacement(const ItemRecord& item);

// Label and name of the clone of a node labelled `sourceLabel`: "Tree" ->
// "Tree_1" / "Tree__1", "Tree_1" -> "Tree_2" / "Tree__2".
struct CloneNames {
    QString label;
    QString name;
};
CloneNames cloneNames(const QString& sourceLabel);

// How each painted item reaches the host, in list order: its prop file is
// loaded, the node made for the item before is cloned, or it is skipped.
// A clone needs a source of the same model slot without child nodes (a
// clone copies one node, not a hierarchy); an item whose file failed to
// load is skipped rather than cloned from an unrelated node.
class PropSequence {
public:
    enum class Step { Load, Duplicate, Skip };
    Step next(const ItemRecord& item);
    // The outcome of the last Load step.
    void loaded(bool ok, bool hasChildren);

private:
    bool m_haveSource = false;
    bool m_sourceHasChildren = false;
    int m_lastSlot = 0;
    QString m_lastFile;
    bool m_lastFailed = false;
};

// "<maps>/<group>_skyDome.jpg" with the name's white space trimmed and
// inner runs made one space; the folder part is kept as it is.
QString skyDomeTexturePath(const QString& mapsDir, const QString& groupName);

// The value of a morph: 0..percent, in hundredths.
class RandomSource;
float randomMorphValue(RandomSource& random, int percent);

} // namespace morvane
