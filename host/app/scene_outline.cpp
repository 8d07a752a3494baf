#include "scene_outline.h"

#include "dznode.h"
#include "dzscene.h"

namespace morvane::host {

SceneOutline::SceneOutline(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("sceneOutline"));
    setHeaderLabels({QStringLiteral("Node")});
}

void SceneOutline::setScene(DzScene* scene) {
    if (m_scene)
        m_scene->disconnect(this);
    m_scene = scene;
    if (scene)
        connect(scene, &DzScene::nodeListChanged, this, &SceneOutline::rebuild);
    rebuild();
}

void SceneOutline::rebuild() {
    clear();
    if (!m_scene)
        return;
    // Parents come before their children in neither order nor depth: make
    // an item per node first, then hang each under its parent's.
    QHash<const DzNode*, QTreeWidgetItem*> items;
    for (int i = 0; i < m_scene->getNumNodes(); ++i) {
        const DzNode* node = m_scene->getNode(i);
        auto* item = new QTreeWidgetItem(
            {node->getLabel().isEmpty() ? node->getName() : node->getLabel()});
        item->setData(0, Qt::UserRole, node->getName());
        items.insert(node, item);
    }
    for (int i = 0; i < m_scene->getNumNodes(); ++i) {
        const DzNode* node = m_scene->getNode(i);
        QTreeWidgetItem* parentItem = items.value(node->getNodeParent());
        if (parentItem)
            parentItem->addChild(items.value(node));
        else
            addTopLevelItem(items.value(node));
    }
    expandAll();
}

} // namespace morvane::host
