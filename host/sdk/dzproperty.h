#pragma once

#include "dzbase.h"

// One value of an element (a transform control, a material colour, a brick
// setting). Concrete kinds derive from it.
class DZCORE_EXPORT DzProperty : public DzBase {
    Q_OBJECT
public:
    DzProperty(const QString& name, const QString& label);

    QString getLabel() const { return m_label; }
    void setLabel(const QString& label) { m_label = label; }

signals:
    void currentValueChanged();

private:
    QString m_label;
};
