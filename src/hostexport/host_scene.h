#pragma once

#include "hostexport/scene_layout.h"

#include <QString>

namespace morvane {

// A world-space box in centimetres; empty when the node had no geometry.
struct SceneBox {
    SceneVec min;
    SceneVec max;
    bool empty = true;
};

struct TerrainShaderRequest {
    QString groupName;
    QString texturePath;   // the terrain's colour texture
    QString normalMapPath; // the normal map; used only when useNormalMap
    bool useNormalMap = false;
};

// The scene-building calls the plug-in makes into its host, one call per
// step of a build. The host SDK implements it for the plug-in; tests record
// the calls. Results say whether the host made what was asked (a missing
// file, a class the host lacks), so a build can report and carry on.
class HostScene {
public:
    virtual ~HostScene() = default;

    virtual int nodeCount() const = 0;
    virtual QString nodeName(int index) const = 0;
    virtual void removeNode(int index) = 0;
    bool hasNode(const QString& name) const {
        for (int i = 0; i < nodeCount(); ++i)
            if (nodeName(i) == name)
                return true;
        return false;
    }

    // Imports `meshFile` as the node "skyDome", scales it uniformly by
    // `nodeScale`, turns its shadow off and gives it the material "Sky
    // Default" showing `texturePath`.
    virtual bool addSkyDome(const QString& meshFile, float importScale, float nodeScale,
                            const QString& texturePath) = 0;
    // A custom terrain OBJ as the terrain node, where it was modelled.
    virtual bool addCustomTerrain(const QString& objFile, float importScale,
                                  const QString& name) = 0;
    // The exported terrain `objFile` as the terrain node, placed and turned;
    // with `subdivision` its mesh gets subdivision at the "Base" level.
    virtual bool loadTerrainOBJ(const QString& objFile, SceneVec position,
                                const std::array<int, 3>& rotation, float importScale,
                                const QString& name, bool subdivision) = 0;
    virtual SceneBox terrainBox() const = 0;

    // Opens a prop file into the scene, places its node, parents it to the
    // terrain node and sets its morphs at random up to `morphPercent`.
    // `hasChildren` tells whether the prop's node has child nodes.
    virtual bool loadPP2(const QString& file, const PropPlacement& placement, int morphPercent,
                         bool* hasChildren) = 0;
    // Clones the last prop node (geometry shared, labels counted on) and
    // places the clone under the terrain node.
    virtual bool duplicateNode(int itemIndex, const PropPlacement& placement,
                               int morphPercent) = 0;

    // Gives the terrain node's first shape a brick material with the
    // terrain shader network. False when the network could not be built (the
    // reason is in the log); the material is used either way.
    virtual bool applyTerrainShader(const TerrainShaderRequest& request) = 0;

    virtual void addCamera(const CameraPlacement& camera, float focalLength) = 0;
    // The camera of the host's active 3D view, turned like the plug-in's
    // viewport and framed on `box`.
    virtual void addMainCamera(const QString& name, SceneVec rotation, float focalLength,
                               const SceneBox& box) = 0;
    // The active 3D view draws solid bounding boxes.
    virtual void setBoundingBoxShadeStyle() = 0;
    // Pictures written during the build are read again.
    virtual void refreshImages() = 0;
};

} // namespace morvane
