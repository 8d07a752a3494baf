#pragma once

#include "dzshaderbrick.h"

// A normal map picture ("normalmap") as bent normals ("nout").
class DZCORE_EXPORT DzNormalMapBrick : public DzShaderBrick {
    Q_OBJECT
public:
    Q_INVOKABLE explicit DzNormalMapBrick(QObject* parent = nullptr);
};
