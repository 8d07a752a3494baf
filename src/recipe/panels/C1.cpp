#include "recipe/panels/C1.h"

#include "common/seed_source.h"
#include "common/user_prompts.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/panel_widgets.h"
#include "recipe/recipe_keys.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

namespace morvane {

namespace {

// The folder of the last control-noise picture, offered by the next dialog
// for as long as the program runs.
QString& lastImageFolder() {
    static QString folder;
    return folder;
}

// Types whose control noise a reseed changes.
bool reseedable(InputType type) {
    switch (type) {
    case InputType::Billow:
    case InputType::MultiFractal:
    case InputType::Perlin:
    case InputType::Voronoi:
    case InputType::GaborConvolution:
        return true;
    default:
        return false;
    }
}

enum Slider { Frequency, Lacunarity, Quality, Octaves, Persistence, Displacement, Falloff, Count };

} // namespace

struct C1::Widgets {
    QLabel* preview = nullptr;
    QComboBox* combinerType = nullptr;
    QComboBox* noiseType = nullptr;
    QPushButton* seedButton = nullptr;
    QLabel* combinerLabel = nullptr;
    QLabel* noiseLabel = nullptr;
    std::array<panel::SliderRow, Slider::Count> sliders;
    std::array<QLabel*, Slider::Count> labels{};
};

C1::C1(const PanelContext& context, QWidget* parent)
    : QFrame(parent), m_context(context), m_w(std::make_unique<Widgets>()) {
    setObjectName(QStringLiteral("C1"));
    setStyleSheet(panel::cardStyleSheet(objectName()));
    setFixedWidth(400);
    Widgets& w = *m_w;

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    outer->addWidget(
        panel::cardTitle(QStringLiteral("COMBINER"), QStringLiteral("C1TitleLabel"), this));

    // Preview at the left, the two types and the seed at its right.
    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    w.preview = panel::makePreviewLabel(QStringLiteral("C1PreviewLabel"), 128, this);
    w.preview->setToolTip(QStringLiteral("control noise"));
    top->addWidget(w.preview, 0, Qt::AlignTop);

    auto* types = new QVBoxLayout;
    types->setSpacing(3);
    w.combinerLabel =
        panel::formLabel(QStringLiteral("combiner"), QStringLiteral("C1TerrainTypeLabel"), this);
    w.combinerType = new QComboBox(this);
    w.combinerType->setObjectName(QStringLiteral("C1TerrainType"));
    w.combinerType->addItems(combinerTypeNames());
    w.noiseLabel =
        panel::formLabel(QStringLiteral("control noise"), QStringLiteral("C1NoiseTypeLabel"), this);
    w.noiseType = new QComboBox(this);
    w.noiseType->setObjectName(QStringLiteral("C1NoiseType"));
    w.noiseType->addItems(inputTypeNames());
    w.seedButton = new QPushButton(QStringLiteral("reseed"), this);
    w.seedButton->setObjectName(QStringLiteral("C1SeedButton"));
    w.seedButton->setToolTip(QStringLiteral("reseed noise map"));
    types->addWidget(w.combinerLabel);
    types->addWidget(w.combinerType);
    types->addSpacing(4);
    types->addWidget(w.noiseLabel);
    types->addWidget(w.noiseType);
    types->addSpacing(4);
    types->addWidget(w.seedButton, 0, Qt::AlignLeft);
    types->addStretch(1);
    top->addLayout(types, 1);
    outer->addLayout(top);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(3);
    struct SliderDef {
        const char* key;
        const char* name;
        const char* label;
    };
    const SliderDef defs[Slider::Count] = {
        {"C1frequency", "C1FrequencySlider", "frequency"},
        {"C1lacunarity", "C1LacunaritySlider", "lacunarity"},
        {"C1quality", "C1QualitySlider", "quality"},
        {"C1octaves", "C1OctavesSlider", "octaves"},
        {"C1persistence", "C1PersistenceSlider", "persistence"},
        {"C1displacement", "C1DisplacementSlider", "displacement"},
        {"C1falloff", "C1EdgeFalloffSlider", "falloff"},
    };
    for (int i = 0; i < Slider::Count; ++i) {
        const QString name = QLatin1String(defs[i].name);
        w.sliders[std::size_t(i)] =
            panel::makeSliderRow(name, panel::recipeKey(defs[i].key), this);
        w.labels[std::size_t(i)] =
            panel::formLabel(QLatin1String(defs[i].label), name + QStringLiteral("Label"), this);
        form->addRow(w.labels[std::size_t(i)], w.sliders[std::size_t(i)].row);
    }
    outer->addLayout(form);

    // Every control writes the recipe at once; releases and type changes
    // then ask for an evaluation.
    CombinerNode& node = m_context.driver.state().recipe.combiner;
    connect(w.combinerType, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this, &node](int index) {
                node.terrainType = index;
                C1ChooseNoise(m_w->combinerType->itemText(index));
            });
    connect(w.noiseType, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this, &node](int index) {
                node.noiseType = index;
                C1ChooseNoise(m_w->noiseType->itemText(index));
            });
    connect(w.noiseType, &QComboBox::textActivated, this, &C1::C1ActivateNoise);
    connect(w.seedButton, &QPushButton::released, this, &C1::C1ReSeed);

    int* const fields[Slider::Count] = {&node.frequency, &node.lacunarity,  &node.quality,
                                        &node.octaves,   &node.persistence, &node.displacement,
                                        &node.falloff};
    for (int i = 0; i < Slider::Count; ++i) {
        QSlider* slider = w.sliders[std::size_t(i)].slider;
        int* field = fields[i];
        connect(slider, &QSlider::valueChanged, this, [field](int value) { *field = value; });
        connect(slider, &QSlider::sliderReleased, this, qOverload<>(&C1::C1ChooseNoise));
    }

    syncFromRecipe();
}

C1::~C1() = default;

QLabel* C1::previewLabel() const {
    return m_w->preview;
}

void C1::showPreview(const QString& pictureFile) {
    panel::showPicture(m_w->preview, pictureFile);
}

void C1::syncFromRecipe() {
    const CombinerNode& node = m_context.driver.state().recipe.combiner;
    Widgets& w = *m_w;
    {
        const QSignalBlocker a(w.combinerType), b(w.noiseType);
        w.combinerType->setCurrentIndex(int(combinerTypeAt(node.terrainType)));
        w.noiseType->setCurrentIndex(int(inputTypeAt(node.noiseType)));
    }
    const int values[Slider::Count] = {node.frequency, node.lacunarity,  node.quality,
                                       node.octaves,   node.persistence, node.displacement,
                                       node.falloff};
    for (int i = 0; i < Slider::Count; ++i) {
        QSlider* slider = w.sliders[std::size_t(i)].slider;
        const QSignalBlocker blocker(slider);
        slider->setValue(values[i]);
    }
    setControlsVisibility();
}

void C1::setControlsVisibility() {
    const CombinerNode& node = m_context.driver.state().recipe.combiner;
    Widgets& w = *m_w;
    const bool uses = combinerUsesControlNoise(combinerTypeAt(node.terrainType));
    const InputControls shown = inputControlsFor(inputTypeAt(node.noiseType));
    const bool visible[Slider::Count] = {
        shown.frequency,   shown.lacunarity,   shown.quality, shown.octaves,
        shown.persistence, shown.displacement, true};
    for (int i = 0; i < Slider::Count; ++i) {
        const panel::SliderRow& row = w.sliders[std::size_t(i)];
        // The slider too, so isHidden() of the control tells the same.
        row.row->setVisible(visible[i]);
        row.slider->setVisible(visible[i]);
        w.labels[std::size_t(i)]->setVisible(visible[i]);
        row.row->setEnabled(uses);
        w.labels[std::size_t(i)]->setStyleSheet(panel::labelStyle(!uses));
        row.readout->setStyleSheet(panel::labelStyle(!uses));
    }
    for (QWidget* control : {static_cast<QWidget*>(w.noiseType),
                             static_cast<QWidget*>(w.seedButton), static_cast<QWidget*>(w.preview)})
        control->setEnabled(uses);
    w.noiseLabel->setStyleSheet(panel::labelStyle(!uses));
}

void C1::C1ChooseNoise(const QString& typeName) {
    // "Image" waits for C1ActivateNoise: the picture must be chosen first.
    if (typeName == inputTypeNames().at(int(InputType::Image)))
        return;
    CombinerNode& node = m_context.driver.state().recipe.combiner;
    // A new control-noise type starts from a new seed; a new combiner type
    // keeps the control noise as it is.
    if (inputTypeNames().contains(typeName))
        node.seedNumber = m_context.seeds.drawSeed();
    setControlsVisibility();
    m_context.driver.recipeChanged();
}

void C1::C1ChooseNoise() {
    m_context.driver.recipeChanged();
}

void C1::C1ActivateNoise(const QString& typeName) {
    if (typeName != inputTypeNames().at(int(InputType::Image)))
        return;
    CombinerNode& node = m_context.driver.state().recipe.combiner;
    QString& folder = lastImageFolder();
    if (folder.isEmpty() && !node.noiseImageFile.isEmpty())
        folder = QFileInfo(node.noiseImageFile).absolutePath();
    const QString file = m_context.prompts.chooseOpenFile(
        QStringLiteral("Open File"), folder, QStringLiteral("Images (*.png *.xpm *.jpg *.bmp)"));
    if (!file.isEmpty()) {
        folder = QFileInfo(file).absolutePath();
        node.noiseImageFile = file;
        node.noiseType = int(InputType::Image);
        {
            const QSignalBlocker blocker(m_w->noiseType);
            m_w->noiseType->setCurrentIndex(node.noiseType);
        }
        setControlsVisibility();
        m_context.driver.evaluate();
        return;
    }
    m_context.prompts.warn(QStringLiteral("Error"),
                           QStringLiteral("no image chosen, selecting constant noise"));
    if (m_w->noiseType->currentIndex() != 0) {
        // The index change writes the recipe and asks for the evaluation.
        m_w->noiseType->setCurrentIndex(0);
    } else {
        node.noiseType = 0;
        setControlsVisibility();
    }
}

void C1::C1ReSeed() {
    CombinerNode& node = m_context.driver.state().recipe.combiner;
    if (!reseedable(inputTypeAt(node.noiseType)))
        return;
    node.seedNumber = m_context.seeds.drawSeed();
    m_context.driver.evaluate();
}

} // namespace morvane
