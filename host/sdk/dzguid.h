#pragma once

#include "dzcore_export.h"

#include <QString>
#include <QUuid>

// A class identifier. Written as 36 upper-case hex digits and dashes, without
// braces: "CD69D1EC-2478-47E0-B702-00D53565D476".
class DZCORE_EXPORT DzGuid {
public:
    DzGuid() = default;

    // Accepts the form above, with or without braces, in either case. Text
    // that is not a GUID gives the null GUID.
    static DzGuid fromString(const QString& text);
    QString toString() const;
    bool isNull() const { return m_uuid.isNull(); }

    bool operator==(const DzGuid& other) const { return m_uuid == other.m_uuid; }
    bool operator!=(const DzGuid& other) const { return m_uuid != other.m_uuid; }

private:
    explicit DzGuid(const QUuid& uuid) : m_uuid(uuid) {}
    QUuid m_uuid;
};
