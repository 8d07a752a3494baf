#include "dzconsole.h"

#include <cstdio>

namespace {

QStringList& lines() {
    static QStringList all;
    return all;
}

} // namespace

void dzConsoleMessage(const QString& text) {
    lines() << text;
    std::fputs(("studio: " + text + '\n').toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

QStringList dzConsoleLines() {
    return lines();
}

void dzConsoleClear() {
    lines().clear();
}
