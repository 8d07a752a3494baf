#include "dzviewportmgr.h"

#include "dzviewport.h"

DzViewportMgr::DzViewportMgr(QObject* parent) : QObject(parent), m_active(new DzViewport(this)) {}
