#include "dzboolproperty.h"

DzBoolProperty::DzBoolProperty(const QString& name, const QString& label, bool value)
    : DzProperty(name, label), m_value(value) {}

void DzBoolProperty::setBoolValue(bool value) {
    if (value == m_value)
        return;
    m_value = value;
    emit currentValueChanged();
}
