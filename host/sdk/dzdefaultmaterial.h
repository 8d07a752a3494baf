#pragma once

#include "dzmaterial.h"

class DzEnumProperty;
class DzFloatProperty;

// The host's standard surface: diffuse, ambient and specular terms.
class DZCORE_EXPORT DzDefaultMaterial : public DzMaterial {
    Q_OBJECT
public:
    explicit DzDefaultMaterial(QObject* parent = nullptr);

    // The lighting model ("Plastic", "Metallic", "Skin", "Glossy (Plastic)",
    // "Matte", "Glossy (Metallic)"). The setters refuse values out of range
    // with false and a console message.
    int getSurfaceType() const;
    bool setSurfaceType(int type);
    float getDiffuseStrength() const;
    bool setDiffuseStrength(float strength);
    QColor getAmbientColor() const;
    bool setAmbientColor(const QColor& color);
    DzTexture* getAmbientColorMap() const;
    void setAmbientColorMap(DzTexture* texture);
    float getAmbientStrength() const;
    bool setAmbientStrength(float strength);
    float getSpecularStrength() const;
    bool setSpecularStrength(float strength);
    float getGlossiness() const;
    bool setGlossiness(float glossiness);

    // Without diffuse light and with an ambient picture the surface shows
    // that picture as it is (a sky); the colour map is then the ambient one.
    bool isLit() const override;
    DzTexture* getColorMap() const override;

    static QStringList surfaceTypes();

private:
    DzEnumProperty* m_surfaceType;
    DzFloatProperty* m_diffuseStrength;
    DzColorProperty* m_ambient;
    DzFloatProperty* m_ambientStrength;
    DzFloatProperty* m_specularStrength;
    DzFloatProperty* m_glossiness;
};
