#pragma once

#include "dzcore_export.h"

#include <QObject>
#include <QStringList>

// The host's content libraries. For now it only knows the Poser-style
// runtime folders the user configured; opening content files comes with the
// scene classes.
class DZCORE_EXPORT DzContentMgr : public QObject {
    Q_OBJECT
public:
    explicit DzContentMgr(QObject* parent = nullptr);

    int getNumPoserDirectories() const { return int(m_poserDirectories.size()); }
    // An empty string for an index out of range.
    QString getPoserDirectory(int index) const;

    // Host side: the folders, in the user's order.
    void setPoserDirectories(const QStringList& directories);

private:
    QStringList m_poserDirectories;
};
