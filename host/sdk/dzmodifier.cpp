#include "dzmodifier.h"

DzModifier::DzModifier(QObject* parent) : DzElement(parent) {}
