#pragma once

#include <QString>

class QWidget;

namespace morvane::style {

// The five colours the style sheets splice into "rgba(...)".
inline constexpr const char* kAccent = "255,195,0,255";
inline constexpr const char* kBlue = "71,120,247,255";
inline constexpr const char* kDark = "50,50,50,255";
inline constexpr const char* kGrey = "150,150,150,255";
inline constexpr const char* kLight = "240,240,240,255";

// Label colour of controls that are disabled because the node type does
// not read them.
inline constexpr const char* kGreyedLabel = "rgba(80,80,80,255)";

inline QString rgba(const char* colour) {
    return QStringLiteral("rgba(") + QLatin1String(colour) + QLatin1Char(')');
}

// Curve and terrace preset buttons: the plain and the marked (chosen) style.
inline QString presetButtonPlain() {
    return QStringLiteral("* { border: 1px solid rgba(35,35,35,255); }");
}
inline QString presetButtonMarked() {
    return QStringLiteral("* { border: 2px solid ") + rgba(kAccent) +
           QStringLiteral("; background-color: rgba(225,25,25,255); }");
}

} // namespace morvane::style
