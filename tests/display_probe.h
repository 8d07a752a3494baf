#pragma once

#include <X11/Xlib.h>

#include <QByteArray>
#include <QThread>
#include <cstdio>

// QApplication aborts the whole process when its platform plug-in cannot
// reach the display. A test binary checks first, so a missing or refusing X
// server is a failed run with a message that says what is wrong. It retries
// for a few seconds: an X server that has just lost its last client may be
// resetting and refuses connections meanwhile.
inline bool displayReachable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;  // offscreen, minimal, ...: no X server involved
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        std::fprintf(stderr,
                     "No display: DISPLAY is not set. The widget and OpenGL tests need an X "
                     "display; run them through scripts/test, or under\n"
                     "  xvfb-run -a -s \"-screen 0 1600x1200x24 -noreset\" ctest -L gui\n");
        return false;
    }
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Display* connection = XOpenDisplay(display.constData())) {
            XCloseDisplay(connection);
            return true;
        }
        QThread::msleep(250);
    }
    std::fprintf(stderr,
                 "Cannot connect to the X display \"%s\" (tried for 5 s). The widget and OpenGL "
                 "tests need a display; start a virtual one with\n"
                 "  xvfb-run -a -s \"-screen 0 1600x1200x24 -noreset\" ...\n",
                 display.constData());
    return false;
}
