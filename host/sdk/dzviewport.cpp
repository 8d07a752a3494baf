#include "dzviewport.h"

#include "dz3dviewport.h"

DzViewport::DzViewport(QObject* parent) : QObject(parent), m_view(new Dz3DViewport(this)) {}
