#include "panel_test_util.h"

#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/FF.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>
#include <tuple>

namespace morvane::testing {
namespace {

using Previews = std::vector<std::pair<PreviewSlot, QString>>;

Previews swapped(const QString& prefix) {
    return {{PreviewSlot::Final, prefix + "FFnoisePreview.jpg"},
            {PreviewSlot::Input1, prefix + "I1noisePreview.jpg"},
            {PreviewSlot::Input2, prefix + "I2noisePreview.jpg"},
            {PreviewSlot::Deformer1, prefix + "D1noisePreview.jpg"},
            {PreviewSlot::Deformer2, prefix + "D2noisePreview.jpg"}};
}

class FinalStagePanelTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        makePanel();
    }
    void makePanel() {
        panel = std::make_unique<FF>(panelContext(), view);
        panel->setInitialGradients();
        left = get<QListWidget>("FFGradientTypeListViewLeft");
        right = get<QListWidget>("FFGradientTypeListViewRight");
    }
    template <typename T = QWidget> T* get(const char* name) { return child<T>(*panel, name); }
    bool visible(const QString& name) { return shown(*panel, name); }

    // Rows chosen in texture style without the evaluation a click brings.
    void selectQuietly(int leftRow, int rightRow) {
        const QSignalBlocker a(left), b(right);
        left->setCurrentRow(leftRow);
        right->setCurrentRow(rightRow);
    }
    static int rowOf(QListWidget* list, const QString& text) {
        const auto items = list->findItems(text, Qt::MatchExactly);
        return items.isEmpty() ? -1 : list->row(items.last());
    }
    // "left | right", of the lists' current rows and of the recipe's gradients.
    QString rows() const {
        auto current = [](QListWidget* l) {
            return l->currentItem() ? l->currentItem()->text() : "";
        };
        return current(left) + " | " + current(right);
    }
    QString gradients() const { return state.recipe.gradient1 + " | " + state.recipe.gradient2; }
    bool listsEnabled() const { return left->isEnabled() && right->isEnabled(); }

    std::unique_ptr<FF> panel;
    QListWidget* left = nullptr;
    QListWidget* right = nullptr;
};

TEST_F(FinalStagePanelTest, MapStyleSwapsPicturesAndKeepsTheTextureGradientsWithoutEvaluating) {
    auto* style = get<QSlider>("FFSetCurrentMapSlider");
    auto* heightLabel = get<QLabel>("FFHeightMapLabel");
    auto* textureLabel = get<QLabel>("FFTextureMapLabel");
    EXPECT_FALSE(left->isEnabled() || right->isEnabled());
    const QString selected = heightLabel->styleSheet();

    view.previews.clear();
    style->setValue(1);
    EXPECT_EQ(view.previews, swapped("T"));
    EXPECT_TRUE(listsEnabled());
    // Never chosen before: the lists show the gradients the textures use.
    EXPECT_EQ(rows(), "australia 2.bmp | australia 2.bmp");
    EXPECT_EQ(textureLabel->styleSheet(), selected);
    EXPECT_NE(heightLabel->styleSheet(), selected);
    EXPECT_FALSE(state.smoothingFlag);

    selectQuietly(rowOf(left, "volcanic.bmp"), rowOf(right, "alpine.bmp"));
    view.previews.clear();
    style->setValue(0);
    EXPECT_EQ(view.previews, swapped("H"));
    EXPECT_EQ(gradients(), "volcanic.bmp | alpine.bmp");
    EXPECT_EQ(rows(), "black and white.bmp | black and white.bmp");
    EXPECT_FALSE(left->isEnabled() || right->isEnabled());
    EXPECT_EQ(heightLabel->styleSheet(), selected);
    EXPECT_TRUE(state.smoothingFlag);

    // Asking for height previews again must not overwrite the texture gradients.
    panel->setCurrentMapStyles(0);
    EXPECT_EQ(gradients(), "volcanic.bmp | alpine.bmp");
    style->setValue(1);
    EXPECT_EQ(rows(), "volcanic.bmp | alpine.bmp");
    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(prompts.warnings.empty());
}

TEST_F(FinalStagePanelTest, MissingHeightGradientWarnsOnceAndSelectsTheFirstRow) {
    ASSERT_TRUE(QFile::remove(paths.gradientFile("black and white.bmp")));
    makePanel(); // the lists are filled when the panel is made
    auto* style = get<QSlider>("FFSetCurrentMapSlider");
    style->setValue(1);
    selectQuietly(2, 1);
    style->setValue(0);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].first, "Error");
    EXPECT_EQ(prompts.warnings[0].second, "Missing standard black/white gradient !");
    EXPECT_EQ(rows(), left->item(0)->text() + " | " + left->item(0)->text());
    EXPECT_EQ(state.recipe.gradient1, left->item(2)->text());
    EXPECT_EQ(view.previews.back().second, "HD2noisePreview.jpg");
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, LightErosionAndTurbulenceValuesOnlyShowTheRefreshButton) {
    ASSERT_TRUE(state.automaticMode);
    const TerrainRecipe& r = state.recipe;
    const FinalStageSettings& fs = state.finalStage;
    const std::vector<std::tuple<const char*, int, std::function<int()>>> changes = {
        {"FFLightIntensitySlider", 77, [&] { return fs.lightIntensity; }},
        {"FFLightContrastSlider", 9, [&] { return fs.lightContrast; }},
        {"FFAzimuthDial", 120, [&] { return fs.lightAzimuth; }},
        {"FFElevationDial", 300, [&] { return fs.lightElevation; }},
        {"FFBoundsSpinBox", 64, [&] { return r.noiseSize; }},
        {"FFTurbulenceFrequency", -40, [&] { return r.turbulence.frequency; }},
        {"FFTurbulencePower", 250, [&] { return r.turbulence.power; }},
        {"FFTurbulenceRoughness", 30, [&] { return r.turbulence.roughness; }},
        {"FFErosionIterationsSpinBox", 1000, [&] { return r.erosion.iterations; }},
        {"FFErosionRainAmountSpinBox", 100, [&] { return r.erosion.rain; }},
        {"FFErosionSolubilitySpinBox", 42, [&] { return r.erosion.solubility; }},
        {"FFErosionEvaporationSpinBox", 150, [&] { return r.erosion.evaporation; }},
        {"FFErosionCapacitySpinBox", 3, [&] { return r.erosion.capacity; }},
    };
    for (const auto& [name, value, field] : changes) {
        view.refreshButton.clear();
        QWidget* widget = get(name);
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
            slider->setValue(value);
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            spin->setValue(value);
        EXPECT_EQ(field(), value) << name;
        EXPECT_EQ(view.refreshButton, std::vector<bool>{true}) << name;
    }
    view.refreshButton.clear();
    get<QComboBox>("FFErosionTypeComboBox")->setCurrentIndex(int(ErosionType::Hydraulics));
    EXPECT_EQ(r.erosion.type, int(ErosionType::Hydraulics));
    EXPECT_EQ(view.refreshButton, std::vector<bool>{true});
    EXPECT_TRUE(state.refreshButtonVisible);
    EXPECT_EQ(evaluations(), 0);
    EXPECT_EQ(get<QLabel>("FFAzimuthLabel")->text(), QString("azimuth: 120") + QChar(0xB0));
}

TEST_F(FinalStagePanelTest, ErosionTypeShowsItsControls) {
    auto* type = get<QComboBox>("FFErosionTypeComboBox");
    EXPECT_FALSE(visible("FFErosionIterationsSpinBox")); // "no erosion" at start
    for (int index : {3, 1, 2, 4, 0}) {
        type->setCurrentIndex(index);
        SCOPED_TRACE(type->currentText().toStdString());
        EXPECT_EQ(visible("FFErosionIterationsSpinBox"), index != 0);
        EXPECT_EQ(visible("FFErosionIterationsLabel"), index != 0);
        for (const char* amount : {"RainAmount", "Solubility", "Evaporation", "Capacity"}) {
            const QString box = QStringLiteral("FFErosion%1SpinBox").arg(amount);
            EXPECT_EQ(visible(box), index == 3) << amount;
            EXPECT_EQ(visible(box + "Label"), index == 3) << amount;
        }
    }
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, BoundsArrowAndPreviewSizeEvaluateOnceOnRelease) {
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    auto* bounds = get<QSpinBox>("FFBoundsSpinBox");
    ASSERT_EQ(bounds->value(), 4);
    QTest::mouseClick(bounds, Qt::LeftButton, {}, QPoint(bounds->width() - 4, 3));
    EXPECT_EQ(state.recipe.noiseSize, 5);
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(view.refreshButton.back(), false);
    // Leaving with nothing new commits nothing (the commit rules themselves
    // are covered by the deformer panel's test).
    emit bounds->editingFinished();
    EXPECT_EQ(evaluations(), 1);

    auto* size = get<QSlider>("FFPreviewImageSlider");
    size->setValue(2);
    EXPECT_EQ(evaluations(), 1);
    emit size->sliderReleased();
    EXPECT_EQ(evaluations(), 2);
    EXPECT_EQ(state.previewMapSize, 512);
    EXPECT_EQ(state.previewPictureSize, 512);
    EXPECT_EQ(QImage(paths.mapFile("HFFnoisePreview.jpg")).size(), QSize(512, 512));
}

TEST_F(FinalStagePanelTest, TerrainSizeSetsTheTextAndTheHeightMaximum) {
    auto* slider = get<QSlider>("FFTerrainSizeSlider");
    auto* text = get<QLineEdit>("FFTerrainSizeLineEdit");
    auto* up = get<QSpinBox>("FFTerrainElevationUpSpinBox");
    const std::tuple<int, const char*, int> steps[] = {
        {3, "1000", 100}, {5, "100000", 9000 /* the field's maximum */}, {1, "10", 1}};
    for (const auto& [value, size, height] : steps) {
        slider->setValue(value);
        EXPECT_EQ(text->text(), size);
        EXPECT_EQ(up->value(), height);
        EXPECT_EQ(state.finalStage.terrainSizeText, size);
        EXPECT_EQ(state.finalStage.terrainHeightUp, height);
    }
    text->clear();
    QTest::keyClicks(text, "2500");
    EXPECT_EQ(state.finalStage.terrainSize(), 2500);
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, ButtonsAndGradientRowsEvaluate) {
    auto* light = get<QPushButton>("FFSetLightButton");
    const QString lit = light->styleSheet();
    emit light->released();
    EXPECT_EQ(light->text(), "Light OFF");
    EXPECT_FALSE(state.finalStage.lightOn);
    EXPECT_NE(light->styleSheet(), lit);
    emit light->released();
    EXPECT_EQ(light->text(), "Light ON");
    EXPECT_EQ(light->styleSheet(), lit);
    EXPECT_EQ(evaluations(), 2);

    emit get<QPushButton>("FFTurbulenceSeed")->released();
    EXPECT_EQ(state.recipe.turbulence.seed, fixtureSeeds(1)[0]);
    EXPECT_EQ(evaluations(), 3);

    // Manual mode: a window slider change waits for the refresh button.
    panelDriver().setAutoNoiseMode();
    get<QSlider>("FFHSlider")->setValue(-32);
    EXPECT_EQ(state.recipe.startX, -32);
    EXPECT_EQ(evaluations(), 3);
    emit get<QToolButton>("FFReGenerateNoise")->released();
    EXPECT_EQ(evaluations(), 4);
    EXPECT_EQ(view.refreshButton.back(), false);

    // In texture style a gradient row evaluates with the new gradient; only
    // the map size follows the preview resolution.
    get<QSlider>("FFSetCurrentMapSlider")->setValue(1);
    state.previewPictureSize = 32;
    left->setCurrentRow(rowOf(left, "volcanic.bmp"));
    EXPECT_EQ(evaluations(), 5);
    EXPECT_EQ(gradients(), "volcanic.bmp | australia 2.bmp");
    EXPECT_EQ(state.previewMapSize, 256);
    EXPECT_EQ(state.previewPictureSize, 32);
    EXPECT_EQ(view.previews.back(),
              std::make_pair(PreviewSlot::Final, QString("TFFnoisePreview.jpg")));
}

// Every control's round trip is covered by the window's preset test; here
// the parts that depend on more than one field.
TEST_F(FinalStagePanelTest, SyncFromRecipeAndWindowPinWithoutEvaluating) {
    TerrainRecipe& r = state.recipe;
    FinalStageSettings& fs = state.finalStage;
    r.noiseSize = 100;
    r.startX = 7;
    r.gradient1 = "alpine.bmp";
    r.gradient2 = "volcanic.bmp";
    r.erosion = {int(ErosionType::Hydraulics), 300, 20, 30, 140, 40};
    fs.lightOn = false;
    fs.mapStyle = 1; // a preset load switches to texture previews
    fs.setTerrainSize(4);
    fs.terrainHeightLow = -50;
    const TerrainRecipe before = r;
    panel->syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(view.previews.empty());
    EXPECT_TRUE(visible("FFErosionCapacitySpinBox"));
    EXPECT_EQ(get<QPushButton>("FFSetLightButton")->text(), "Light OFF");
    EXPECT_EQ(get<QLineEdit>("FFTerrainSizeLineEdit")->text(), "10000");
    EXPECT_EQ(get<QSpinBox>("FFTerrainElevationUpSpinBox")->value(), 1000);
    EXPECT_EQ(get<QSpinBox>("FFTerrainElevationLowSpinBox")->value(), -50);
    EXPECT_TRUE(listsEnabled());
    EXPECT_EQ(rows(), "alpine.bmp | volcanic.bmp");
    EXPECT_EQ(r, before); // nothing written back
    EXPECT_EQ(fs.terrainSizeText, "10000");

    // An input type pins the window: the controls re-read and lock.
    EXPECT_FALSE(applyWindowPin(r, InputType::Image));
    panel->setWindowControlsEnabled(false);
    EXPECT_EQ(get<QSpinBox>("FFBoundsSpinBox")->value(), 4);
    EXPECT_EQ(get<QSlider>("FFHSlider")->value(), 0);
    EXPECT_FALSE(get("FFBoundsSpinBox")->isEnabled());
    EXPECT_FALSE(get("FFVSlider")->isEnabled());
    panel->setWindowControlsEnabled(true);
    EXPECT_TRUE(get("FFHSlider")->isEnabled());
    EXPECT_EQ(evaluations(), 0);
}

} // namespace
} // namespace morvane::testing
