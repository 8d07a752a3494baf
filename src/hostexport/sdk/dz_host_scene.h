#pragma once

#include "hostexport/host_scene.h"

#include "dznode.h"

#include <QPointer>

class DzShape;

namespace morvane {

class EventLog;
class RandomSource;

// The scene build through the host SDK: the host's importer, content
// manager, scene, materials, shader bricks, cameras and active 3D view.
// Keeps the terrain node (props are parented to it) and the last prop node
// (clones copy it) across calls.
class DzHostScene : public HostScene {
public:
    // `log` takes the shader's failure lines; `random` the morph values.
    DzHostScene(EventLog& log, RandomSource& random);

    int nodeCount() const override;
    QString nodeName(int index) const override;
    void removeNode(int index) override;

    bool addSkyDome(const QString& meshFile, float importScale, float nodeScale,
                    const QString& texturePath) override;
    bool addCustomTerrain(const QString& objFile, float importScale,
                          const QString& name) override;
    bool loadTerrainOBJ(const QString& objFile, SceneVec position,
                        const std::array<int, 3>& rotation, float importScale,
                        const QString& name, bool subdivision) override;
    SceneBox terrainBox() const override;
    bool loadPP2(const QString& file, const PropPlacement& placement, int morphPercent,
                 bool* hasChildren) override;
    bool duplicateNode(int itemIndex, const PropPlacement& placement,
                       int morphPercent) override;
    bool applyTerrainShader(const TerrainShaderRequest& request) override;
    void addCamera(const CameraPlacement& camera, float focalLength) override;
    void addMainCamera(const QString& name, SceneVec rotation, float focalLength,
                       const SceneBox& box) override;
    void setBoundingBoxShadeStyle() override;
    void refreshImages() override;

    DzNode* terrainNode() const { return m_terrain; }

private:
    // The OBJ file with the importer's shared settings; null when it cannot
    // be read.
    static DzShape* importObj(const QString& path, float scale);
    // A new node named and labelled `name` holding `shape`, added to the
    // scene.
    static DzNode* addShapeNode(DzShape* shape, const QString& name);
    void parentToTerrain(DzNode* node);
    void randomiseMorphs(DzNode* node, int percent);

    EventLog& m_log;
    RandomSource& m_random;
    QPointer<DzNode> m_terrain;
    QPointer<DzNode> m_lastProp;
};

} // namespace morvane
