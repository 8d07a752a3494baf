#pragma once

#include "dzshaderbrick.h"

// A picture as a value: property "type" ("color", "float", "vector"); its colour map in "color" comes out of "outColor".
class DZCORE_EXPORT DzImageBrick : public DzShaderBrick {
    Q_OBJECT
public:
    Q_INVOKABLE explicit DzImageBrick(QObject* parent = nullptr);
};
