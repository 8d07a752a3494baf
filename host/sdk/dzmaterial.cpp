#include "dzmaterial.h"

#include "dzcolorproperty.h"

DzMaterial::DzMaterial(QObject* parent)
    : DzElement(parent),
      m_diffuse(new DzColorProperty(QStringLiteral("color"), QStringLiteral("Color"))) {
    addProperty(m_diffuse);
    connect(m_diffuse, &DzProperty::currentValueChanged, this, &DzMaterial::materialChanged);
}

void DzMaterial::deref() {
    if (--m_refs <= 0)
        delete this;
}

void DzMaterial::select(bool onOff) {
    if (onOff == m_selected)
        return;
    m_selected = onOff;
    emit selectionChanged(onOff);
}

QColor DzMaterial::getDiffuseColor() const {
    return m_diffuse->getColorValue();
}

bool DzMaterial::setDiffuseColor(const QColor& color) {
    return m_diffuse->setColorValue(color);
}

DzTexture* DzMaterial::getColorMap() const {
    return m_diffuse->getMapValue();
}

void DzMaterial::setColorMap(DzTexture* texture) {
    m_diffuse->setMap(texture);
}
