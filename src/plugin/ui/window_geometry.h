#pragma once

#include <QPoint>
#include <QSize>

namespace morvane {

// The window's client area as laid out: every control sits at a fixed place
// inside a frame of this size.
inline constexpr int kNominalWidth = 1198;
inline constexpr int kNominalHeight = 998;

// Where the window goes on a desktop and how far it may shrink or grow.
struct WindowGeometry {
    QSize minimum;
    QSize maximum;
    QPoint position;
};

// For a desktop of W x H: minimum min(W, 1200) x min(H - 100, 1000) (never
// negative), maximum 1218 x twice the minimum height, top-left corner at
// (max(0, W/2 - 599), max(0, (H - 100)/2 - 499)).
WindowGeometry windowGeometryFor(const QSize& desktop);

} // namespace morvane
