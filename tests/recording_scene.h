#pragma once

#include "hostexport/host_scene.h"
#include "hostexport/scene_creator.h"

#include <QFileInfo>
#include <QSet>
#include <QStringList>

namespace morvane::testing {

// A host scene that keeps node names and records every call as one line.
struct RecordingScene : HostScene {
    QStringList nodes;
    QStringList calls;
    QSet<QString> failingFiles;   // loads of these files fail
    QSet<QString> propsWithChildren;
    bool shaderFails = false;
    QStringList labels;           // label of each prop node, in scene order
    SceneBox box{{-5000, 0, -5000}, {5000, 800, 5000}, false};

    int nodeCount() const override { return nodes.size(); }
    QString nodeName(int index) const override { return nodes.value(index); }
    void removeNode(int index) override {
        calls << "remove " + nodes[index];
        nodes.removeAt(index);
    }
    bool addSkyDome(const QString& mesh, float importScale, float nodeScale,
                    const QString& texture) override {
        calls << QStringLiteral("skyDome %1 %2 %3 %4")
                     .arg(QFileInfo(mesh).fileName())
                     .arg(importScale)
                     .arg(nodeScale)
                     .arg(QFileInfo(texture).fileName());
        nodes << "skyDome";
        return true;
    }
    bool addCustomTerrain(const QString& file, float importScale, const QString& name) override {
        calls << QStringLiteral("customTerrain %1 %2").arg(QFileInfo(file).fileName()).arg(importScale);
        nodes << name;
        return true;
    }
    bool loadTerrainOBJ(const QString& file, SceneVec, const std::array<int, 3>&, float scale,
                        const QString& name, bool subdivision) override {
        calls << QStringLiteral("terrain %1 %2 %3")
                     .arg(QFileInfo(file).fileName())
                     .arg(scale)
                     .arg(subdivision);
        nodes << name;
        return true;
    }
    SceneBox terrainBox() const override { return box; }
    bool loadPP2(const QString& file, const PropPlacement& p, int morphs,
                 bool* hasChildren) override {
        const QString base = QFileInfo(file).completeBaseName();
        calls << QStringLiteral("load %1 %2,%3,%4 %5").arg(base).arg(p.position.x)
                     .arg(p.position.y).arg(p.position.z).arg(morphs);
        if (failingFiles.contains(base))
            return false;
        nodes << base;
        labels << base;
        *hasChildren = propsWithChildren.contains(base);
        return true;
    }
    bool duplicateNode(int index, const PropPlacement&, int) override {
        const CloneNames names = cloneNames(labels.last());
        calls << QStringLiteral("duplicate %1 %2").arg(index).arg(names.label);
        nodes << names.name;
        labels << names.label;
        return true;
    }
    bool applyTerrainShader(const TerrainShaderRequest& r) override {
        calls << QStringLiteral("shader %1 %2").arg(QFileInfo(r.texturePath).fileName())
                     .arg(r.useNormalMap ? QFileInfo(r.normalMapPath).fileName() : "-");
        return !shaderFails;
    }
    void addCamera(const CameraPlacement& c, float focal) override {
        calls << QStringLiteral("camera %1 %2").arg(c.name).arg(focal);
        nodes << c.name;
    }
    void addMainCamera(const QString& name, SceneVec rotation, float focal,
                       const SceneBox&) override {
        calls << QStringLiteral("main %1 %2 %3 %4").arg(name).arg(rotation.x).arg(rotation.y)
                     .arg(focal);
        nodes << name;
    }
    void setBoundingBoxShadeStyle() override { calls << "boxes"; }
    void refreshImages() override { calls << "refresh"; }

    QStringList callsStartingWith(const QString& prefix) const {
        QStringList found;
        for (const QString& call : calls)
            if (call.startsWith(prefix))
                found << call;
        return found;
    }
};

struct RecordingStatus : SceneStatus {
    QStringList events;
    void setStatusText(const QString& text) override { events << "text:" + text; }
    void setWaiting(bool waiting) override { events << (waiting ? "wait" : "done"); }
};

} // namespace morvane::testing
