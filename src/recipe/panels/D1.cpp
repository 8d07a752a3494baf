#include "recipe/panels/D1.h"

#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/deformer_presets.h"
#include "recipe/panels/input_card.h"
#include "recipe/panels/panel_widgets.h"
#include "recipe/panels/commit_spin_box.h"
#include "recipe/recipe_keys.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

namespace morvane {

namespace {

const QString kPrefix = QStringLiteral("D1");

const RecipeKey& deformerKey(const char* name) {
    const RecipeKey* key = findRecipeKey(kPrefix + QLatin1String(name));
    Q_ASSERT(key);
    return *key;
}

} // namespace

struct D1::Widgets {
    struct Spin {
        CommitSpinBox* box = nullptr;
        int DeformerNode::*value = nullptr;
    };

    QLabel* title = nullptr;
    QComboBox* type = nullptr;
    QPushButton* reset = nullptr;
    QLabel* preview = nullptr;

    QLabel* boundsLabel = nullptr;
    QWidget* boundsField = nullptr;
    QLabel* exponentLabel = nullptr;
    QLabel* scaleBiasLabel = nullptr;
    QWidget* scaleBiasField = nullptr;
    QLabel* curveLabel = nullptr;
    QLabel* terraceLabel = nullptr;
    QWidget* boundsRow = nullptr;
    QWidget* exponentRow = nullptr;
    QWidget* scaleBiasRow = nullptr;
    QWidget* curveRow = nullptr;
    QWidget* terraceRow = nullptr;
    // clamp lower, clamp upper, exponent, scale, bias
    std::array<Spin, 5> spins;
    PresetRow curves;
    PresetRow terraces;
};

D1::D1(int index, const PanelContext& context, QWidget* parent)
    : QFrame(parent), m_index(index), m_context(context), m_w(std::make_unique<Widgets>()) {
    setObjectName(kPrefix + QStringLiteral("Panel"));
    setStyleSheet(card::styleSheet(kPrefix));
    setFixedWidth(card::kWidth);

    Widgets& w = *m_w;
    w.title = card::makeTitle(
        kPrefix, index == 0 ? QStringLiteral("DEFORMER 1") : QStringLiteral("DEFORMER 2"), this);
    w.type = new QComboBox(this);
    w.type->setObjectName(kPrefix + QStringLiteral("TerrainType"));
    w.type->addItems(deformerTypeNames());
    w.type->setMinimumWidth(150);
    w.reset = new QPushButton(QStringLiteral("reset"), this);
    w.reset->setObjectName(kPrefix + QStringLiteral("ResetButton"));
    w.reset->setToolTip(QStringLiteral("reset deformer"));
    w.preview = card::makePreview(kPrefix, this);

    struct SpinDef {
        const char* name;
        const char* key;
        int DeformerNode::*value;
    };
    const std::array<SpinDef, 5> defs = {{
        {"ClampLowerSpinBox", "ClampLow", &DeformerNode::clampLow},
        {"ClampUpperSpinBox", "ClampHigh", &DeformerNode::clampHigh},
        {"ExponentSpinBox", "Exponent", &DeformerNode::exponent},
        {"ScaleBiasLowerSpinBox", "ScaleBiasLow", &DeformerNode::scaleBiasLow},
        {"ScaleBiasUpperSpinBox", "ScaleBiasHigh", &DeformerNode::scaleBiasHigh},
    }};
    for (std::size_t i = 0; i < defs.size(); ++i) {
        const RecipeKey& key = deformerKey(defs[i].key);
        Widgets::Spin& s = w.spins[i];
        s.box = new CommitSpinBox(this);
        s.box->setObjectName(kPrefix + QLatin1String(defs[i].name));
        s.box->setRange(key.minimum, key.maximum);
        s.value = defs[i].value;
        connect(s.box, qOverload<int>(&QSpinBox::valueChanged), this,
                [this, i](int v) { node().*(m_w->spins[i].value) = v; });
        // Typing + Enter (or leaving the box) and releasing an arrow button
        // both finish a change.
        connect(s.box, &CommitSpinBox::committed, this, qOverload<>(&D1::D1ChooseNoise));
    }

    auto pair = [this](const QString& name, QWidget* first, QWidget* second) {
        auto* field = new QWidget(this);
        field->setObjectName(name);
        auto* row = new QHBoxLayout(field);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(6);
        first->setParent(field);
        second->setParent(field);
        row->addWidget(first, 1);
        row->addWidget(second, 1);
        return field;
    };
    w.boundsLabel = card::makeFormLabel(kPrefix + QStringLiteral("BoundsLabel"),
                                        QStringLiteral("bounds"), this);
    w.boundsField = pair(kPrefix + QStringLiteral("BoundsField"), w.spins[0].box, w.spins[1].box);
    w.exponentLabel = card::makeFormLabel(kPrefix + QStringLiteral("ExponentLabel"),
                                          QStringLiteral("exponent"), this);
    w.scaleBiasLabel = card::makeFormLabel(kPrefix + QStringLiteral("ScaleBiasLabel"),
                                           QStringLiteral("scale-bias"), this);
    w.scaleBiasField =
        pair(kPrefix + QStringLiteral("ScaleBiasField"), w.spins[3].box, w.spins[4].box);
    w.spins[0].box->setToolTip(QStringLiteral("lower bound"));
    w.spins[1].box->setToolTip(QStringLiteral("upper bound"));
    w.spins[3].box->setToolTip(QStringLiteral("scale"));
    w.spins[4].box->setToolTip(QStringLiteral("bias"));

    const QString resources = m_context.driver.context().paths.resourcesDir();
    w.curveLabel = card::makeFormLabel(kPrefix + QStringLiteral("CurvePresetsLabel"),
                                       QStringLiteral("curve presets"), this);
    w.curves =
        makePresetRow(PresetKind::Curve, resources, kPrefix + QStringLiteral("CurvePresets"), this);
    w.terraceLabel = card::makeFormLabel(kPrefix + QStringLiteral("TerracePresetsLabel"),
                                         QStringLiteral("terrace presets"), this);
    w.terraces = makePresetRow(PresetKind::Terrace, resources,
                               kPrefix + QStringLiteral("TerracePresets"), this);
    for (QPushButton* button : w.curves.buttons)
        connect(button, &QPushButton::clicked, this, &D1::curveItemClicked);
    for (QPushButton* button : w.terraces.buttons)
        connect(button, &QPushButton::clicked, this, &D1::terraceItemClicked);

    w.boundsRow =
        card::makeRow(kPrefix + QStringLiteral("BoundsRow"), w.boundsLabel, w.boundsField, this);
    w.exponentRow = card::makeRow(kPrefix + QStringLiteral("ExponentRow"), w.exponentLabel,
                                  w.spins[2].box, this);
    w.scaleBiasRow = card::makeRow(kPrefix + QStringLiteral("ScaleBiasRow"), w.scaleBiasLabel,
                                   w.scaleBiasField, this);
    // The preset grids are wider than a field: their labels sit above them.
    w.curveRow = card::makeRow(kPrefix + QStringLiteral("CurvePresetsRow"), w.curveLabel,
                               w.curves.grid, this, Qt::Vertical);
    w.terraceRow = card::makeRow(kPrefix + QStringLiteral("TerracePresetsRow"), w.terraceLabel,
                                 w.terraces.grid, this, Qt::Vertical);
    auto* form = new QVBoxLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(5);
    for (QWidget* row : {w.boundsRow, w.exponentRow, w.scaleBiasRow, w.curveRow, w.terraceRow})
        form->addWidget(row);
    form->addStretch(1);

    card::assemble(this, w.title, w.type, w.reset, w.preview, form);

    connect(w.type, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) {
        if (i < 0)
            return;
        node().type = i;
        D1ChooseNoise(m_w->type->itemText(i));
    });
    connect(w.reset, &QPushButton::released, this, &D1::D1ResetAll);

    card::applyPalette(this);
    syncFromRecipe();
}

D1::~D1() = default;

DeformerNode& D1::node() const {
    return m_context.driver.state().recipe.deformers[m_index];
}

void D1::syncFromRecipe() {
    Widgets& w = *m_w;
    const DeformerNode& n = node();
    {
        QSignalBlocker block(w.type);
        w.type->setCurrentIndex(int(deformerTypeAt(n.type)));
    }
    for (const Widgets::Spin& s : w.spins) {
        QSignalBlocker block(s.box);
        s.box->setValue(n.*(s.value));
    }
    // A profile outside the tables (only a preset file brings one) acts as
    // no profile, so the "none" button is the one marked.
    markPreset(w.curves, n.curve);
    markPreset(w.terraces, n.terrace);
    setControlsVisibility();
}

void D1::showPreview(const QString& pictureFile) {
    panel::showPicture(m_w->preview, pictureFile);
}

QLabel* D1::previewLabel() const {
    return m_w->preview;
}

void D1::setControlsVisibility() {
    const Widgets& w = *m_w;
    const DeformerControls shown = deformerControlsFor(deformerTypeAt(node().type));
    card::setRowShown(w.boundsRow, w.boundsLabel, w.boundsField, shown.clampBounds);
    for (CommitSpinBox* box : {w.spins[0].box, w.spins[1].box})
        box->setVisible(shown.clampBounds);
    card::setRowShown(w.exponentRow, w.exponentLabel, w.spins[2].box, shown.exponent);
    card::setRowShown(w.scaleBiasRow, w.scaleBiasLabel, w.scaleBiasField, shown.scaleBias);
    for (CommitSpinBox* box : {w.spins[3].box, w.spins[4].box})
        box->setVisible(shown.scaleBias);
    card::setRowShown(w.curveRow, w.curveLabel, w.curves.grid, shown.curvePresets);
    card::setRowShown(w.terraceRow, w.terraceLabel, w.terraces.grid, shown.terracePresets);
}

void D1::D1ChooseNoise(const QString& typeName) {
    const int index = deformerTypeNames().indexOf(typeName);
    if (index < 0)
        return;
    if (m_w->type->currentIndex() != index) {
        QSignalBlocker block(m_w->type);
        m_w->type->setCurrentIndex(index);
    }
    node().type = index;
    setControlsVisibility();
    m_context.driver.recipeChanged();
}

void D1::D1ChooseNoise() {
    m_context.driver.recipeChanged();
}

void D1::D1ResetAll() {
    node() = DeformerNode{};
    syncFromRecipe();
    m_context.driver.evaluate();
}

void D1::curveItemClicked() {
    const int profile = clickedPreset(m_w->curves, sender());
    if (profile < 0)
        return;
    node().curve = profile;
    markPreset(m_w->curves, profile);
    setControlsVisibility();
    m_context.driver.recipeChanged();
}

void D1::terraceItemClicked() {
    const int profile = clickedPreset(m_w->terraces, sender());
    if (profile < 0)
        return;
    node().terrace = profile;
    markPreset(m_w->terraces, profile);
    setControlsVisibility();
    m_context.driver.recipeChanged();
}

} // namespace morvane
