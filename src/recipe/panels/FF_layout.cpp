#include "recipe/panels/FF_widgets.h"

#include "pipeline/generation_driver.h"
#include "recipe/node_types.h"
#include "recipe/panels/panel_style.h"
#include "recipe/recipe_keys.h"

#include <QComboBox>
#include <QDial>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace morvane {

namespace {
constexpr int kFinalPreviewSide = 192;
const QSize kGradientIconSize(72, 12);
} // namespace

void FF::buildWidgets() {
    Widgets& w = *m_w;
    const PipelinePaths& paths = m_context.driver.context().paths;

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(4);
    outer->addWidget(
        panel::cardTitle(QStringLiteral("FINAL STAGE"), QStringLiteral("FFTitleLabel"), this));

    // --- Final preview with the window sliders along its sides, and the
    // window and light controls at its right.
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    auto* previewGrid = new QGridLayout;
    previewGrid->setSpacing(3);
    w.preview = panel::makePreviewLabel(QStringLiteral("FFPreviewLabel"), kFinalPreviewSide, this);
    previewGrid->addWidget(w.preview, 0, 0);

    w.refresh = new QToolButton(w.preview);
    w.refresh->setObjectName(QStringLiteral("FFReGenerateNoise"));
    w.refresh->setToolTip(QStringLiteral("update the noise maps"));
    const QString refreshIcon = paths.resourcesDir() + QStringLiteral("/refresh.png");
    if (QFileInfo(refreshIcon).isFile()) {
        w.refresh->setIcon(QIcon(refreshIcon));
        w.refresh->setIconSize(QSize(18, 18));
    } else {
        w.refresh->setText(QString(QChar(0x21BB)));
    }
    w.refresh->setFixedSize(26, 26);
    w.refresh->setStyleSheet(QStringLiteral("* { color: rgba(25,25,25,255); background-color: ") +
                             style::rgba(style::kAccent) +
                             QStringLiteral("; border: 1px solid rgba(25,25,25,255);"
                                            " border-radius: 13px; font-size: 15px;"
                                            " font-weight: bold; padding: 0; }"));
    w.refresh->move(kFinalPreviewSide - 26 - 5, 5);
    w.refresh->hide();

    w.vSlider = new panel::ValueSlider(Qt::Vertical, this);
    w.vSlider->setObjectName(QStringLiteral("FFVSlider"));
    w.vSlider->setToolTip(QStringLiteral("start y of the noise window"));
    w.hSlider = new panel::ValueSlider(Qt::Horizontal, this);
    w.hSlider->setObjectName(QStringLiteral("FFHSlider"));
    w.hSlider->setToolTip(QStringLiteral("start x of the noise window"));
    for (panel::ValueSlider* slider : {w.hSlider, w.vSlider}) {
        const RecipeKey& key = panel::recipeKey(slider == w.hSlider ? "startX" : "startY");
        slider->setRange(key.minimum, key.maximum);
        slider->setSingleStep(1);
        slider->setPageStep(4);
    }
    previewGrid->addWidget(w.vSlider, 0, 1);
    previewGrid->addWidget(w.hSlider, 1, 0);
    w.startReadout = new QLabel(this);
    w.startReadout->setObjectName(QStringLiteral("FFStartReadout"));
    w.startReadout->setAlignment(Qt::AlignCenter);
    previewGrid->addWidget(w.startReadout, 1, 1);
    top->addLayout(previewGrid);

    auto* side = new QVBoxLayout;
    side->setSpacing(3);
    side->addWidget(
        panel::sectionHeader(QStringLiteral("WINDOW"), QStringLiteral("FFWindowHeader"), this));
    auto* windowForm = new QGridLayout;
    windowForm->setHorizontalSpacing(6);
    windowForm->setVerticalSpacing(3);
    w.boundsLabel =
        panel::formLabel(QStringLiteral("noise size"), QStringLiteral("FFBoundsLabel"), this);
    w.bounds =
        panel::makeSpinBox(QStringLiteral("FFBoundsSpinBox"), panel::recipeKey("noiseSize"), this);
    windowForm->addWidget(w.boundsLabel, 0, 0);
    windowForm->addWidget(w.bounds, 0, 1);
    const panel::SliderRow previewRow =
        panel::makeSliderRow(QStringLiteral("FFPreviewImageSlider"), 1, 2, this);
    w.previewSize = previewRow.slider;
    windowForm->addWidget(panel::formLabel(QStringLiteral("preview size"),
                                           QStringLiteral("FFPreviewImageLabel"), this),
                          1, 0);
    windowForm->addWidget(previewRow.row, 1, 1);
    side->addLayout(windowForm);

    side->addWidget(
        panel::sectionHeader(QStringLiteral("LIGHT"), QStringLiteral("FFLightHeader"), this));
    w.light = new QPushButton(QStringLiteral("Light ON"), this);
    w.light->setObjectName(QStringLiteral("FFSetLightButton"));
    w.light->setToolTip(QStringLiteral("switch the light of the texture pictures"));
    side->addWidget(w.light);
    auto* lightForm = new QGridLayout;
    lightForm->setHorizontalSpacing(6);
    lightForm->setVerticalSpacing(3);
    const panel::SliderRow contrastRow =
        panel::makeSliderRow(QStringLiteral("FFLightContrastSlider"), 1, 10, this);
    const panel::SliderRow intensityRow =
        panel::makeSliderRow(QStringLiteral("FFLightIntensitySlider"), 0, 100, this);
    w.contrast = contrastRow.slider;
    w.intensity = intensityRow.slider;
    lightForm->addWidget(
        panel::formLabel(QStringLiteral("contrast"), QStringLiteral("FFLightContrastLabel"), this),
        0, 0);
    lightForm->addWidget(contrastRow.row, 0, 1);
    lightForm->addWidget(panel::formLabel(QStringLiteral("intensity"),
                                          QStringLiteral("FFLightIntensityLabel"), this),
                         1, 0);
    lightForm->addWidget(intensityRow.row, 1, 1);
    side->addLayout(lightForm);

    auto* dials = new QGridLayout;
    dials->setHorizontalSpacing(4);
    dials->setVerticalSpacing(0);
    auto makeDial = [this](const QString& name, const QString& tip) {
        auto* dial = new QDial(this);
        dial->setObjectName(name);
        dial->setRange(0, 360);
        dial->setWrapping(true);
        dial->setNotchesVisible(true);
        dial->setNotchTarget(15);
        dial->setFixedSize(52, 52);
        dial->setToolTip(tip);
        return dial;
    };
    w.azimuth = makeDial(QStringLiteral("FFAzimuthDial"), QStringLiteral("light azimuth"));
    w.elevation = makeDial(QStringLiteral("FFElevationDial"), QStringLiteral("light elevation"));
    w.azimuthLabel = panel::formLabel(QString(), QStringLiteral("FFAzimuthLabel"), this);
    w.elevationLabel = panel::formLabel(QString(), QStringLiteral("FFElevationLabel"), this);
    dials->addWidget(w.azimuth, 0, 0, Qt::AlignHCenter);
    dials->addWidget(w.elevation, 0, 1, Qt::AlignHCenter);
    dials->addWidget(w.azimuthLabel, 1, 0, Qt::AlignHCenter);
    dials->addWidget(w.elevationLabel, 1, 1, Qt::AlignHCenter);
    side->addLayout(dials);
    side->addStretch(1);
    top->addLayout(side, 1);
    outer->addLayout(top);

    // --- Gradients and map style.
    outer->addWidget(panel::sectionHeader(QStringLiteral("GRADIENTS & MAP STYLE"),
                                          QStringLiteral("FFGradientsHeader"), this));
    auto* styleRow = new QHBoxLayout;
    styleRow->setSpacing(6);
    w.heightMapLabel = new QLabel(QStringLiteral("HEIGHT MAP"), this);
    w.heightMapLabel->setObjectName(QStringLiteral("FFHeightMapLabel"));
    w.textureMapLabel = new QLabel(QStringLiteral("TEXTURE MAP"), this);
    w.textureMapLabel->setObjectName(QStringLiteral("FFTextureMapLabel"));
    for (QLabel* label : {w.heightMapLabel, w.textureMapLabel}) {
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumHeight(20);
    }
    w.mapStyle = new QSlider(Qt::Horizontal, this);
    w.mapStyle->setObjectName(QStringLiteral("FFSetCurrentMapSlider"));
    w.mapStyle->setRange(0, 1);
    w.mapStyle->setPageStep(1);
    w.mapStyle->setFixedWidth(40);
    w.mapStyle->setToolTip(QStringLiteral("show height or texture previews"));
    styleRow->addWidget(w.heightMapLabel, 1);
    styleRow->addWidget(w.mapStyle);
    styleRow->addWidget(w.textureMapLabel, 1);
    outer->addLayout(styleRow);

    auto* lists = new QHBoxLayout;
    lists->setSpacing(6);
    w.left = new QListWidget(this);
    w.left->setObjectName(QStringLiteral("FFGradientTypeListViewLeft"));
    w.left->setToolTip(QStringLiteral("gradient of the first texture"));
    w.right = new QListWidget(this);
    w.right->setObjectName(QStringLiteral("FFGradientTypeListViewRight"));
    w.right->setToolTip(QStringLiteral("gradient of the second texture"));
    const QStringList gradients = paths.gradientNames();
    for (const QString& name : gradients) {
        // One scaled icon for both lists: the pictures are 2048 wide.
        const QPixmap picture(paths.gradientFile(name));
        const QIcon icon(picture.isNull() ? QPixmap()
                                          : picture.scaled(kGradientIconSize, Qt::IgnoreAspectRatio,
                                                           Qt::SmoothTransformation));
        for (QListWidget* list : {w.left, w.right}) {
            auto* item = new QListWidgetItem(icon, name, list);
            item->setToolTip(name);
        }
    }
    for (QListWidget* list : {w.left, w.right}) {
        list->setIconSize(kGradientIconSize);
        list->setUniformItemSizes(true);
        list->setFixedHeight(5 * 18 + 4);
        lists->addWidget(list, 1);
    }
    outer->addLayout(lists);

    // --- Turbulence.
    outer->addWidget(panel::sectionHeader(QStringLiteral("TURBULENCE"),
                                          QStringLiteral("FFTurbulenceHeader"), this));
    auto* turbulence = new QGridLayout;
    turbulence->setHorizontalSpacing(6);
    turbulence->setVerticalSpacing(3);
    w.turbulenceFrequency = panel::makeSpinBox(QStringLiteral("FFTurbulenceFrequency"),
                                               panel::recipeKey("T1frequency"), this);
    w.turbulencePower =
        panel::makeSpinBox(QStringLiteral("FFTurbulencePower"), panel::recipeKey("T1power"), this);
    w.turbulenceRoughness = panel::makeSpinBox(QStringLiteral("FFTurbulenceRoughness"),
                                               panel::recipeKey("T1roughness"), this);
    w.turbulenceSeed = new QPushButton(QStringLiteral("refresh turbulence map"), this);
    w.turbulenceSeed->setObjectName(QStringLiteral("FFTurbulenceSeed"));
    w.turbulenceSeed->setToolTip(QStringLiteral("reseed the turbulence noise map"));
    turbulence->addWidget(panel::formLabel(QStringLiteral("turbulence frequency"),
                                           QStringLiteral("FFTurbulenceFrequencyLabel"), this),
                          0, 0);
    turbulence->addWidget(w.turbulenceFrequency, 0, 1);
    turbulence->addWidget(panel::formLabel(QStringLiteral("turbulence power"),
                                           QStringLiteral("FFTurbulencePowerLabel"), this),
                          0, 2);
    turbulence->addWidget(w.turbulencePower, 0, 3);
    turbulence->addWidget(panel::formLabel(QStringLiteral("turbulence roughness"),
                                           QStringLiteral("FFTurbulenceRoughnessLabel"), this),
                          1, 0);
    turbulence->addWidget(w.turbulenceRoughness, 1, 1);
    turbulence->addWidget(w.turbulenceSeed, 1, 2, 1, 2);
    outer->addLayout(turbulence);

    // --- Erosion.
    outer->addWidget(
        panel::sectionHeader(QStringLiteral("EROSION"), QStringLiteral("FFErosionHeader"), this));
    auto* erosion = new QGridLayout;
    erosion->setHorizontalSpacing(6);
    erosion->setVerticalSpacing(3);
    w.erosionType = new QComboBox(this);
    w.erosionType->setObjectName(QStringLiteral("FFErosionTypeComboBox"));
    w.erosionType->addItems(erosionTypeNames());
    w.iterations = panel::makeSpinBox(QStringLiteral("FFErosionIterationsSpinBox"),
                                      panel::recipeKey("erosionIterations"), this);
    w.iterationsLabel = panel::formLabel(QStringLiteral("iterations"),
                                         QStringLiteral("FFErosionIterationsLabel"), this);
    erosion->addWidget(panel::formLabel(QStringLiteral("erosion type"),
                                        QStringLiteral("FFErosionTypeLabel"), this),
                       0, 0);
    erosion->addWidget(w.erosionType, 0, 1);
    erosion->addWidget(w.iterationsLabel, 0, 2);
    erosion->addWidget(w.iterations, 0, 3);
    struct Hydraulic {
        CommitSpinBox** spin;
        const char* name;
        const char* key;
        const char* label;
        const char* tip;
    };
    const Hydraulic hydraulics[4] = {
        {&w.rain, "FFErosionRainAmountSpinBox", "erosionRain", "rain amount",
         "set the amount of rain dropped per pixel each iteration [1-100]"},
        {&w.solubility, "FFErosionSolubilitySpinBox", "erosionSolubility", "solubility",
         "set how much sediment a unit of water will erode [1-100]"},
        {&w.evaporation, "FFErosionEvaporationSpinBox", "erosionEvaporation", "evaporation",
         "set how much water evaporates from each pixel each iteration [1-150]"},
        {&w.capacity, "FFErosionCapacitySpinBox", "erosionCapacity", "capacity",
         "set how much sediment a unit of water can hold [1-100]"},
    };
    for (int i = 0; i < 4; ++i) {
        const Hydraulic& h = hydraulics[i];
        *h.spin = panel::makeSpinBox(QLatin1String(h.name), panel::recipeKey(h.key), this);
        (*h.spin)->setToolTip(QLatin1String(h.tip));
        QLabel* label = panel::formLabel(QLatin1String(h.label),
                                         QLatin1String(h.name) + QStringLiteral("Label"), this);
        label->setToolTip(QLatin1String(h.tip));
        w.hydraulicLabels[std::size_t(i)] = label;
        erosion->addWidget(label, 1 + i / 2, (i % 2) * 2);
        erosion->addWidget(*h.spin, 1 + i / 2, (i % 2) * 2 + 1);
    }
    outer->addLayout(erosion);

    // --- Terrain.
    outer->addWidget(
        panel::sectionHeader(QStringLiteral("TERRAIN"), QStringLiteral("FFTerrainHeader"), this));
    auto* terrain = new QGridLayout;
    terrain->setHorizontalSpacing(6);
    terrain->setVerticalSpacing(3);
    w.terrainSize = new QSlider(Qt::Horizontal, this);
    w.terrainSize->setObjectName(QStringLiteral("FFTerrainSizeSlider"));
    w.terrainSize->setRange(1, 5);
    w.terrainSize->setPageStep(1);
    w.terrainSizeText = new QLineEdit(QStringLiteral("0"), this);
    w.terrainSizeText->setObjectName(QStringLiteral("FFTerrainSizeLineEdit"));
    w.terrainSizeText->setInputMask(QStringLiteral("9999999"));
    w.terrainSizeText->setToolTip(QStringLiteral("terrain size in centimetres"));
    w.terrainSizeText->setFixedWidth(72);
    w.heightLow =
        panel::makeSpinBox(QStringLiteral("FFTerrainElevationLowSpinBox"), -10000, 0, this);
    w.heightLow->setToolTip(
        QStringLiteral("enter terrain minimum height, between -infinite and 0"));
    w.heightUp = panel::makeSpinBox(QStringLiteral("FFTerrainElevationUpSpinBox"), 0, 9000, this);
    w.heightUp->setValue(15);
    w.heightUp->setToolTip(QStringLiteral("enter terrain maximum height, between 0 and infinite"));
    terrain->addWidget(panel::formLabel(QStringLiteral("terrain size"),
                                        QStringLiteral("FFTerrainSizeLabel"), this),
                       0, 0);
    terrain->addWidget(w.terrainSize, 0, 1, 1, 2);
    terrain->addWidget(w.terrainSizeText, 0, 3);
    terrain->addWidget(panel::formLabel(QStringLiteral("terrain height"),
                                        QStringLiteral("FFTerrainHeightLabel"), this),
                       1, 0);
    terrain->addWidget(w.heightLow, 1, 1);
    terrain->addWidget(
        panel::formLabel(QStringLiteral("to"), QStringLiteral("FFTerrainToLabel"), this), 1, 2,
        Qt::AlignCenter);
    terrain->addWidget(w.heightUp, 1, 3);
    terrain->setColumnStretch(1, 1);
    outer->addLayout(terrain);
}

} // namespace morvane
