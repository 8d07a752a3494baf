#include "hostexport/ui/create_tab.h"

#include "hostexport/terrain_export.h"
#include "pipeline/generation_driver.h"
#include "common/notifier.h"
#include "pipeline/normal_map.h"
#include "pipeline/pipeline_state.h"
#include "sky/ui/sky_map_controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <new>

namespace morvane {

namespace {

constexpr int kPreviewSide = 180;

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* rowLabel(const char* text, const char* name) {
    return named(new QLabel(QLatin1String(text)), name);
}

QComboBox* sizeList(const char* name, const QStringList& items) {
    auto* box = named(new QComboBox, name);
    box->addItems(items);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFixedWidth(100);
    return box;
}

int sizeOf(const QComboBox* box) {
    if (box->currentIndex() < 0)
        return 0;
    bool ok = false;
    const int size = box->currentText().toInt(&ok);
    return ok ? size : 0;
}

} // namespace

CreateTab::CreateTab(GenerationDriver& driver, const QString& resourcesDir, QWidget* parent)
    : QWidget(parent), m_driver(driver) {
    setObjectName(QStringLiteral("createDAZControls"));
    auto* column = new QVBoxLayout(this);
    // Beside the fixed viewport the page leaves about 400 pixels.
    column->setContentsMargins(0, 2, 4, 0);
    column->setSpacing(10);

    auto* settings = named(new QFrame, "createDAZSettingsFrame");
    settings->setProperty("morvaneCard", true);
    auto* form = new QFormLayout(settings);
    form->setContentsMargins(10, 10, 10, 10);
    form->setVerticalSpacing(8);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_name = named(new QLineEdit(QStringLiteral("my Terrain 1")), "createDAZTerrainNameLineEdit");
    m_name->setMaximumWidth(220);
    m_name->setToolTip(QStringLiteral("names the terrain node, its files, its material and the "
                                      "cameras"));
    form->addRow(rowLabel("Terrain group name: ", "createDAZTerrainNameLabel"), m_name);

    m_subdivision = named(new QCheckBox, "enableDAZTerrainSubDivisionCheckBox");
    m_subdivision->setToolTip(QStringLiteral(
        "enable high resolution subdivision levels for MORVANE-generated terrains in DS4"));
    form->addRow(rowLabel("Enable terrain SubD: ", "enableDAZTerrainSubDivisionLabel"),
                 m_subdivision);

    m_textureSize = sizeList("createDAZTerrainTextureSizeComboBox",
                             {"512", "1024", "2048", "4096", "8192", "16384"});
    m_textureSize->setToolTip(QStringLiteral("size of the terrain's colour texture"));
    form->addRow(rowLabel("Terrain texture size: ", "createDAZTerrainTextureSizeLabel"),
                 m_textureSize);

    m_boundingBoxes = named(new QCheckBox, "createDAZTerrainDrawBoxStyleCheckBox");
    m_boundingBoxes->setToolTip(
        QStringLiteral("set DAZ Scene drawstyle to \"Solid Bounding Boxes\""));
    form->addRow(rowLabel("DS Bounding Boxes: ", "createDAZTerrainDrawBoxStyleLabel"),
                 m_boundingBoxes);

    // Filled by setSkyMapControls().
    m_skyRow = named(new QWidget, "skyDomeMapRow");
    auto* skyLayout = new QHBoxLayout(m_skyRow);
    skyLayout->setContentsMargins(0, 0, 0, 0);
    form->addRow(rowLabel("add skydome: ", "skyDomeMapSizeLabel"), m_skyRow);

    auto* morphRow = new QHBoxLayout;
    m_morph = named(new QSlider(Qt::Vertical), "morphPercentageSlider");
    m_morph->setRange(0, 100);
    m_morph->setSingleStep(1);
    m_morph->setPageStep(5);
    m_morph->setValue(0);
    m_morph->setFixedHeight(70);
    m_morph->setToolTip(QStringLiteral("set each prop morph to a random value up to this "
                                       "percentage"));
    m_morphValue = named(new QLabel(QStringLiteral("0 %")), "morphPercentageValueLabel");
    morphRow->addWidget(m_morph);
    morphRow->addWidget(m_morphValue);
    morphRow->addStretch(1);
    connect(m_morph, &QSlider::valueChanged, this,
            [this](int value) { m_morphValue->setText(QString::number(value) + " %"); });
    form->addRow(rowLabel("morph percentage: ", "morphPercentageLabel"), morphRow);

    m_normalSize = sizeList("normalMapSizeComboBox",
                            {"no thanks", "512", "1024", "2048", "4096", "8192", "16384"});
    m_normalSize->setToolTip(QStringLiteral("size of the terrain's normal map"));
    form->addRow(rowLabel("normal map: ", "normalMapSizeLabel"), m_normalSize);

    m_bump = named(new QSlider(Qt::Horizontal), "normalMapBumpHeightSlider");
    m_bump->setRange(10, 5000);
    m_bump->setSingleStep(10);
    m_bump->setPageStep(10);
    m_bump->setValue(1000);
    m_bump->setToolTip(QStringLiteral("bump height of the normal map"));
    form->addRow(QString(), m_bump);
    m_preview = named(new QLabel, "normalMapPreviewLabel");
    m_preview->setFixedSize(kPreviewSide, kPreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setWordWrap(true);
    m_preview->setStyleSheet(QStringLiteral(
        "* { background-color:rgba(30,30,30,255); color:rgba(200,200,200,255); }"));
    m_regenNormal = named(new QPushButton(QStringLiteral("regen normal map")),
                          "normalMapGenerateButton");
    m_regenNormal->setToolTip(QStringLiteral("Regenerate only the normal map"));
    m_regenNormal->setFocusPolicy(Qt::NoFocus);
    m_regenNormal->setFixedWidth(kPreviewSide);
    auto* previewRow = new QVBoxLayout;
    previewRow->addWidget(m_preview);
    previewRow->addWidget(m_regenNormal, 0, Qt::AlignLeft);
    form->addRow(QString(), previewRow);
    column->addWidget(settings);

    m_create = named(new QPushButton(QStringLiteral("CREATE Studio SCENE !")),
                     "createDAZSceneButton");
    m_create->setProperty("morvaneAction", true);
    m_create->setCursor(Qt::PointingHandCursor);
    m_create->setMinimumHeight(36);
    m_create->setToolTip(QStringLiteral("build the terrain, the props, the sky dome and the "
                                        "cameras in the Studio scene"));
    column->addWidget(m_create);

    m_holdOn = named(new QLabel, "createDAZHoldOnLabel");
    m_holdOn->setWordWrap(true);
    m_holdOn->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_holdOn->setStyleSheet(QStringLiteral("* { color:rgba(255,195,0,255); }"));
    m_holdOn->hide();
    column->addWidget(m_holdOn);
    m_holdOnGif = named(new QLabel, "createDAZHoldOnGifLabel");
    m_holdOnGif->setAlignment(Qt::AlignCenter);
    m_wait = new QMovie(resourcesDir + QStringLiteral("/wait.gif"), QByteArray(), this);
    m_holdOnGif->setMovie(m_wait);
    m_holdOnGif->hide();
    column->addWidget(m_holdOnGif);
    column->addStretch(1);

    connect(m_create, &QPushButton::clicked, this, &CreateTab::createSceneRequested);
    connect(m_bump, &QSlider::sliderReleased, this,
            qOverload<>(&CreateTab::generateFinalNormalMap));
    connect(m_regenNormal, &QPushButton::released, this,
            &CreateTab::generateFinalNormalCustomSize);
    connect(m_normalSize, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { setNormalMapControls(m_normalSize->itemText(index)); });
    setNormalMapControls();
}

void CreateTab::setSkyMapControls(SkyMapControls* controls) {
    m_skyMap = controls;
    if (controls) {
        controls->setParent(m_skyRow);
        controls->sizeComboBox()->setFixedWidth(100);
        // The list over its button: side by side they do not fit the page.
        if (auto* row = qobject_cast<QBoxLayout*>(controls->layout()))
            row->setDirection(QBoxLayout::TopToBottom);
        m_skyRow->layout()->addWidget(controls);
        controls->show();
    }
}

QString CreateTab::groupName() const {
    return m_name->text();
}

int CreateTab::normalMapSize() const {
    return sizeOf(m_normalSize);
}

int CreateTab::textureSize() const {
    const int size = sizeOf(m_textureSize);
    return size > 0 ? size : 512;
}

SceneRequest CreateTab::request() const {
    SceneRequest r;
    r.groupName = groupName();
    r.textureSize = textureSize();
    r.normalMapSize = normalMapSize();
    r.bumpSlider = m_bump->value();
    r.skyMapSize = m_skyMap ? sizeOf(m_skyMap->sizeComboBox()) : 0;
    r.subdivision = m_subdivision->isChecked();
    r.boundingBoxes = m_boundingBoxes->isChecked();
    r.morphPercent = m_morph->value();
    return r;
}

void CreateTab::setStatusText(const QString& text) {
    m_holdOn->setText(text);
    m_holdOn->setVisible(!text.isEmpty());
}

void CreateTab::setWaiting(bool waiting) {
    if (waiting == m_waiting)
        return;
    m_waiting = waiting;
    if (waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_holdOnGif->show();
        m_wait->start();
        // The build blocks the event loop; show the label and the first
        // frame before it does.
        m_holdOn->repaint();
        m_holdOnGif->repaint();
    } else {
        m_holdOnGif->hide();
        m_wait->stop();
        QApplication::restoreOverrideCursor();
    }
}

void CreateTab::setNormalMapControls() {
    const bool on = m_normalSize->currentIndex() > 0;
    m_bump->setVisible(on);
    m_preview->setVisible(on);
    m_regenNormal->setVisible(on);
}

void CreateTab::setNormalMapControls(const QString&) {
    setNormalMapControls();
    if (m_normalSize->currentIndex() > 0)
        generateFinalNormalMap(false, false);
}

void CreateTab::generateFinalNormalMap() {
    generateFinalNormalMap(false, false);
}

void CreateTab::generateFinalNormalCustomSize() {
    generateFinalNormalMap(true, true);
}

void CreateTab::generateFinalNormalMap(bool isFinal, bool manualUpdate) {
    NormalMapRequest request;
    request.isFinal = isFinal;
    request.manualUpdate = manualUpdate;
    request.normalMapSize = normalMapSize();
    request.textureSize = textureSize();
    request.bumpSlider = m_bump->value();
    request.groupName = groupName();
    if (isFinal) {
        if (request.normalMapSize <= 0)
            return;
        // The name becomes the file's name: refused as the export refuses it.
        const QString refusal = checkGroupName(request.groupName);
        if (!refusal.isEmpty()) {
            if (Notifier* notifier = m_driver.context().notifier)
                notifier->warn(QStringLiteral("Error"), refusal);
            return;
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_preview->setPixmap(QPixmap());
    m_preview->setText(QStringLiteral("computing normal map\n\nplease wait"));
    m_preview->repaint();
    try {
        generateNormalMap(m_driver, request);
    } catch (const std::bad_alloc&) {
        QApplication::restoreOverrideCursor();
        if (Notifier* notifier = m_driver.context().notifier)
            notifier->warn(QStringLiteral("Error"),
                           QStringLiteral("Not enough memory for a %1 x %1 normal map. Please "
                                          "choose a smaller size.")
                               .arg(request.normalMapSize));
        showPreview();
        return;
    }
    showPreview();
    QApplication::restoreOverrideCursor();
}

void CreateTab::showPreview() {
    const QPixmap thumb(
        m_driver.context().paths.mapFile(QStringLiteral("NMapFFnoisePreviewThumb.jpg")));
    m_preview->setScaledContents(!thumb.isNull());
    if (thumb.isNull()) {
        // A final map made before any preview.
        m_preview->setText(QStringLiteral("no preview yet"));
        return;
    }
    m_preview->setPixmap(thumb);
}

} // namespace morvane
