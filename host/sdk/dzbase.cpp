#include "dzbase.h"

DzBase::DzBase(QObject* parent) : QObject(parent) {}

void DzBase::setName(const QString& name) {
    if (name == objectName())
        return;
    setObjectName(name);
    emit nameChanged(name);
}
