#include "dzcolorproperty.h"

#include "dzconsole.h"
#include "dztexture.h"

DzColorProperty::DzColorProperty(const QString& name, const QString& label, const QColor& value)
    : DzProperty(name, label), m_value(value) {}

bool DzColorProperty::setColorValue(const QColor& value) {
    if (!value.isValid()) {
        dzConsoleMessage(QStringLiteral("property \"%1\": invalid colour refused").arg(getName()));
        return false;
    }
    if (value != m_value) {
        m_value = value;
        emit currentValueChanged();
    }
    return true;
}

void DzColorProperty::setMap(DzTexture* map) {
    if (map == m_map)
        return;
    m_map = map;
    emit currentValueChanged();
}
