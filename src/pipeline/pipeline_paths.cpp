#include "pipeline/pipeline_paths.h"

#include <QDir>
#include <QStringList>

namespace morvane {

QStringList PipelinePaths::gradientNames() const {
    return QDir(gradientsDir())
        .entryList(QStringList{QStringLiteral("*.bmp")}, QDir::Files | QDir::NoDotAndDotDot,
                   QDir::Name);
}

} // namespace morvane
