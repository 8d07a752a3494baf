#include "dzdisplacebrick.h"

DzDisplaceBrick::DzDisplaceBrick(QObject* parent) : DzShaderBrick(parent) {
    setName(QStringLiteral("Displace"));
    addParameter(new DzBrickParam(QStringLiteral("n"), DzBrickParam::Input, DzBrickParam::Normal));
}
