#pragma once

#include "dzcore_export.h"

#include <QList>
#include <QObject>

class DzImporter;

// The importers the host knows.
class DZCORE_EXPORT DzImportMgr : public QObject {
    Q_OBJECT
public:
    explicit DzImportMgr(QObject* parent = nullptr);

    int getNumImporters() const { return int(m_importers.size()); }
    DzImporter* getImporter(int index) const;
    // By class name ("DzObjImporter"); null when none.
    DzImporter* findImporterByClassName(const QString& className) const;

private:
    QList<DzImporter*> m_importers;
};
