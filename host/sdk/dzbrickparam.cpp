#include "dzbrickparam.h"

#include "dzconsole.h"
#include "dzproperty.h"

DzBrickParam::DzBrickParam(const QString& argName, Direction direction, Kind kind,
                           DzProperty* property)
    : m_direction(direction), m_kind(kind), m_property(property) {
    setObjectName(argName);
    if (property)
        property->setParent(this);
}

bool DzBrickParam::accepts(const DzBrickParam* output) const {
    return output && output != this && m_direction == Input && output->m_direction == Output &&
           output->m_kind == m_kind && output->parent() != parent();
}

bool DzBrickParam::addConnection(DzBrickParam* output) {
    if (!accepts(output)) {
        dzConsoleMessage(QStringLiteral("brick parameter \"%1\" does not accept \"%2\"")
                             .arg(getName(), output ? output->getName() : QStringLiteral("null")));
        return false;
    }
    m_connection = output;
    return true;
}
