#pragma once

#include "dzcore_export.h"

#include <QObject>
#include <QString>

// The root of the host's named objects. The name is what scripts and lookups
// use; it is the QObject's object name.
class DZCORE_EXPORT DzBase : public QObject {
    Q_OBJECT
public:
    explicit DzBase(QObject* parent = nullptr);

    QString getName() const { return objectName(); }
    virtual void setName(const QString& name);

signals:
    void nameChanged(const QString& name);
};
