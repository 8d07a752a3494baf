#include "dzscene.h"

#include "dzconsole.h"
#include "dznode.h"

DzScene* dzScene = nullptr;

DzScene::DzScene(QObject* parent) : QObject(parent) {
    if (!dzScene)
        dzScene = this;
}

DzScene::~DzScene() {
    // Parents first would leave children pointing at freed parents: detach
    // all, then delete.
    const QList<DzNode*> nodes = m_nodes;
    m_nodes.clear();
    for (DzNode* node : nodes)
        node->disconnect(this);
    qDeleteAll(nodes);
    if (dzScene == this)
        dzScene = nullptr;
}

DzNode* DzScene::getNode(int index) const {
    return index >= 0 && index < m_nodes.size() ? m_nodes.at(index) : nullptr;
}

DzNode* DzScene::findNode(const QString& name) const {
    for (DzNode* node : m_nodes)
        if (node->getName() == name)
            return node;
    return nullptr;
}

bool DzScene::addNode(DzNode* node) {
    if (!node || m_nodes.contains(node)) {
        dzConsoleMessage(node ? QStringLiteral("node \"%1\" is already in the scene").arg(node->getName())
                              : QStringLiteral("addNode: no node given"));
        return false;
    }
    node->setParent(this);
    m_nodes.append(node);
    connect(node, &DzBase::nameChanged, this, &DzScene::nodeListChanged);
    connect(node, &DzElement::labelChanged, this, &DzScene::nodeListChanged);
    connect(node, &DzNode::hierarchyChanged, this, &DzScene::nodeListChanged);
    connect(node, &DzNode::hierarchyChanged, this, &DzScene::drawnDataChanged);
    connect(node, &DzNode::transformChanged, this, &DzScene::drawnDataChanged);
    connect(node, &DzNode::drawnDataChanged, this, &DzScene::drawnDataChanged);
    emit nodeAdded(node);
    for (int i = 0; i < node->getNumNodeChildren(); ++i)
        if (!m_nodes.contains(node->getNodeChild(i)))
            addNode(node->getNodeChild(i));
    emit nodeListChanged();
    emit drawnDataChanged();
    return true;
}

bool DzScene::removeNode(DzNode* node) {
    if (!node || !m_nodes.contains(node)) {
        dzConsoleMessage(QStringLiteral("removeNode: the node is not in the scene"));
        return false;
    }
    DzNode* parent = node->getNodeParent();
    while (node->getNumNodeChildren() > 0) {
        DzNode* child = node->getNodeChild(0);
        node->removeNodeChild(child, false);
        if (parent)
            parent->addNodeChild(child, false);
    }
    if (parent)
        parent->removeNodeChild(node, true);
    m_nodes.removeOne(node);
    node->disconnect(this);
    emit nodeRemoved(node);
    node->setParent(nullptr);
    node->deleteLater();
    emit nodeListChanged();
    emit drawnDataChanged();
    return true;
}

void DzScene::clear() {
    while (!m_nodes.isEmpty())
        removeNode(m_nodes.last());
}
