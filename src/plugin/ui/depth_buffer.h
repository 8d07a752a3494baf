#pragma once

class QStringList;

namespace morvane {

// The depth buffer the viewport asks for: the desktop's colour depth, at
// least 24 bits. `logLines` receives the lines the start-up logs about it.
int depthBufferBits(int desktopDepth, QStringList* logLines);

} // namespace morvane
