#include "dzelement.h"

#include "dzproperty.h"

DzElement::DzElement(QObject* parent) : DzBase(parent) {}

void DzElement::setLabel(const QString& label) {
    if (label == m_label)
        return;
    m_label = label;
    emit labelChanged(label);
}

void DzElement::addProperty(DzProperty* property) {
    if (!property || m_properties.contains(property))
        return;
    property->setParent(this);
    m_properties.append(property);
}

DzProperty* DzElement::getProperty(int index) const {
    return index >= 0 && index < m_properties.size() ? m_properties.at(index) : nullptr;
}

DzProperty* DzElement::findProperty(const QString& name) const {
    for (DzProperty* property : m_properties)
        if (property->getName() == name)
            return property;
    return nullptr;
}
