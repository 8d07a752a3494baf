#include "recipe/panels/I1.h"

#include "common/seed_source.h"
#include "common/user_prompts.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/input_card.h"
#include "recipe/panels/panel_widgets.h"
#include "recipe/panels/commit_spin_box.h"
#include "recipe/recipe_keys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <array>

namespace morvane {

namespace {

const QString kPrefix = QStringLiteral("I1");

// Shared by both inputs. Cleared while a cancelled picture dialog puts the
// type combo back, so that restoring change neither reseeds nor evaluates.
bool g_chooseNoiseArmed = true;
// Folder of the last picture chosen for an "Image" input, for as long as
// the program runs.
QString g_lastImageFolder;

// Ranges come from the preset key table; both inputs share them.
const RecipeKey& inputKey(const char* name) {
    const RecipeKey* key = findRecipeKey(kPrefix + QLatin1String(name));
    Q_ASSERT(key);
    return *key;
}

const QString& imageTypeName() {
    return inputTypeNames().at(int(InputType::Image));
}

QString qualityText(int value) {
    switch (value) {
    case 1:
        return QStringLiteral("fast");
    case 3:
        return QStringLiteral("best");
    default:
        return QStringLiteral("standard");
    }
}

} // namespace

struct I1::Widgets {
    struct SliderRow {
        QWidget* row = nullptr;
        QLabel* label = nullptr;
        panel::SliderRow field;
        int InputNode::*value = nullptr;
        bool InputControls::*visibleFlag = nullptr;
        bool shown(const InputControls& c) const { return c.*visibleFlag; }
    };
    struct SpinRow {
        QLabel* label = nullptr;
        CommitSpinBox* spin = nullptr;
        int InputNode::*value = nullptr;
    };

    QLabel* title = nullptr;
    QComboBox* type = nullptr;
    QPushButton* seed = nullptr;
    QLabel* preview = nullptr;
    std::array<SliderRow, 6> sliders; // frequency .. displacement
    QFrame* multiFractal = nullptr;
    std::array<SpinRow, 3> multiFractalSpins; // offset, gain, weight
    QFrame* gabor = nullptr;
    QCheckBox* aniso = nullptr;
    // The type put back when the picture dialog of "Image" is cancelled:
    // the last type that took effect.
    int rememberedIndex = 0;

};

I1::I1(int index, const PanelContext& context, QWidget* parent)
    : QFrame(parent), m_index(index), m_context(context), m_w(std::make_unique<Widgets>()) {
    setObjectName(kPrefix + QStringLiteral("Panel"));
    setStyleSheet(card::styleSheet(kPrefix));
    setFixedWidth(card::kWidth);
    node().imageSlot = index;

    Widgets& w = *m_w;
    w.title = card::makeTitle(
        kPrefix, index == 0 ? QStringLiteral("INPUT 1") : QStringLiteral("INPUT 2"), this);
    w.type = new QComboBox(this);
    w.type->setObjectName(kPrefix + QStringLiteral("TerrainType"));
    w.type->addItems(inputTypeNames());
    w.type->setMinimumWidth(150);
    w.seed = new QPushButton(QStringLiteral("new seed"), this);
    w.seed->setObjectName(kPrefix + QStringLiteral("SeedButton"));
    w.seed->setToolTip(QStringLiteral("reseed noise map"));
    w.preview = card::makePreview(kPrefix, this);

    auto* form = new QVBoxLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(5);

    struct SliderDef {
        const char* name; // object name after the prefix
        const char* key;  // preset key after the prefix
        const char* label;
        int InputNode::*value;
        bool InputControls::*visible;
    };
    const std::array<SliderDef, 6> defs = {{
        {"Frequency", "frequency", "frequency", &InputNode::frequency, &InputControls::frequency},
        {"Lacunarity", "lacunarity", "lacunarity", &InputNode::lacunarity,
         &InputControls::lacunarity},
        {"Quality", "quality", "quality", &InputNode::quality, &InputControls::quality},
        {"Octaves", "octaves", "octaves", &InputNode::octaves, &InputControls::octaves},
        {"Persistence", "persistence", "persistence", &InputNode::persistence,
         &InputControls::persistence},
        {"Displacement", "displacement", "displacement", &InputNode::displacement,
         &InputControls::displacement},
    }};
    for (std::size_t i = 0; i < defs.size(); ++i) {
        const SliderDef& def = defs[i];
        const RecipeKey& key = inputKey(def.key);
        Widgets::SliderRow& row = w.sliders[i];
        const QString name = kPrefix + QLatin1String(def.name);
        row.label =
            card::makeFormLabel(name + QStringLiteral("Label"), QLatin1String(def.label), this);
        row.field = panel::makeSliderRow(name + QStringLiteral("Slider"), key.minimum, key.maximum,
                                         this, {"Field", 44});
        row.value = def.value;
        row.visibleFlag = def.visible;
        if (def.value == &InputNode::quality || def.value == &InputNode::octaves)
            row.field.slider->setPageStep(1);
        if (def.value == &InputNode::quality)
            row.field.slider->setReadoutText(qualityText);
        row.row = card::makeRow(name + QStringLiteral("Row"), row.label, row.field.row, this);
        form->addWidget(row.row);

        connect(row.field.slider, &QSlider::valueChanged, this, [this, i](int v) {
            node().*(m_w->sliders[i].value) = v;
        });
        connect(row.field.slider, &QSlider::sliderReleased, this, qOverload<>(&I1::I1ChooseNoise));
    }

    w.multiFractal = new QFrame(this);
    w.multiFractal->setObjectName(kPrefix + QStringLiteral("MultiFractalFrame"));
    w.multiFractal->setProperty("group", true);
    // Labels above their spin boxes: three side by side fit the card.
    auto* mfLayout = new QGridLayout(w.multiFractal);
    mfLayout->setContentsMargins(6, 4, 6, 5);
    mfLayout->setHorizontalSpacing(6);
    mfLayout->setVerticalSpacing(2);
    struct SpinDef {
        const char* name;
        const char* key;
        const char* label;
        const char* toolTip;
        int InputNode::*value;
    };
    const std::array<SpinDef, 3> spinDefs = {{
        {"MultiFractalOffsetSpinBox", "MultiFractalOffset", "offset",
         "Set MultiFractal Offset: values between -100 and +100", &InputNode::multiFractalOffset},
        {"MultiFractalGainSpinBox", "MultiFractalGain", "gain",
         "Set MultiFractal Gain: values between -200 and +200", &InputNode::multiFractalGain},
        {"MultiFractalWeightSpinBox", "MultiFractalWeight", "weight",
         "Set MultiFractal Octave Weight: values between 0 and 100",
         &InputNode::multiFractalWeight},
    }};
    for (std::size_t i = 0; i < spinDefs.size(); ++i) {
        const SpinDef& def = spinDefs[i];
        const RecipeKey& key = inputKey(def.key);
        Widgets::SpinRow& row = w.multiFractalSpins[i];
        const QString name = kPrefix + QLatin1String(def.name);
        row.label = new QLabel(QLatin1String(def.label), w.multiFractal);
        row.label->setObjectName(name + QStringLiteral("Label"));
        row.spin = new CommitSpinBox(w.multiFractal);
        row.spin->setObjectName(name);
        row.spin->setRange(key.minimum, key.maximum);
        row.spin->setToolTip(QLatin1String(def.toolTip));
        row.value = def.value;
        mfLayout->addWidget(row.label, 0, int(i));
        mfLayout->addWidget(row.spin, 1, int(i));
        connect(row.spin, qOverload<int>(&QSpinBox::valueChanged), this,
                [this, i](int v) { node().*(m_w->multiFractalSpins[i].value) = v; });
        // The spin boxes have no "released" of their own: a finished change
        // counts as one, like a slider release.
        connect(row.spin, &CommitSpinBox::committed, this, qOverload<>(&I1::I1ChooseNoise));
    }
    form->addWidget(w.multiFractal);

    w.gabor = new QFrame(this);
    w.gabor->setObjectName(kPrefix + QStringLiteral("GaborFrame"));
    w.gabor->setProperty("group", true);
    auto* gaborLayout = new QHBoxLayout(w.gabor);
    gaborLayout->setContentsMargins(6, 4, 6, 4);
    w.aniso = new QCheckBox(QStringLiteral("anisotropic"), w.gabor);
    w.aniso->setObjectName(kPrefix + QStringLiteral("GaborAnisoCheckBox"));
    gaborLayout->addWidget(w.aniso);
    gaborLayout->addStretch(1);
    form->addWidget(w.gabor);
    form->addStretch(1);

    card::assemble(this, w.title, w.type, w.seed, w.preview, form);

    // One connection writes the type and then runs the slot, so the order
    // of the two never depends on connection order.
    connect(w.type, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        if (i < 0)
            return;
        node().type = i;
        I1ChooseNoise(m_w->type->itemText(i));
    });
    connect(w.type, &QComboBox::textActivated, this, &I1::I1ActivateNoise);
    connect(w.seed, &QPushButton::released, this, &I1::I1ReSeed);
    connect(w.aniso, &QCheckBox::stateChanged, this, &I1::I1GaborAniso);

    card::applyPalette(this);
    syncFromRecipe();
}

I1::~I1() = default;

InputNode& I1::node() const {
    return m_context.driver.state().recipe.inputs[m_index];
}

void I1::syncFromRecipe() {
    Widgets& w = *m_w;
    const InputNode& n = node();
    {
        QSignalBlocker block(w.type);
        w.type->setCurrentIndex(int(inputTypeAt(n.type)));
    }
    w.rememberedIndex = w.type->currentIndex();
    for (const Widgets::SliderRow& row : w.sliders) {
        QSignalBlocker block(row.field.slider);
        row.field.slider->setValue(n.*(row.value));
    }
    for (const Widgets::SpinRow& row : w.multiFractalSpins) {
        QSignalBlocker block(row.spin);
        row.spin->setValue(n.*(row.value));
    }
    {
        QSignalBlocker block(w.aniso);
        w.aniso->setCheckState(n.gaborAnisotropic != 0 ? Qt::Checked : Qt::Unchecked);
    }
    setControlsVisibility();
}

void I1::showPreview(const QString& pictureFile) {
    panel::showPicture(m_w->preview, pictureFile);
}

QLabel* I1::previewLabel() const {
    return m_w->preview;
}

void I1::setControlsVisibility() {
    const InputType type = inputTypeAt(node().type);
    const InputControls shown = inputControlsFor(type);
    for (const Widgets::SliderRow& row : m_w->sliders)
        card::setRowShown(row.row, row.label, row.field.slider, row.shown(shown));
    m_w->multiFractal->setVisible(shown.multiFractalFrame);
    m_w->gabor->setVisible(shown.gaborFrame);
    emit windowControlsEnabled(applyWindowPin(m_context.driver.state().recipe, type));
}

void I1::I1ChooseNoise(const QString& typeName) {
    if (!g_chooseNoiseArmed) {
        g_chooseNoiseArmed = true;
        return;
    }
    const int index = inputTypeNames().indexOf(typeName);
    // "Image" waits for I1ActivateNoise and its picture dialog.
    if (index < 0 || typeName == imageTypeName())
        return;
    if (m_w->type->currentIndex() != index) {
        QSignalBlocker block(m_w->type);
        m_w->type->setCurrentIndex(index);
    }
    node().type = index;
    m_w->rememberedIndex = index;
    node().seedNumber = m_context.seeds.drawSeed();
    setControlsVisibility();
    m_context.driver.recipeChanged();
}

void I1::I1ChooseNoise() {
    m_context.driver.recipeChanged();
}

void I1::I1ActivateNoise(const QString& typeName) {
    if (typeName != imageTypeName())
        return;
    const QString file =
        m_context.prompts.chooseOpenFile(QStringLiteral("Open File"), g_lastImageFolder,
                                         QStringLiteral("Images (*.png *.xpm *.jpg *.bmp)"));
    const int imageIndex = int(InputType::Image);
    if (file.isEmpty()) {
        // Put back the type that was in effect: "Image" itself when a
        // picture was chosen before, which then stays. The flag keeps the
        // restoring change from reseeding and evaluating; it is re-armed here
        // as well, since an unchanged index never reaches I1ChooseNoise.
        g_chooseNoiseArmed = false;
        m_w->type->setCurrentIndex(m_w->rememberedIndex);
        g_chooseNoiseArmed = true;
        return;
    }
    g_lastImageFolder = QFileInfo(file).absolutePath();
    if (m_w->type->currentIndex() != imageIndex) {
        QSignalBlocker block(m_w->type);
        m_w->type->setCurrentIndex(imageIndex);
    }
    node().type = imageIndex;
    node().noiseImageFile = file;
    m_w->rememberedIndex = imageIndex;
    setControlsVisibility();
    m_context.driver.evaluate();
}

void I1::I1ReSeed() {
    switch (inputTypeAt(node().type)) {
    case InputType::Billow:
    case InputType::MultiFractal:
    case InputType::Perlin:
    case InputType::Voronoi:
    case InputType::GaborConvolution:
        break;
    default:
        return;
    }
    node().seedNumber = m_context.seeds.drawSeed();
    const InputNode defaults{};
    for (const Widgets::SpinRow& row : m_w->multiFractalSpins) {
        node().*(row.value) = defaults.*(row.value);
        QSignalBlocker block(row.spin);
        row.spin->setValue(defaults.*(row.value));
    }
    m_context.driver.evaluate();
}

void I1::I1GaborAniso(int state) {
    node().gaborAnisotropic = state == Qt::Unchecked ? 0 : 2;
    m_context.driver.recipeChanged();
}

} // namespace morvane
