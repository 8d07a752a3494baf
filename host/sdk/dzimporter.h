#pragma once

#include "dzcore_export.h"

#include <QObject>
#include <QStringList>

class DzFileIOSettings;

// Reads files of some format into the scene. Concrete importers derive.
class DZCORE_EXPORT DzImporter : public QObject {
    Q_OBJECT
public:
    explicit DzImporter(QObject* parent = nullptr);

    virtual QString getDescription() const = 0;
    virtual QStringList getExtensions() const = 0;
    // Fills `settings` with the importer's defaults; keys already there are
    // overwritten.
    virtual void getDefaultOptions(DzFileIOSettings* settings) const = 0;
};
