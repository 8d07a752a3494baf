#pragma once

#include "dzcore_export.h"

#include <QString>
#include <QStringList>

// The host's console: failures of SDK calls are written here (stderr) so a
// user or a test can see why a call returned null or false. Tests may read
// the lines back.
DZCORE_EXPORT void dzConsoleMessage(const QString& text);
// Every line written since the start or the last clear.
DZCORE_EXPORT QStringList dzConsoleLines();
DZCORE_EXPORT void dzConsoleClear();
