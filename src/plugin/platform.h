#pragma once

#include <QString>

namespace morvane {

// The platform name the plug-in tests where paths and looks differ on
// Windows. This build is not a Windows one.
inline const QString kPlatformName = QStringLiteral("Linux");

// `path` with "/" turned into "\" on Windows; unchanged elsewhere.
inline QString toPlatformSeparators(QString path) {
    if (kPlatformName == QLatin1String("Windows"))
        path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path;
}

} // namespace morvane
