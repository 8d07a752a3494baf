#include "dzimportmgr.h"

#include "dzobjimporter.h"

DzImportMgr::DzImportMgr(QObject* parent) : QObject(parent) {
    m_importers << new DzObjImporter(this);
}

DzImporter* DzImportMgr::getImporter(int index) const {
    return index >= 0 && index < m_importers.size() ? m_importers.at(index) : nullptr;
}

DzImporter* DzImportMgr::findImporterByClassName(const QString& className) const {
    for (DzImporter* importer : m_importers)
        if (QLatin1String(importer->metaObject()->className()) == className)
            return importer;
    return nullptr;
}
