#include "sky/ui/sky_map_controls.h"

#include "common/notifier.h"
#include "pipeline/pipeline_paths.h"
#include "sky/sky_map_file.h"
#include "sky/sky_state.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {

QString skyMapGroupName(const QWidget* window) {
    if (window)
        if (const auto* name =
                window->findChild<const QLineEdit*>(QStringLiteral("createDAZTerrainNameLineEdit")))
            return name->text();
    return QStringLiteral("my Terrain 1");
}

SkyMapControls::SkyMapControls(const SkyMapContext& context, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(QStringLiteral("skyMapControls"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("skyDomeMapSizeComboBox"));
    m_size->addItems({QStringLiteral("no thanks"), QStringLiteral("4096"), QStringLiteral("8192"),
                      QStringLiteral("16384")});
    m_size->setToolTip(QStringLiteral("size of the sky dome map"));
    m_size->setFocusPolicy(Qt::NoFocus);
    m_generate = new QPushButton(QStringLiteral("regen sky texture"), this);
    m_generate->setObjectName(QStringLiteral("skyDomeTextureGenerateButton"));
    m_generate->setToolTip(QStringLiteral("Regenerate only the sky dome map"));
    m_generate->setFocusPolicy(Qt::NoFocus);
    m_generate->setEnabled(false);
    row->addWidget(m_size);
    row->addWidget(m_generate);
    connect(m_size, &QComboBox::currentTextChanged, this, &SkyMapControls::setSkydomeControls);
    connect(m_generate, &QPushButton::released, this, &SkyMapControls::regenerateSkyDomeTexture);
}

void SkyMapControls::setSkydomeControls(const QString& item) {
    m_generate->setEnabled(m_size->findText(item) > 0);
}

void SkyMapControls::regenerateSkyDomeTexture() {
    // The progress bar lets events through: a second click waits its turn.
    if (m_size->currentIndex() <= 0 || m_running)
        return;
    bool ok = false;
    const int side = m_size->currentText().toInt(&ok);
    if (!ok || side < 1)
        return;
    const QString name = skyMapGroupName(window());
    // The name becomes a file name: no folders, no "." or "..".
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name == QLatin1String(".") || name == QLatin1String("..")) {
        m_context.notifier.warn(QStringLiteral("Error"),
                                QStringLiteral("The terrain name \"%1\" cannot be used as a file "
                                               "name for the sky dome map.")
                                    .arg(name));
        return;
    }
    QDir().mkpath(m_context.paths.mapsDir());
    const QString path = m_context.paths.mapsDir() + QLatin1Char('/') + skyMapFileName(name);

    m_running = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SkyState& sky = m_context.sky;
    const SkyMapInput input{sky.parameters, sky.sun, sky.dome.stars, side};
    SkyMapOptions options;
    options.threads = m_context.threads;
    if (generateSkyMapFile(input, m_context.stars, path, m_context.progress, m_context.notifier,
                           options))
        m_lastFile = path;
    QApplication::restoreOverrideCursor();
    m_running = false;
}

} // namespace morvane
