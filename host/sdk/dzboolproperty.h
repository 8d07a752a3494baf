#pragma once

#include "dzproperty.h"

class DZCORE_EXPORT DzBoolProperty : public DzProperty {
    Q_OBJECT
public:
    DzBoolProperty(const QString& name, const QString& label, bool value = false);

    bool getBoolValue() const { return m_value; }
    void setBoolValue(bool value);

private:
    bool m_value;
};
