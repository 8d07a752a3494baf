#include "dzversion.h"

#include <tuple>

QString DzVersion::toString() const {
    return QStringLiteral("%1.%2.%3.%4").arg(m_major).arg(m_minor).arg(m_revision).arg(m_build);
}

bool DzVersion::operator==(const DzVersion& other) const {
    return std::tie(m_major, m_minor, m_revision, m_build) ==
           std::tie(other.m_major, other.m_minor, other.m_revision, other.m_build);
}

bool DzVersion::operator<(const DzVersion& other) const {
    return std::tie(m_major, m_minor, m_revision, m_build) <
           std::tie(other.m_major, other.m_minor, other.m_revision, other.m_build);
}

DzVersion dzSDKVersion() {
    return DzVersion(DZ_SDK_VERSION_MAJOR, DZ_SDK_VERSION_MINOR, DZ_SDK_VERSION_REVISION,
                     DZ_SDK_VERSION_BUILD);
}
