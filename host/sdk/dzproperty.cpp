#include "dzproperty.h"

DzProperty::DzProperty(const QString& name, const QString& label) : m_label(label) {
    setObjectName(name);
}
