#include "plugin/ui/depth_buffer.h"

#include <QStringList>

namespace morvane {

int depthBufferBits(int desktopDepth, QStringList* logLines) {
    if (logLines)
        *logLines << QStringLiteral("Depth buffer precision: ") + QString::number(desktopDepth) +
                         QStringLiteral("bit\n");
    if (desktopDepth >= 24)
        return desktopDepth;
    if (logLines)
        *logLines << QStringLiteral("Poor depth buffer precision, defaulting to 24bit\n");
    return 24;
}

} // namespace morvane
