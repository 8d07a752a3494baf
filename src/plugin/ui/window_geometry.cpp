#include "plugin/ui/window_geometry.h"

#include <algorithm>

namespace morvane {

WindowGeometry windowGeometryFor(const QSize& desktop) {
    const int w = desktop.width();
    const int h = desktop.height();
    WindowGeometry geometry;
    // A desktop under 100 pixels high would ask for a negative minimum.
    geometry.minimum = QSize(std::max(0, std::min(w, 1200)), std::max(0, std::min(h - 100, 1000)));
    geometry.maximum = QSize(1218, 2 * geometry.minimum.height());
    geometry.position = QPoint(std::max(0, w / 2 - 599), std::max(0, (h - 100) / 2 - 499));
    return geometry;
}

} // namespace morvane
