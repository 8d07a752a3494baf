#include "dzenumproperty.h"

#include "dzconsole.h"

DzEnumProperty::DzEnumProperty(const QString& name, const QString& label, const QStringList& items,
                               int value)
    : DzProperty(name, label), m_items(items), m_value(value) {}

QString DzEnumProperty::getItem(int index) const {
    return index >= 0 && index < m_items.size() ? m_items.at(index) : QString();
}

bool DzEnumProperty::setValue(int index) {
    if (index < 0 || index >= m_items.size()) {
        dzConsoleMessage(QStringLiteral("property \"%1\": no item %2").arg(getName()).arg(index));
        return false;
    }
    if (index != m_value) {
        m_value = index;
        emit currentValueChanged();
    }
    return true;
}

bool DzEnumProperty::setValue(const QString& item) {
    const int index = findItemString(item);
    if (index < 0) {
        dzConsoleMessage(QStringLiteral("property \"%1\": no item \"%2\"").arg(getName(), item));
        return false;
    }
    return setValue(index);
}
