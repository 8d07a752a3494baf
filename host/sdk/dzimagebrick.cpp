#include "dzimagebrick.h"

#include "dzcolorproperty.h"
#include "dzenumproperty.h"

DzImageBrick::DzImageBrick(QObject* parent) : DzShaderBrick(parent) {
    setName(QStringLiteral("Image Map"));
    addProperty(new DzEnumProperty(
        QStringLiteral("type"), QStringLiteral("Type"),
        {QStringLiteral("color"), QStringLiteral("float"), QStringLiteral("vector")}, 1));
    addParameter(new DzBrickParam(QStringLiteral("outColor"), DzBrickParam::Output,
                                  DzBrickParam::Color));
    addParameter(new DzBrickParam(QStringLiteral("color"), DzBrickParam::Input, DzBrickParam::Color,
                                  new DzColorProperty(QStringLiteral("color"), QStringLiteral("Color"))));
}
