#pragma once

#include "dzproperty.h"

#include <QPointer>

#include "dztexture.h"

// A picture (for example a normal map).
class DZCORE_EXPORT DzImageProperty : public DzProperty {
    Q_OBJECT
public:
    DzImageProperty(const QString& name, const QString& label);

    DzTexture* getValue() const { return m_value; }
    // Null clears it.
    void setValue(DzTexture* texture);

private:
    QPointer<DzTexture> m_value;
};
