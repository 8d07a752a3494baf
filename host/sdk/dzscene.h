#pragma once

#include "dzcore_export.h"

#include <QList>
#include <QObject>

class DzNode;

// The nodes of the open scene, in the order they were added. The scene owns
// them; a removed node is deleted once control returns to the event loop.
class DZCORE_EXPORT DzScene : public QObject {
    Q_OBJECT
public:
    explicit DzScene(QObject* parent = nullptr);
    ~DzScene() override;

    int getNumNodes() const { return int(m_nodes.size()); }
    DzNode* getNode(int index) const;
    // The first node with that name; null when none.
    DzNode* findNode(const QString& name) const;
    int findNodeIndex(const DzNode* node) const { return int(m_nodes.indexOf(const_cast<DzNode*>(node))); }

    // Appends the node and then its children not yet in the scene. False
    // (console message) for null or a node already there.
    bool addNode(DzNode* node);
    // Takes the node out; its children stay in the scene, keeping their
    // world transform, under the node's parent. False when not in the scene.
    bool removeNode(DzNode* node);
    // Removes every node.
    void clear();

signals:
    void nodeAdded(DzNode* node);
    void nodeRemoved(DzNode* node);
    // Names, labels or parents changed: the outline redraws.
    void nodeListChanged();
    // Something drawn changed: the views repaint.
    void drawnDataChanged();

private:
    QList<DzNode*> m_nodes;
};

// The open scene; null when the host has none.
extern DZCORE_EXPORT DzScene* dzScene;
