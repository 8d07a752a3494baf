#include "recipe/panels/FF.h"

#include "common/seed_source.h"
#include "common/user_prompts.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/pipeline_view.h"
#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/panel_widgets.h"
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
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace morvane {

namespace {

constexpr int kFinalPreviewSide = 192;
const QSize kGradientIconSize(72, 12);

QString selectedMapLabelStyle() {
    return QStringLiteral("* { \ncolor: rgba(255,255,255,255);\nbackground-color: "
                          "rgba(71,120,247,255);\ntext-align:center;\nfont-size:11px;\n"
                          "font-weight:bold;\nborder:1px solid rgba(128,128,128,255);\n}");
}

QString unselectedMapLabelStyle() {
    return QStringLiteral("* { \ncolor: rgba(200,200,200,255);\ntext-align:center;\n"
                          "font-size:11px;\nfont-weight:bold;\n}");
}

QString lightButtonStyle(bool lit) {
    return lit ? QStringLiteral("* { color: rgba(255,255,255,255); background-color: ") +
                     style::rgba(style::kBlue) + QStringLiteral("; font-weight: bold; }")
               : QStringLiteral("* { color: rgba(200,200,200,255); background-color: ") +
                     style::rgba(style::kDark) + QStringLiteral("; }");
}

QString degrees(const char* prefix, int value) {
    return QLatin1String(prefix) + QString::number(value) + QChar(0x00B0);
}

// The last row named `name`, -1 when there is none.
int lastRowNamed(const QListWidget* list, const QString& name) {
    for (int row = list->count() - 1; row >= 0; --row)
        if (list->item(row)->text() == name)
            return row;
    return -1;
}

QString currentText(const QListWidget* list, const QString& fallback) {
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : fallback;
}

// The pictures the map-style switch puts into the final, input and
// deformer previews, by prefix "H" (height) or "T" (texture).
const std::array<std::pair<PreviewSlot, const char*>, 5>& swappedPreviews() {
    static const std::array<std::pair<PreviewSlot, const char*>, 5> previews = {{
        {PreviewSlot::Final, "FFnoisePreview.jpg"},
        {PreviewSlot::Input1, "I1noisePreview.jpg"},
        {PreviewSlot::Input2, "I2noisePreview.jpg"},
        {PreviewSlot::Deformer1, "D1noisePreview.jpg"},
        {PreviewSlot::Deformer2, "D2noisePreview.jpg"},
    }};
    return previews;
}

} // namespace

struct FF::Widgets {
    QLabel* preview = nullptr;
    QToolButton* refresh = nullptr;

    CommitSpinBox* bounds = nullptr;
    QLabel* boundsLabel = nullptr;
    panel::ValueSlider* hSlider = nullptr;
    panel::ValueSlider* vSlider = nullptr;
    panel::ValueSlider* previewSize = nullptr;

    QListWidget* left = nullptr;
    QListWidget* right = nullptr;
    QSlider* mapStyle = nullptr;
    QLabel* heightMapLabel = nullptr;
    QLabel* textureMapLabel = nullptr;

    QPushButton* light = nullptr;
    panel::ValueSlider* contrast = nullptr;
    panel::ValueSlider* intensity = nullptr;
    QDial* azimuth = nullptr;
    QDial* elevation = nullptr;
    QLabel* azimuthLabel = nullptr;
    QLabel* elevationLabel = nullptr;

    CommitSpinBox* turbulenceFrequency = nullptr;
    CommitSpinBox* turbulencePower = nullptr;
    CommitSpinBox* turbulenceRoughness = nullptr;
    QPushButton* turbulenceSeed = nullptr;

    QComboBox* erosionType = nullptr;
    CommitSpinBox* iterations = nullptr;
    CommitSpinBox* rain = nullptr;
    CommitSpinBox* solubility = nullptr;
    CommitSpinBox* evaporation = nullptr;
    CommitSpinBox* capacity = nullptr;
    QLabel* iterationsLabel = nullptr;
    std::array<QLabel*, 4> hydraulicLabels{};

    QSlider* terrainSize = nullptr;
    QLineEdit* terrainSizeText = nullptr;
    CommitSpinBox* heightLow = nullptr;
    CommitSpinBox* heightUp = nullptr;

    // The style the lists and labels show, and the gradient rows chosen
    // before the switch to height previews.
    int shownStyle = 0;
    int rememberedLeft = -1;
    int rememberedRight = -1;
};

FF::FF(const PanelContext& context, PipelineView& view, QWidget* parent)
    : QFrame(parent), m_context(context), m_view(view), m_w(std::make_unique<Widgets>()) {
    setObjectName(QStringLiteral("FF"));
    setStyleSheet(panel::cardStyleSheet(objectName()));
    setFixedWidth(400);
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
    auto* startReadout = new QLabel(this);
    startReadout->setObjectName(QStringLiteral("FFStartReadout"));
    startReadout->setAlignment(Qt::AlignCenter);
    previewGrid->addWidget(startReadout, 1, 1);
    auto updateStart = [this, startReadout] {
        startReadout->setText(QString::number(m_w->hSlider->value()) + QLatin1Char(',') +
                              QString::number(m_w->vSlider->value()));
    };
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

    // --- Connections: every control writes its field at once; releases and
    // commits ask the driver.
    PipelineState& state = m_context.driver.state();
    TerrainRecipe& recipe = state.recipe;
    FinalStageSettings& fs = state.finalStage;
    auto valueChanged = QOverload<int>::of(&QSpinBox::valueChanged);
    auto writes = [this](auto* control, auto signal, int* field) {
        connect(control, signal, this, [field](int value) { *field = value; });
    };

    writes(w.bounds, valueChanged, &recipe.noiseSize);
    connect(w.bounds, valueChanged, this, &FF::setRefreshButton);
    connect(w.bounds, &CommitSpinBox::committed, this, qOverload<>(&FF::refreshNoise));
    writes(w.hSlider, &QSlider::valueChanged, &recipe.startX);
    writes(w.vSlider, &QSlider::valueChanged, &recipe.startY);
    for (QSlider* slider : {w.hSlider, w.vSlider}) {
        connect(slider, &QSlider::valueChanged, this, updateStart);
        connect(slider, &QSlider::sliderReleased, this, qOverload<>(&FF::refreshNoise));
    }
    writes(w.previewSize, &QSlider::valueChanged, &fs.previewResolution);
    connect(w.previewSize, &QSlider::sliderReleased, this, qOverload<>(&FF::refreshNoise));
    connect(w.refresh, &QToolButton::released, this, qOverload<>(&FF::refreshNoise));

    for (QListWidget* list : {w.left, w.right})
        connect(list, &QListWidget::currentRowChanged, this, qOverload<int>(&FF::refreshNoise));
    connect(w.mapStyle, &QSlider::valueChanged, this, &FF::setCurrentMapStyles);

    connect(w.light, &QPushButton::released, this, &FF::setLightState);
    writes(w.contrast, &QSlider::valueChanged, &fs.lightContrast);
    writes(w.intensity, &QSlider::valueChanged, &fs.lightIntensity);
    writes(w.azimuth, &QDial::valueChanged, &fs.lightAzimuth);
    writes(w.elevation, &QDial::valueChanged, &fs.lightElevation);
    for (QAbstractSlider* control :
         std::initializer_list<QAbstractSlider*>{w.contrast, w.intensity, w.azimuth, w.elevation})
        connect(control, &QAbstractSlider::valueChanged, this, &FF::setRefreshButton);
    connect(w.azimuth, &QDial::sliderReleased, this, &FF::setAzimuthDial);
    connect(w.elevation, &QDial::sliderReleased, this, &FF::setElevationDial);
    // Keys and the wheel turn a dial without a release; keep the label true.
    connect(w.azimuth, &QDial::valueChanged, this, &FF::setAzimuthDial);
    connect(w.elevation, &QDial::valueChanged, this, &FF::setElevationDial);

    writes(w.turbulenceFrequency, valueChanged, &recipe.turbulence.frequency);
    writes(w.turbulencePower, valueChanged, &recipe.turbulence.power);
    writes(w.turbulenceRoughness, valueChanged, &recipe.turbulence.roughness);
    for (CommitSpinBox* spin :
         {w.turbulenceFrequency, w.turbulencePower, w.turbulenceRoughness}) {
        connect(spin, valueChanged, this, &FF::setRefreshButton);
        connect(spin, &CommitSpinBox::committed, this, qOverload<>(&FF::refreshNoise));
    }
    connect(w.turbulenceSeed, &QPushButton::released, this, &FF::FFReSeed);

    writes(w.erosionType, QOverload<int>::of(&QComboBox::currentIndexChanged),
           &recipe.erosion.type);
    connect(w.erosionType, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &FF::setRefreshButton);
    writes(w.iterations, valueChanged, &recipe.erosion.iterations);
    writes(w.rain, valueChanged, &recipe.erosion.rain);
    writes(w.solubility, valueChanged, &recipe.erosion.solubility);
    writes(w.evaporation, valueChanged, &recipe.erosion.evaporation);
    writes(w.capacity, valueChanged, &recipe.erosion.capacity);
    for (CommitSpinBox* spin :
         {w.iterations, w.rain, w.solubility, w.evaporation, w.capacity})
        connect(spin, valueChanged, this, &FF::setRefreshButton);

    connect(w.terrainSize, &QSlider::valueChanged, this, &FF::setTerrainSize);
    connect(w.terrainSizeText, &QLineEdit::textChanged, this,
            [&fs](const QString& text) { fs.terrainSizeText = text; });
    writes(w.heightLow, valueChanged, &fs.terrainHeightLow);
    writes(w.heightUp, valueChanged, &fs.terrainHeightUp);

    syncFromRecipe();
    updateStart();
    setTerrainSize(w.terrainSize->value());
}

FF::~FF() = default;

QLabel* FF::previewLabel() const {
    return m_w->preview;
}

void FF::showPreview(const QString& pictureFile) {
    panel::showPicture(m_w->preview, pictureFile);
}

void FF::setRefreshButtonVisible(bool visible) {
    m_w->refresh->setVisible(visible);
    if (visible)
        m_w->refresh->raise();
}

void FF::setInitialGradients() {
    Widgets& w = *m_w;
    for (QListWidget* list : {w.left, w.right}) {
        const QSignalBlocker blocker(list);
        list->setCurrentRow(0);
        list->setEnabled(false);
    }
    TerrainRecipe& recipe = m_context.driver.state().recipe;
    recipe.gradient1 = QLatin1String(TerrainRecipe::kDefaultGradient);
    recipe.gradient2 = QLatin1String(TerrainRecipe::kDefaultGradient);
    w.rememberedLeft = w.rememberedRight = -1;
}

void FF::syncFromRecipe() {
    Widgets& w = *m_w;
    const PipelineState& state = m_context.driver.state();
    const TerrainRecipe& recipe = state.recipe;
    const FinalStageSettings& fs = state.finalStage;

    auto set = [](auto* control, int value) {
        const QSignalBlocker blocker(control);
        control->setValue(value);
    };
    set(w.bounds, recipe.noiseSize);
    set(w.hSlider, recipe.startX);
    set(w.vSlider, recipe.startY);
    set(w.turbulenceFrequency, recipe.turbulence.frequency);
    set(w.turbulencePower, recipe.turbulence.power);
    set(w.turbulenceRoughness, recipe.turbulence.roughness);
    {
        const QSignalBlocker blocker(w.erosionType);
        w.erosionType->setCurrentIndex(int(erosionTypeAt(recipe.erosion.type)));
    }
    set(w.iterations, recipe.erosion.iterations);
    set(w.rain, recipe.erosion.rain);
    set(w.solubility, recipe.erosion.solubility);
    set(w.evaporation, recipe.erosion.evaporation);
    set(w.capacity, recipe.erosion.capacity);

    set(w.contrast, fs.lightContrast);
    set(w.intensity, fs.lightIntensity);
    set(w.azimuth, fs.lightAzimuth);
    set(w.elevation, fs.lightElevation);
    set(w.previewSize, fs.previewResolution);
    set(w.mapStyle, fs.mapStyle);
    set(w.terrainSize, fs.terrainSizeSlider);
    {
        const QSignalBlocker blocker(w.terrainSizeText);
        w.terrainSizeText->setText(fs.terrainSizeText);
    }
    set(w.heightLow, fs.terrainHeightLow);
    set(w.heightUp, fs.terrainHeightUp);
    w.light->setText(fs.lightOn ? QStringLiteral("Light ON") : QStringLiteral("Light OFF"));
    w.light->setStyleSheet(lightButtonStyle(fs.lightOn));
    setAzimuthDial();
    setElevationDial();

    // Gradient rows: the texture gradients while textures are shown, the
    // height gradient (when there is one) otherwise.
    const bool texture = fs.mapStyle == 1;
    w.shownStyle = texture ? 1 : 0;
    w.heightMapLabel->setStyleSheet(texture ? unselectedMapLabelStyle() : selectedMapLabelStyle());
    w.textureMapLabel->setStyleSheet(texture ? selectedMapLabelStyle() : unselectedMapLabelStyle());
    const QString names[2] = {recipe.gradient1, recipe.gradient2};
    QListWidget* const lists[2] = {w.left, w.right};
    for (int i = 0; i < 2; ++i) {
        QListWidget* list = lists[i];
        const QSignalBlocker blocker(list);
        const int row =
            lastRowNamed(list, texture ? names[i] : QLatin1String(TerrainRecipe::kHeightGradient));
        if (row >= 0)
            list->setCurrentRow(row);
        list->setEnabled(texture);
    }
    setControlsVisibility();
}

void FF::setControlsVisibility() {
    Widgets& w = *m_w;
    const ErosionControls shown =
        erosionControlsFor(erosionTypeAt(m_context.driver.state().recipe.erosion.type));
    w.iterations->setVisible(shown.iterations);
    w.iterationsLabel->setVisible(shown.iterations);
    for (QWidget* control :
         {static_cast<QWidget*>(w.rain), static_cast<QWidget*>(w.solubility),
          static_cast<QWidget*>(w.evaporation), static_cast<QWidget*>(w.capacity)})
        control->setVisible(shown.hydraulicAmounts);
    for (QLabel* label : w.hydraulicLabels)
        label->setVisible(shown.hydraulicAmounts);
}

void FF::setWindowControlsEnabled(bool enabled) {
    Widgets& w = *m_w;
    const TerrainRecipe& recipe = m_context.driver.state().recipe;
    {
        const QSignalBlocker a(w.bounds), b(w.hSlider), c(w.vSlider);
        w.bounds->setValue(recipe.noiseSize);
        w.hSlider->setValue(recipe.startX);
        w.vSlider->setValue(recipe.startY);
    }
    w.bounds->setEnabled(enabled);
    w.hSlider->setEnabled(enabled);
    w.vSlider->setEnabled(enabled);
    w.boundsLabel->setStyleSheet(panel::labelStyle(!enabled));
}

void FF::FFReSeed() {
    m_context.driver.state().recipe.turbulence.seed = m_context.seeds.drawSeed();
    m_context.driver.evaluate();
}

void FF::setLightState() {
    FinalStageSettings& fs = m_context.driver.state().finalStage;
    fs.lightOn = !fs.lightOn;
    m_w->light->setText(fs.lightOn ? QStringLiteral("Light ON") : QStringLiteral("Light OFF"));
    m_w->light->setStyleSheet(lightButtonStyle(fs.lightOn));
    m_context.driver.evaluate();
}

void FF::setAzimuthDial() {
    m_w->azimuthLabel->setText(degrees("azimuth: ", m_w->azimuth->value()));
}

void FF::setElevationDial() {
    m_w->elevationLabel->setText(degrees("pitch: ", m_w->elevation->value()));
}

void FF::setTerrainSize(int sliderValue) {
    FinalStageSettings& fs = m_context.driver.state().finalStage;
    fs.setTerrainSize(sliderValue);
    Widgets& w = *m_w;
    const QSignalBlocker a(w.terrainSize), b(w.terrainSizeText), c(w.heightUp);
    w.terrainSize->setValue(fs.terrainSizeSlider);
    w.terrainSizeText->setText(fs.terrainSizeText);
    w.heightUp->setValue(fs.terrainHeightUp);
}

void FF::setCurrentMapStyles(int style) {
    style = style == 0 ? 0 : 1;
    Widgets& w = *m_w;
    TerrainRecipe& recipe = m_context.driver.state().recipe;
    const PipelinePaths& paths = m_context.driver.context().paths;
    const QSignalBlocker blockLeft(w.left), blockRight(w.right), blockSlider(w.mapStyle);
    w.mapStyle->setValue(style);

    if (style == 0) {
        // Only a switch away from texture previews carries the lists' texture
        // choice: in height style they show the height gradient, which must
        // never become a texture gradient.
        if (w.shownStyle == 1) {
            recipe.gradient1 = currentText(w.left, recipe.gradient1);
            recipe.gradient2 = currentText(w.right, recipe.gradient2);
            w.rememberedLeft = w.left->currentRow();
            w.rememberedRight = w.right->currentRow();
        }
        w.left->setEnabled(false);
        w.right->setEnabled(false);
        w.heightMapLabel->setStyleSheet(selectedMapLabelStyle());
        w.textureMapLabel->setStyleSheet(unselectedMapLabelStyle());
        bool missing = false;
        for (QListWidget* list : {w.left, w.right}) {
            int row = lastRowNamed(list, QLatin1String(TerrainRecipe::kHeightGradient));
            if (row < 0) {
                missing = true;
                row = 0;
            }
            list->setCurrentRow(row);
        }
        // Both lists hold the same files: one warning says it for both.
        if (missing)
            m_context.prompts.warn(QStringLiteral("Error"),
                                   QStringLiteral("Missing standard black/white gradient !"));
    } else {
        w.left->setEnabled(true);
        w.right->setEnabled(true);
        w.heightMapLabel->setStyleSheet(unselectedMapLabelStyle());
        w.textureMapLabel->setStyleSheet(selectedMapLabelStyle());
        // The remembered rows, unless the texture gradients changed since
        // (a preset); then the rows that carry their names.
        auto restore = [](QListWidget* list, int remembered, const QString& name) {
            int row = remembered;
            if (row < 0 || row >= list->count() || list->item(row)->text() != name)
                row = lastRowNamed(list, name);
            if (row < 0)
                row = remembered;
            if (row >= 0 && row < list->count())
                list->setCurrentRow(row);
        };
        restore(w.left, w.rememberedLeft, recipe.gradient1);
        restore(w.right, w.rememberedRight, recipe.gradient2);
    }
    w.shownStyle = style;
    m_context.driver.setCurrentMapStyle(style);

    const QString prefix = style == 0 ? QStringLiteral("H") : QStringLiteral("T");
    for (const auto& [slot, file] : swappedPreviews())
        m_view.showPreview(slot, paths.mapFile(prefix + QLatin1String(file)));
}

void FF::refreshNoise() {
    const TerrainRecipe& recipe = m_context.driver.state().recipe;
    m_context.driver.refreshNoise(currentText(m_w->left, recipe.gradient1),
                                  currentText(m_w->right, recipe.gradient2));
}

void FF::refreshNoise(int) {
    const TerrainRecipe& recipe = m_context.driver.state().recipe;
    m_context.driver.refreshNoiseForGradientChange(currentText(m_w->left, recipe.gradient1),
                                                   currentText(m_w->right, recipe.gradient2));
}

void FF::setRefreshButton(int) {
    if (sender() == m_w->erosionType)
        setControlsVisibility();
    m_context.driver.setRefreshButton();
}

} // namespace morvane
