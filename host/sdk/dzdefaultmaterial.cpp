#include "dzdefaultmaterial.h"

#include "dzcolorproperty.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"

DzDefaultMaterial::DzDefaultMaterial(QObject* parent)
    : DzMaterial(parent),
      m_surfaceType(new DzEnumProperty(QStringLiteral("Lighting Model"),
                                       QStringLiteral("Lighting Model"), surfaceTypes())),
      m_diffuseStrength(new DzFloatProperty(QStringLiteral("Diffuse Strength"),
                                            QStringLiteral("Diffuse Strength"), 1.0f, 0.0f, 10.0f)),
      m_ambient(new DzColorProperty(QStringLiteral("Ambient Color"), QStringLiteral("Ambient Color"),
                                    QColor(0, 0, 0, 255))),
      m_ambientStrength(new DzFloatProperty(QStringLiteral("Ambient Strength"),
                                            QStringLiteral("Ambient Strength"), 1.0f, 0.0f, 10.0f)),
      m_specularStrength(new DzFloatProperty(QStringLiteral("Specular Strength"),
                                             QStringLiteral("Specular Strength"), 1.0f, 0.0f,
                                             10.0f)),
      m_glossiness(new DzFloatProperty(QStringLiteral("Glossiness"), QStringLiteral("Glossiness"),
                                       0.5f, 0.0f, 1.0f)) {
    for (DzProperty* p : std::initializer_list<DzProperty*>{
             m_surfaceType, m_diffuseStrength, m_ambient, m_ambientStrength, m_specularStrength,
             m_glossiness}) {
        addProperty(p);
        connect(p, &DzProperty::currentValueChanged, this, &DzMaterial::materialChanged);
    }
}

QStringList DzDefaultMaterial::surfaceTypes() {
    return {QStringLiteral("Plastic"),          QStringLiteral("Metallic"),
            QStringLiteral("Skin"),             QStringLiteral("Glossy (Plastic)"),
            QStringLiteral("Matte"),            QStringLiteral("Glossy (Metallic)")};
}

int DzDefaultMaterial::getSurfaceType() const { return m_surfaceType->getValue(); }
bool DzDefaultMaterial::setSurfaceType(int type) { return m_surfaceType->setValue(type); }
float DzDefaultMaterial::getDiffuseStrength() const { return m_diffuseStrength->getValue(); }
bool DzDefaultMaterial::setDiffuseStrength(float s) { return m_diffuseStrength->setValue(s); }
QColor DzDefaultMaterial::getAmbientColor() const { return m_ambient->getColorValue(); }
bool DzDefaultMaterial::setAmbientColor(const QColor& c) { return m_ambient->setColorValue(c); }
DzTexture* DzDefaultMaterial::getAmbientColorMap() const { return m_ambient->getMapValue(); }
void DzDefaultMaterial::setAmbientColorMap(DzTexture* t) { m_ambient->setMap(t); }
float DzDefaultMaterial::getAmbientStrength() const { return m_ambientStrength->getValue(); }
bool DzDefaultMaterial::setAmbientStrength(float s) { return m_ambientStrength->setValue(s); }
float DzDefaultMaterial::getSpecularStrength() const { return m_specularStrength->getValue(); }
bool DzDefaultMaterial::setSpecularStrength(float s) { return m_specularStrength->setValue(s); }
float DzDefaultMaterial::getGlossiness() const { return m_glossiness->getValue(); }
bool DzDefaultMaterial::setGlossiness(float g) { return m_glossiness->setValue(g); }

bool DzDefaultMaterial::isLit() const {
    return !(m_diffuseStrength->getValue() == 0.0f && m_ambient->getMapValue());
}

DzTexture* DzDefaultMaterial::getColorMap() const {
    DzTexture* own = DzMaterial::getColorMap();
    return own || isLit() ? own : m_ambient->getMapValue();
}
