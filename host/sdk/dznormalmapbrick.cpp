#include "dznormalmapbrick.h"

#include "dzimageproperty.h"

DzNormalMapBrick::DzNormalMapBrick(QObject* parent) : DzShaderBrick(parent) {
    setName(QStringLiteral("Normal Map"));
    addParameter(new DzBrickParam(QStringLiteral("nout"), DzBrickParam::Output,
                                  DzBrickParam::Normal));
    addParameter(new DzBrickParam(
        QStringLiteral("normalmap"), DzBrickParam::Input, DzBrickParam::Image,
        new DzImageProperty(QStringLiteral("normalmap"), QStringLiteral("Normal Map"))));
}
