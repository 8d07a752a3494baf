#pragma once

#include <QTreeWidget>

class DzScene;

namespace morvane::host {

// The scene's nodes as a tree, children under their parents, each item
// showing the node's label (its name when it has none).
class SceneOutline : public QTreeWidget {
    Q_OBJECT
public:
    explicit SceneOutline(QWidget* parent = nullptr);
    // Follows `scene` from now on; null shows nothing.
    void setScene(DzScene* scene);

private:
    void rebuild();

    DzScene* m_scene = nullptr;
};

} // namespace morvane::host
