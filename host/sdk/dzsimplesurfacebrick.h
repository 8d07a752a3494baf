#pragma once

#include "dzshaderbrick.h"

// The root of a network: the surface colour ("c_in") and opacity ("o_in").
class DZCORE_EXPORT DzSimpleSurfaceBrick : public DzShaderBrick {
    Q_OBJECT
public:
    Q_INVOKABLE explicit DzSimpleSurfaceBrick(QObject* parent = nullptr);
};
