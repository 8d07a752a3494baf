#pragma once

#include <QString>

class QFileInfo;

namespace morvane {

// The props folder of a library: <library>/Runtime/Libraries/Props, in
// the spelling on disk when it differs only in case.
QString propsFolderOf(const QString& library);

// The picture shown for a prop: <prop>.png, else <prop>.jpg, else
// `noneJpg` (the placeholder of the plug-in's resources).
QString propThumbnailFor(const QString& pp2File, const QString& noneJpg);

// "size: <KB>Kb\ncreated: <date>\nmodified: <date>" for the preview frame.
QString propInfoText(const QFileInfo& file);

} // namespace morvane
