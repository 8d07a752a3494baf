#pragma once

#include "dzshaderbrick.h"

// The host's standard lighting as a brick: diffuse colour, glossiness and specular strength in, colour and opacity out; property "Lighting Model".
class DZCORE_EXPORT DzDefaultMaterialBrick : public DzShaderBrick {
    Q_OBJECT
public:
    Q_INVOKABLE explicit DzDefaultMaterialBrick(QObject* parent = nullptr);
};
