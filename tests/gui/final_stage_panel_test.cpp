#include "gui/gui_fixture.h"

#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/FF.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <tuple>
#include <string>

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
    template <typename T> T* get(FF& panel, const char* name) {
        T* widget = panel.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static int rowOf(QListWidget* list, const QString& text) {
        const auto items = list->findItems(text, Qt::MatchExactly);
        return items.isEmpty() ? -1 : list->row(items.last());
    }
    static QString current(QListWidget* list) {
        return list->currentItem() ? list->currentItem()->text() : QString();
    }
};

TEST_F(FinalStagePanelTest, MapStyleSwapsPicturesAndKeepsTheTextureGradientsWithoutEvaluating) {
    FF panel(panelContext(), view);
    panel.setInitialGradients();
    auto* left = get<QListWidget>(panel, "FFGradientTypeListViewLeft");
    auto* right = get<QListWidget>(panel, "FFGradientTypeListViewRight");
    auto* style = get<QSlider>(panel, "FFSetCurrentMapSlider");
    auto* heightLabel = get<QLabel>(panel, "FFHeightMapLabel");
    auto* textureLabel = get<QLabel>(panel, "FFTextureMapLabel");
    EXPECT_FALSE(left->isEnabled());
    const QString selected = heightLabel->styleSheet();

    view.previews.clear();
    style->setValue(1);
    EXPECT_EQ(view.previews, swapped("T"));
    EXPECT_TRUE(left->isEnabled());
    EXPECT_TRUE(right->isEnabled());
    // Never chosen before: the lists show the gradients the textures use.
    EXPECT_EQ(current(left), "australia 2.bmp");
    EXPECT_EQ(current(right), "australia 2.bmp");
    EXPECT_EQ(textureLabel->styleSheet(), selected);
    EXPECT_NE(heightLabel->styleSheet(), selected);
    EXPECT_FALSE(state.smoothingFlag);

    {
        const QSignalBlocker a(left), b(right);
        left->setCurrentRow(rowOf(left, "volcanic.bmp"));
        right->setCurrentRow(rowOf(right, "alpine.bmp"));
    }
    view.previews.clear();
    style->setValue(0);
    EXPECT_EQ(view.previews, swapped("H"));
    EXPECT_EQ(state.recipe.gradient1, "volcanic.bmp");
    EXPECT_EQ(state.recipe.gradient2, "alpine.bmp");
    EXPECT_EQ(current(left), "black and white.bmp");
    EXPECT_EQ(current(right), "black and white.bmp");
    EXPECT_FALSE(left->isEnabled());
    EXPECT_EQ(heightLabel->styleSheet(), selected);
    EXPECT_TRUE(state.smoothingFlag);

    // Asking for height previews again must not overwrite the texture gradients.
    panel.setCurrentMapStyles(0);
    EXPECT_EQ(state.recipe.gradient1, "volcanic.bmp");
    EXPECT_EQ(state.recipe.gradient2, "alpine.bmp");

    style->setValue(1);
    EXPECT_EQ(current(left), "volcanic.bmp");
    EXPECT_EQ(current(right), "alpine.bmp");
    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(prompts.warnings.empty());
}

TEST_F(FinalStagePanelTest, MissingHeightGradientWarnsOnceAndSelectsTheFirstRow) {
    ASSERT_TRUE(QFile::remove(paths.gradientFile("black and white.bmp")));
    FF panel(panelContext(), view);
    panel.setInitialGradients();
    auto* left = get<QListWidget>(panel, "FFGradientTypeListViewLeft");
    auto* right = get<QListWidget>(panel, "FFGradientTypeListViewRight");
    auto* style = get<QSlider>(panel, "FFSetCurrentMapSlider");
    style->setValue(1);
    {
        const QSignalBlocker a(left), b(right);
        left->setCurrentRow(2);
        right->setCurrentRow(1);
    }
    style->setValue(0);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].first, "Error");
    EXPECT_EQ(prompts.warnings[0].second, "Missing standard black/white gradient !");
    EXPECT_EQ(left->currentRow(), 0);
    EXPECT_EQ(right->currentRow(), 0);
    EXPECT_EQ(state.recipe.gradient1, left->item(2)->text());
    EXPECT_EQ(view.previews.back().second, "HD2noisePreview.jpg");
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, LightErosionAndTurbulenceValuesOnlyShowTheRefreshButton) {
    ASSERT_TRUE(state.automaticMode);
    FF panel(panelContext(), view);
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
        QWidget* widget = get<QWidget>(panel, name);
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
            slider->setValue(value);
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            spin->setValue(value);
        EXPECT_EQ(field(), value) << name;
        EXPECT_EQ(view.refreshButton, std::vector<bool>{true}) << name;
    }
    view.refreshButton.clear();
    get<QComboBox>(panel, "FFErosionTypeComboBox")->setCurrentIndex(int(ErosionType::Hydraulics));
    EXPECT_EQ(r.erosion.type, int(ErosionType::Hydraulics));
    EXPECT_EQ(view.refreshButton, std::vector<bool>{true});
    EXPECT_TRUE(state.refreshButtonVisible);
    EXPECT_EQ(evaluations(), 0);
    EXPECT_EQ(get<QLabel>(panel, "FFAzimuthLabel")->text(), QString("azimuth: 120") + QChar(0xB0));
}

TEST_F(FinalStagePanelTest, ErosionTypeShowsItsControls) {
    FF panel(panelContext(), view);
    auto* type = get<QComboBox>(panel, "FFErosionTypeComboBox");
    const char* hydraulic[] = {"FFErosionRainAmountSpinBox", "FFErosionSolubilitySpinBox",
                               "FFErosionEvaporationSpinBox", "FFErosionCapacitySpinBox"};
    auto shown = [&](const std::string& name) {
        return get<QWidget>(panel, name.c_str())->isVisibleTo(&panel);
    };
    EXPECT_FALSE(shown("FFErosionIterationsSpinBox")); // "no erosion" at start
    for (int index : {3, 1, 2, 4, 0}) {
        type->setCurrentIndex(index);
        SCOPED_TRACE(type->currentText().toStdString());
        EXPECT_EQ(shown("FFErosionIterationsSpinBox"), index != 0);
        EXPECT_EQ(shown("FFErosionIterationsLabel"), index != 0);
        for (const std::string name : hydraulic) {
            EXPECT_EQ(shown(name), index == 3) << name;
            EXPECT_EQ(shown(name + "Label"), index == 3) << name;
        }
    }
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, PreviewSizeReleaseEvaluatesAtTheNewSize) {
    FF panel(panelContext(), view);
    auto* slider = get<QSlider>(panel, "FFPreviewImageSlider");
    slider->setValue(2);
    EXPECT_EQ(evaluations(), 0);
    emit slider->sliderReleased();
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(state.previewMapSize, 512);
    EXPECT_EQ(state.previewPictureSize, 512);
    EXPECT_EQ(QImage(paths.mapFile("HFFnoisePreview.jpg")).size(), QSize(512, 512));
}

TEST_F(FinalStagePanelTest, BoundsArrowClickEvaluatesOnceOnRelease) {
    FF panel(panelContext(), view);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    auto* bounds = get<QSpinBox>(panel, "FFBoundsSpinBox");
    ASSERT_EQ(bounds->value(), 4);

    QTest::mouseClick(bounds, Qt::LeftButton, {}, QPoint(bounds->width() - 4, 3));
    EXPECT_EQ(state.recipe.noiseSize, 5);
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(view.refreshButton.back(), false);

    // Leaving with nothing new commits nothing (the commit rules themselves
    // are covered by the deformer panel's test).
    emit bounds->editingFinished();
    EXPECT_EQ(evaluations(), 1);
}

TEST_F(FinalStagePanelTest, TerrainSizeSetsTheTextAndTheHeightMaximum) {
    FF panel(panelContext(), view);
    auto* slider = get<QSlider>(panel, "FFTerrainSizeSlider");
    auto* text = get<QLineEdit>(panel, "FFTerrainSizeLineEdit");
    auto* up = get<QSpinBox>(panel, "FFTerrainElevationUpSpinBox");
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
    FF panel(panelContext(), view);
    panel.setInitialGradients();

    auto* light = get<QPushButton>(panel, "FFSetLightButton");
    const QString lit = light->styleSheet();
    emit light->released();
    EXPECT_EQ(light->text(), "Light OFF");
    EXPECT_FALSE(state.finalStage.lightOn);
    EXPECT_NE(light->styleSheet(), lit);
    emit light->released();
    EXPECT_EQ(light->text(), "Light ON");
    EXPECT_EQ(light->styleSheet(), lit);
    EXPECT_EQ(evaluations(), 2);

    SequenceSeedSource copy{7};
    const int expectedSeed = copy.drawSeed();
    emit get<QPushButton>(panel, "FFTurbulenceSeed")->released();
    EXPECT_EQ(state.recipe.turbulence.seed, expectedSeed);
    EXPECT_EQ(evaluations(), 3);

    // Manual mode: a window slider change waits for the refresh button.
    panelDriver().setAutoNoiseMode();
    get<QSlider>(panel, "FFHSlider")->setValue(-32);
    EXPECT_EQ(state.recipe.startX, -32);
    EXPECT_EQ(evaluations(), 3);
    emit get<QToolButton>(panel, "FFReGenerateNoise")->released();
    EXPECT_EQ(evaluations(), 4);
    EXPECT_EQ(view.refreshButton.back(), false);

    // In texture style a gradient row evaluates with the new gradient; only
    // the map size follows the preview resolution.
    get<QSlider>(panel, "FFSetCurrentMapSlider")->setValue(1);
    state.previewPictureSize = 32;
    auto* left = get<QListWidget>(panel, "FFGradientTypeListViewLeft");
    left->setCurrentRow(rowOf(left, "volcanic.bmp"));
    EXPECT_EQ(evaluations(), 5);
    EXPECT_EQ(state.recipe.gradient1, "volcanic.bmp");
    EXPECT_EQ(state.recipe.gradient2, "australia 2.bmp");
    EXPECT_EQ(state.previewMapSize, 256);
    EXPECT_EQ(state.previewPictureSize, 32);
    EXPECT_EQ(view.previews.back(),
              std::make_pair(PreviewSlot::Final, QString("TFFnoisePreview.jpg")));
}

// Every control's round trip is covered by the window's preset test; here
// the parts that depend on more than one field.
TEST_F(FinalStagePanelTest, SyncFromRecipeAndWindowPinWithoutEvaluating) {
    FF panel(panelContext(), view);
    panel.setInitialGradients();
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
    panel.syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(view.previews.empty());
    EXPECT_TRUE(get<QWidget>(panel, "FFErosionCapacitySpinBox")->isVisibleTo(&panel));
    EXPECT_EQ(get<QPushButton>(panel, "FFSetLightButton")->text(), "Light OFF");
    EXPECT_EQ(get<QLineEdit>(panel, "FFTerrainSizeLineEdit")->text(), "10000");
    EXPECT_EQ(get<QSpinBox>(panel, "FFTerrainElevationUpSpinBox")->value(), 1000);
    EXPECT_EQ(get<QSpinBox>(panel, "FFTerrainElevationLowSpinBox")->value(), -50);
    auto* left = get<QListWidget>(panel, "FFGradientTypeListViewLeft");
    EXPECT_TRUE(left->isEnabled());
    EXPECT_EQ(current(left), "alpine.bmp");
    EXPECT_EQ(current(get<QListWidget>(panel, "FFGradientTypeListViewRight")), "volcanic.bmp");
    EXPECT_EQ(r.erosion.capacity, before.erosion.capacity); // nothing written back
    EXPECT_EQ(r.gradient1, "alpine.bmp");
    EXPECT_EQ(fs.terrainSizeText, "10000");

    // An input type pins the window: the controls re-read and lock.
    EXPECT_FALSE(applyWindowPin(r, InputType::Image));
    panel.setWindowControlsEnabled(false);
    EXPECT_EQ(get<QSpinBox>(panel, "FFBoundsSpinBox")->value(), 4);
    EXPECT_EQ(get<QSlider>(panel, "FFHSlider")->value(), 0);
    EXPECT_FALSE(get<QSpinBox>(panel, "FFBoundsSpinBox")->isEnabled());
    EXPECT_FALSE(get<QSlider>(panel, "FFVSlider")->isEnabled());
    panel.setWindowControlsEnabled(true);
    EXPECT_TRUE(get<QSlider>(panel, "FFHSlider")->isEnabled());
    EXPECT_EQ(evaluations(), 0);
}

} // namespace
} // namespace morvane::testing
