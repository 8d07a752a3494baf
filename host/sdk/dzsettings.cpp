#include "dzsettings.h"

QString DzSettings::getStringValue(const QString& key, const QString& fallback) const {
    const QVariant v = m_values.value(key);
    return v.isValid() ? v.toString() : fallback;
}

double DzSettings::getFloatValue(const QString& key, double fallback) const {
    bool ok = false;
    const double value = m_values.value(key).toDouble(&ok);
    return ok ? value : fallback;
}

int DzSettings::getIntValue(const QString& key, int fallback) const {
    bool ok = false;
    const int value = m_values.value(key).toInt(&ok);
    return ok ? value : fallback;
}

bool DzSettings::getBoolValue(const QString& key, bool fallback) const {
    const QVariant v = m_values.value(key);
    if (!v.isValid())
        return fallback;
    if (v.type() == QVariant::Bool)
        return v.toBool();
    bool ok = false;
    const int number = v.toInt(&ok);
    return ok ? number != 0 : fallback;
}
