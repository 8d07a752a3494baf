#pragma once

#include "dzelement.h"

// Something an object applies to its shape's geometry.
class DZCORE_EXPORT DzModifier : public DzElement {
    Q_OBJECT
public:
    explicit DzModifier(QObject* parent = nullptr);
};
