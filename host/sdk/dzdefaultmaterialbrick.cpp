#include "dzdefaultmaterialbrick.h"

#include "dzcolorproperty.h"
#include "dzdefaultmaterial.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"

DzDefaultMaterialBrick::DzDefaultMaterialBrick(QObject* parent) : DzShaderBrick(parent) {
    setName(QStringLiteral("Default Material"));
    addProperty(new DzEnumProperty(QStringLiteral("Lighting Model"), QStringLiteral("Lighting Model"),
                                   DzDefaultMaterial::surfaceTypes()));
    addParameter(new DzBrickParam(QStringLiteral("ColorOut"), DzBrickParam::Output,
                                  DzBrickParam::Color));
    addParameter(new DzBrickParam(QStringLiteral("OpacityOut"), DzBrickParam::Output,
                                  DzBrickParam::Float));
    addParameter(new DzBrickParam(
        QStringLiteral("DiffuseColor"), DzBrickParam::Input, DzBrickParam::Color,
        new DzColorProperty(QStringLiteral("DiffuseColor"), QStringLiteral("Diffuse Color"))));
    addParameter(new DzBrickParam(QStringLiteral("Glossiness"), DzBrickParam::Input,
                                  DzBrickParam::Float,
                                  new DzFloatProperty(QStringLiteral("Glossiness"),
                                                      QStringLiteral("Glossiness"), 0.5f, 0.0f, 1.0f)));
    addParameter(new DzBrickParam(
        QStringLiteral("SpecularStrength"), DzBrickParam::Input, DzBrickParam::Float,
        new DzFloatProperty(QStringLiteral("SpecularStrength"), QStringLiteral("Specular Strength"),
                            1.0f, 0.0f, 10.0f)));
}
