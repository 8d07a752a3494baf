#include "recipe/panels/FF_widgets.h"

#include "common/seed_source.h"
#include "common/user_prompts.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/pipeline_view.h"
#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/panel_widgets.h"
#include "recipe/panels/panel_style.h"

#include <QComboBox>
#include <QDial>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <array>

namespace morvane {

namespace {

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


FF::FF(const PanelContext& context, PipelineView& view, QWidget* parent)
    : QFrame(parent), m_context(context), m_view(view), m_w(std::make_unique<Widgets>()) {
    setObjectName(QStringLiteral("FF"));
    setStyleSheet(panel::cardStyleSheet(objectName()));
    setFixedWidth(400);
    buildWidgets();
    Widgets& w = *m_w;
    auto updateStart = [this] {
        m_w->startReadout->setText(QString::number(m_w->hSlider->value()) + QLatin1Char(',') +
                                   QString::number(m_w->vSlider->value()));
    };

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
