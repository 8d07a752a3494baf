#pragma once

#include "dzbase.h"

#include <QList>

class DzProperty;

// A named object with a label for the user and a list of properties.
class DZCORE_EXPORT DzElement : public DzBase {
    Q_OBJECT
public:
    explicit DzElement(QObject* parent = nullptr);

    QString getLabel() const { return m_label; }
    virtual void setLabel(const QString& label);

    // The element owns the property; a null one is ignored.
    void addProperty(DzProperty* property);
    int getNumProperties() const { return int(m_properties.size()); }
    DzProperty* getProperty(int index) const;
    // By name; null when none has it.
    DzProperty* findProperty(const QString& name) const;

signals:
    void labelChanged(const QString& label);

private:
    QString m_label;
    QList<DzProperty*> m_properties;
};
