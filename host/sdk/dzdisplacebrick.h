#pragma once

#include "dzshaderbrick.h"

// Surface displacement driven by a normal ("n").
class DZCORE_EXPORT DzDisplaceBrick : public DzShaderBrick {
    Q_OBJECT
public:
    Q_INVOKABLE explicit DzDisplaceBrick(QObject* parent = nullptr);
};
