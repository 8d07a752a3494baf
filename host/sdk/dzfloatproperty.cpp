#include "dzfloatproperty.h"

#include "dzconsole.h"

#include <cmath>

DzFloatProperty::DzFloatProperty(const QString& name, const QString& label, float value, float min,
                                 float max)
    : DzProperty(name, label), m_value(value), m_min(min), m_max(max) {}

bool DzFloatProperty::setValue(float value) {
    if (!std::isfinite(value) || value < m_min || value > m_max) {
        dzConsoleMessage(QStringLiteral("property \"%1\": value %2 refused (range %3 to %4)")
                             .arg(getName())
                             .arg(double(value))
                             .arg(double(m_min))
                             .arg(double(m_max)));
        return false;
    }
    if (value != m_value) {
        m_value = value;
        emit currentValueChanged();
    }
    return true;
}
