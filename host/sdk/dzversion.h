#pragma once

#include "dzcore_export.h"

#include <QString>

// The SDK version this stand-in host implements. A plug-in is accepted when
// it was built for the same major version.
#define DZ_SDK_VERSION_MAJOR 4
#define DZ_SDK_VERSION_MINOR 5
#define DZ_SDK_VERSION_REVISION 0
#define DZ_SDK_VERSION_BUILD 100

// A four-part version number: major.minor.revision.build.
class DZCORE_EXPORT DzVersion {
public:
    DzVersion() = default;
    DzVersion(int major, int minor, int revision, int build)
        : m_major(major), m_minor(minor), m_revision(revision), m_build(build) {}

    int getMajor() const { return m_major; }
    int getMinor() const { return m_minor; }
    int getRevision() const { return m_revision; }
    int getBuild() const { return m_build; }

    // "4.5.0.100"
    QString toString() const;

    bool operator==(const DzVersion& other) const;
    bool operator!=(const DzVersion& other) const { return !(*this == other); }
    bool operator<(const DzVersion& other) const;
    bool operator>(const DzVersion& other) const { return other < *this; }
    bool operator<=(const DzVersion& other) const { return !(other < *this); }
    bool operator>=(const DzVersion& other) const { return !(*this < other); }

private:
    int m_major = 0;
    int m_minor = 0;
    int m_revision = 0;
    int m_build = 0;
};

// The version of the SDK the running host provides.
DZCORE_EXPORT DzVersion dzSDKVersion();
