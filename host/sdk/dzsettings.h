#pragma once

#include "dzcore_export.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

// Named values handed to importers and bricks.
class DZCORE_EXPORT DzSettings {
public:
    virtual ~DzSettings() = default;

    void setStringValue(const QString& key, const QString& value) { m_values[key] = value; }
    void setFloatValue(const QString& key, double value) { m_values[key] = value; }
    void setIntValue(const QString& key, int value) { m_values[key] = value; }
    void setBoolValue(const QString& key, bool value) { m_values[key] = value; }

    bool hasKey(const QString& key) const { return m_values.contains(key); }
    QStringList getKeys() const { return m_values.keys(); }
    QString getStringValue(const QString& key, const QString& fallback = QString()) const;
    double getFloatValue(const QString& key, double fallback = 0.0) const;
    int getIntValue(const QString& key, int fallback = 0) const;
    // Integers count as flags too (0 false, others true).
    bool getBoolValue(const QString& key, bool fallback = false) const;

private:
    QMap<QString, QVariant> m_values;
};
