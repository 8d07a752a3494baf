#pragma once

#include "dzcore_export.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

// The host's content libraries: the Poser-style runtime folders the user
// configured, and the opening of content files into the scene.
class DZCORE_EXPORT DzContentMgr : public QObject {
    Q_OBJECT
public:
    explicit DzContentMgr(QObject* parent = nullptr);

    int getNumPoserDirectories() const { return int(m_poserDirectories.size()); }
    // An empty string for an index out of range.
    QString getPoserDirectory(int index) const;

    // Opens a Poser prop file (.pp2) into the scene: its geometry (OBJ
    // references and inline blocks, in Poser units: 1 unit = 8 ft) becomes one node
    // with an object, a facet shape, a default material per material group
    // and a morph per morph target, appended as the last scene node. False,
    // with the reason on the console and the scene unchanged, when the file
    // cannot be used. `merge` false clears the scene first.
    bool openFile(const QString& path, bool merge = true);

    // Host side: the folders, in the user's order.
    void setPoserDirectories(const QStringList& directories);

private:
    QStringList m_poserDirectories;
    QTemporaryDir m_inlineGeometry; // the prop files' inline blocks as OBJ
};
