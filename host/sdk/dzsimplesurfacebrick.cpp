#include "dzsimplesurfacebrick.h"

#include "dzcolorproperty.h"
#include "dzfloatproperty.h"

DzSimpleSurfaceBrick::DzSimpleSurfaceBrick(QObject* parent) : DzShaderBrick(parent) {
    setName(QStringLiteral("Surface"));
    addParameter(new DzBrickParam(QStringLiteral("c_in"), DzBrickParam::Input, DzBrickParam::Color,
                                  new DzColorProperty(QStringLiteral("c_in"), QStringLiteral("Color"))));
    addParameter(new DzBrickParam(
        QStringLiteral("o_in"), DzBrickParam::Input, DzBrickParam::Float,
        new DzFloatProperty(QStringLiteral("o_in"), QStringLiteral("Opacity"), 1.0f, 0.0f, 1.0f)));
    getSettings()->setBoolValue(QStringLiteral("AutoArrange"), false);
}
