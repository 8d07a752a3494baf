#include "dzimageproperty.h"

#include "dztexture.h"

DzImageProperty::DzImageProperty(const QString& name, const QString& label)
    : DzProperty(name, label) {}

void DzImageProperty::setValue(DzTexture* texture) {
    if (texture == m_value)
        return;
    m_value = texture;
    emit currentValueChanged();
}
