#pragma once

#include "dzproperty.h"

#include <limits>

class DZCORE_EXPORT DzFloatProperty : public DzProperty {
    Q_OBJECT
public:
    DzFloatProperty(const QString& name, const QString& label, float value = 0.0f,
                    float min = -std::numeric_limits<float>::max(),
                    float max = std::numeric_limits<float>::max());

    float getValue() const { return m_value; }
    float getMin() const { return m_min; }
    float getMax() const { return m_max; }
    // Refuses (false, console message) a value that is not a finite number
    // or lies outside the limits; the value is then unchanged.
    bool setValue(float value);

private:
    float m_value;
    float m_min;
    float m_max;
};
