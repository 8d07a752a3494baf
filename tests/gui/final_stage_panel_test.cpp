#include "gui/gui_fixture.h"

#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/FF.h"

#include <QComboBox>
#include <QDial>
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
#include <string>

namespace morvane::testing {
namespace {

const QString kSelectedStyle =
    "* { \ncolor: rgba(255,255,255,255);\nbackground-color: rgba(71,120,247,255);\n"
    "text-align:center;\nfont-size:11px;\nfont-weight:bold;\n"
    "border:1px solid rgba(128,128,128,255);\n}";
const QString kUnselectedStyle =
    "* { \ncolor: rgba(200,200,200,255);\ntext-align:center;\nfont-size:11px;\n"
    "font-weight:bold;\n}";

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
    ASSERT_EQ(left->count(), 4);
    EXPECT_EQ(left->item(0)->toolTip(), left->item(0)->text());
    EXPECT_FALSE(left->item(0)->icon().isNull());
    EXPECT_EQ(left->currentRow(), 0);
    EXPECT_FALSE(left->isEnabled());
    EXPECT_EQ(heightLabel->text(), "HEIGHT MAP");
    EXPECT_EQ(heightLabel->styleSheet(), kSelectedStyle);

    view.previews.clear();
    style->setValue(1);
    EXPECT_EQ(view.previews, swapped("T"));
    EXPECT_TRUE(left->isEnabled());
    EXPECT_TRUE(right->isEnabled());
    // Never chosen before: the lists show the gradients the textures use.
    EXPECT_EQ(current(left), "australia 2.bmp");
    EXPECT_EQ(current(right), "australia 2.bmp");
    EXPECT_EQ(textureLabel->styleSheet(), kSelectedStyle);
    EXPECT_EQ(heightLabel->styleSheet(), kUnselectedStyle);
    EXPECT_EQ(state.finalStage.mapStyle, 1);
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
    EXPECT_EQ(heightLabel->styleSheet(), kSelectedStyle);
    EXPECT_EQ(textureLabel->styleSheet(), kUnselectedStyle);
    EXPECT_EQ(state.finalStage.mapStyle, 0);
    EXPECT_TRUE(state.smoothingFlag);

    // Asking for height previews again must not turn the height gradient
    // into a texture gradient.
    panel.setCurrentMapStyles(0);
    EXPECT_EQ(state.recipe.gradient1, "volcanic.bmp");
    EXPECT_EQ(state.recipe.gradient2, "alpine.bmp");

    view.previews.clear();
    style->setValue(1);
    EXPECT_EQ(view.previews, swapped("T"));
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
    auto* button = get<QToolButton>(panel, "FFReGenerateNoise");
    EXPECT_TRUE(button->isHidden());
    panel.setRefreshButtonVisible(true);
    EXPECT_FALSE(button->isHidden());

    struct Change {
        const char* name;
        int value;
        std::function<int()> field;
    };
    const TerrainRecipe& r = state.recipe;
    const FinalStageSettings& fs = state.finalStage;
    const std::vector<Change> changes = {
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
    for (const Change& change : changes) {
        view.refreshButton.clear();
        QWidget* widget = get<QWidget>(panel, change.name);
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
            slider->setValue(change.value);
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            spin->setValue(change.value);
        EXPECT_EQ(change.field(), change.value) << change.name;
        EXPECT_EQ(view.refreshButton, std::vector<bool>{true}) << change.name;
    }
    view.refreshButton.clear();
    get<QComboBox>(panel, "FFErosionTypeComboBox")->setCurrentIndex(int(ErosionType::Hydraulics));
    EXPECT_EQ(r.erosion.type, int(ErosionType::Hydraulics));
    EXPECT_EQ(view.refreshButton, std::vector<bool>{true});
    EXPECT_TRUE(state.refreshButtonVisible);
    EXPECT_EQ(evaluations(), 0);

    // The dial labels follow the dials.
    EXPECT_EQ(get<QLabel>(panel, "FFAzimuthLabel")->text(), QString("azimuth: 120") + QChar(0xB0));
    EXPECT_EQ(get<QLabel>(panel, "FFElevationLabel")->text(), QString("pitch: 300") + QChar(0xB0));
}

TEST_F(FinalStagePanelTest, ErosionTypeShowsItsControls) {
    FF panel(panelContext(), view);
    auto* type = get<QComboBox>(panel, "FFErosionTypeComboBox");
    ASSERT_EQ(type->count(), 5);
    const char* hydraulic[] = {"FFErosionRainAmountSpinBox", "FFErosionSolubilitySpinBox",
                               "FFErosionEvaporationSpinBox", "FFErosionCapacitySpinBox"};
    // At start: "no erosion", nothing but the type.
    EXPECT_FALSE(get<QWidget>(panel, "FFErosionIterationsSpinBox")->isVisibleTo(&panel));
    for (int index : {3, 1, 2, 4, 0}) {
        type->setCurrentIndex(index);
        SCOPED_TRACE(type->currentText().toStdString());
        const bool iterations = index != 0;
        const bool amounts = index == 3;
        EXPECT_EQ(get<QWidget>(panel, "FFErosionIterationsSpinBox")->isVisibleTo(&panel),
                  iterations);
        EXPECT_EQ(get<QWidget>(panel, "FFErosionIterationsLabel")->isVisibleTo(&panel), iterations);
        for (const char* name : hydraulic) {
            EXPECT_EQ(get<QWidget>(panel, name)->isVisibleTo(&panel), amounts) << name;
            EXPECT_EQ(
                get<QWidget>(panel, (std::string(name) + "Label").c_str())->isVisibleTo(&panel),
                amounts)
                << name;
        }
    }
    EXPECT_EQ(get<QSpinBox>(panel, "FFErosionEvaporationSpinBox")->value(), 90);
    EXPECT_EQ(get<QSpinBox>(panel, "FFErosionEvaporationSpinBox")->toolTip(),
              "set how much water evaporates from each pixel each iteration [1-150]");
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, PreviewSizeReleaseEvaluatesAtTheNewSize) {
    FF panel(panelContext(), view);
    auto* slider = get<QSlider>(panel, "FFPreviewImageSlider");
    slider->setValue(2);
    EXPECT_EQ(state.finalStage.previewResolution, 2);
    EXPECT_EQ(evaluations(), 0);
    emit slider->sliderReleased();
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(state.previewMapSize, 512);
    EXPECT_EQ(state.previewPictureSize, 512);
    EXPECT_EQ(QImage(paths.mapFile("HFFnoisePreview.jpg")).size(), QSize(512, 512));
}

TEST_F(FinalStagePanelTest, SpinBoxesCommitOnArrowReleaseAndEnterOnlyWhenChanged) {
    FF panel(panelContext(), view);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    auto* bounds = get<QSpinBox>(panel, "FFBoundsSpinBox");
    ASSERT_EQ(bounds->value(), 4);

    // A click on the up arrow steps and, on release, evaluates once.
    QTest::mouseClick(bounds, Qt::LeftButton, {}, QPoint(bounds->width() - 4, 3));
    EXPECT_EQ(state.recipe.noiseSize, 5);
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(view.refreshButton.back(), false);

    // Enter after typing commits; Enter or leaving with nothing new does not.
    auto* power = get<QSpinBox>(panel, "FFTurbulencePower");
    power->setValue(120);
    EXPECT_EQ(evaluations(), 1);
    emit power->editingFinished();
    EXPECT_EQ(evaluations(), 2);
    EXPECT_EQ(state.recipe.turbulence.power, 120);
    emit power->editingFinished();
    emit bounds->editingFinished();
    EXPECT_EQ(evaluations(), 2);
}

TEST_F(FinalStagePanelTest, TerrainSizeSetsTheTextAndTheHeightMaximum) {
    FF panel(panelContext(), view);
    auto* slider = get<QSlider>(panel, "FFTerrainSizeSlider");
    auto* text = get<QLineEdit>(panel, "FFTerrainSizeLineEdit");
    auto* up = get<QSpinBox>(panel, "FFTerrainElevationUpSpinBox");
    auto* low = get<QSpinBox>(panel, "FFTerrainElevationLowSpinBox");
    EXPECT_EQ(text->inputMask(), "9999999");
    EXPECT_EQ(slider->value(), 2);
    EXPECT_EQ(text->text(), "100");
    EXPECT_EQ(up->value(), 10);

    slider->setValue(3);
    EXPECT_EQ(text->text(), "1000");
    EXPECT_EQ(up->value(), 100);
    EXPECT_EQ(state.finalStage.terrainSizeText, "1000");
    EXPECT_EQ(state.finalStage.terrainHeightUp, 100);

    slider->setValue(5);
    EXPECT_EQ(text->text(), "100000");
    EXPECT_EQ(up->value(), 9000); // the field's maximum

    slider->setValue(1);
    EXPECT_EQ(text->text(), "10");
    EXPECT_EQ(up->value(), 1);

    text->clear();
    QTest::keyClicks(text, "2500");
    EXPECT_EQ(state.finalStage.terrainSizeText, "2500");
    EXPECT_EQ(state.finalStage.terrainSize(), 2500);
    low->setValue(-300);
    up->setValue(700);
    EXPECT_EQ(state.finalStage.terrainHeightLow, -300);
    EXPECT_EQ(state.finalStage.terrainHeightUp, 700);
    EXPECT_EQ(low->minimum(), -10000);
    EXPECT_EQ(up->maximum(), 9000);
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, ButtonsAndGradientRowsEvaluate) {
    FF panel(panelContext(), view);
    panel.setInitialGradients();

    auto* light = get<QPushButton>(panel, "FFSetLightButton");
    EXPECT_EQ(light->text(), "Light ON");
    const QString lit = light->styleSheet();
    emit light->released();
    EXPECT_EQ(light->text(), "Light OFF");
    EXPECT_FALSE(state.finalStage.lightOn);
    EXPECT_NE(light->styleSheet(), lit);
    EXPECT_EQ(evaluations(), 1);
    emit light->released();
    EXPECT_EQ(light->text(), "Light ON");
    EXPECT_EQ(light->styleSheet(), lit);
    EXPECT_EQ(evaluations(), 2);

    auto* turbulenceSeed = get<QPushButton>(panel, "FFTurbulenceSeed");
    EXPECT_EQ(turbulenceSeed->text(), "refresh turbulence map");
    EXPECT_EQ(turbulenceSeed->toolTip(), "reseed the turbulence noise map");
    SequenceSeedSource copy{7};
    const int expectedSeed = copy.drawSeed();
    emit turbulenceSeed->released();
    EXPECT_EQ(state.recipe.turbulence.seed, expectedSeed);
    EXPECT_EQ(evaluations(), 3);

    // Manual mode: a window slider change waits for the refresh button.
    panelDriver().setAutoNoiseMode();
    auto* hSlider = get<QSlider>(panel, "FFHSlider");
    EXPECT_EQ(hSlider->pageStep(), 4);
    hSlider->setValue(-32);
    EXPECT_EQ(state.recipe.startX, -32);
    emit get<QToolButton>(panel, "FFReGenerateNoise")->released();
    EXPECT_EQ(evaluations(), 4);
    EXPECT_EQ(view.refreshButton.back(), false);

    // In texture style a gradient row change evaluates with the new
    // gradient; only the map size follows the preview resolution.
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

TEST_F(FinalStagePanelTest, SyncFromRecipeAndWindowPinWithoutEvaluating) {
    FF panel(panelContext(), view);
    panel.setInitialGradients();
    TerrainRecipe& r = state.recipe;
    FinalStageSettings& fs = state.finalStage;
    r.noiseSize = 100;
    r.startX = 7;
    r.startY = -9;
    r.gradient1 = "alpine.bmp";
    r.gradient2 = "volcanic.bmp";
    r.turbulence = {55, 130, 6, 11};
    r.erosion = {int(ErosionType::Hydraulics), 300, 20, 30, 140, 40};
    fs.lightOn = false;
    fs.lightContrast = 7;
    fs.lightIntensity = 12;
    fs.lightAzimuth = 200;
    fs.lightElevation = 10;
    fs.previewResolution = 2;
    fs.mapStyle = 1; // a preset load switches to texture previews
    fs.setTerrainSize(4);
    fs.terrainHeightLow = -50;
    panel.syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(view.previews.empty());
    EXPECT_EQ(get<QSpinBox>(panel, "FFBoundsSpinBox")->value(), 100);
    EXPECT_EQ(get<QSlider>(panel, "FFHSlider")->value(), 7);
    EXPECT_EQ(get<QSlider>(panel, "FFVSlider")->value(), -9);
    EXPECT_EQ(get<QSpinBox>(panel, "FFTurbulenceFrequency")->value(), 55);
    EXPECT_EQ(get<QSpinBox>(panel, "FFTurbulencePower")->value(), 130);
    EXPECT_EQ(get<QSpinBox>(panel, "FFTurbulenceRoughness")->value(), 6);
    EXPECT_EQ(get<QComboBox>(panel, "FFErosionTypeComboBox")->currentText(), "hydraulics");
    EXPECT_EQ(get<QSpinBox>(panel, "FFErosionIterationsSpinBox")->value(), 300);
    EXPECT_EQ(get<QSpinBox>(panel, "FFErosionEvaporationSpinBox")->value(), 140);
    EXPECT_TRUE(get<QWidget>(panel, "FFErosionCapacitySpinBox")->isVisibleTo(&panel));
    EXPECT_EQ(get<QPushButton>(panel, "FFSetLightButton")->text(), "Light OFF");
    EXPECT_EQ(get<QSlider>(panel, "FFLightContrastSlider")->value(), 7);
    EXPECT_EQ(get<QSlider>(panel, "FFLightIntensitySlider")->value(), 12);
    EXPECT_EQ(get<QLabel>(panel, "FFAzimuthLabel")->text(), QString("azimuth: 200") + QChar(0xB0));
    EXPECT_EQ(get<QLabel>(panel, "FFElevationLabel")->text(), QString("pitch: 10") + QChar(0xB0));
    EXPECT_EQ(get<QSlider>(panel, "FFPreviewImageSlider")->value(), 2);
    EXPECT_EQ(get<QSlider>(panel, "FFSetCurrentMapSlider")->value(), 1);
    EXPECT_EQ(get<QSlider>(panel, "FFTerrainSizeSlider")->value(), 4);
    EXPECT_EQ(get<QLineEdit>(panel, "FFTerrainSizeLineEdit")->text(), "10000");
    EXPECT_EQ(get<QSpinBox>(panel, "FFTerrainElevationUpSpinBox")->value(), 1000);
    EXPECT_EQ(get<QSpinBox>(panel, "FFTerrainElevationLowSpinBox")->value(), -50);
    auto* left = get<QListWidget>(panel, "FFGradientTypeListViewLeft");
    auto* right = get<QListWidget>(panel, "FFGradientTypeListViewRight");
    EXPECT_TRUE(left->isEnabled());
    EXPECT_EQ(current(left), "alpine.bmp");
    EXPECT_EQ(current(right), "volcanic.bmp");
    EXPECT_EQ(get<QLabel>(panel, "FFTextureMapLabel")->styleSheet(), kSelectedStyle);
    // Nothing in the state moved while the controls were set.
    EXPECT_EQ(r.erosion.capacity, 40);
    EXPECT_EQ(fs.terrainSizeText, "10000");
    EXPECT_EQ(r.gradient1, "alpine.bmp");

    // An input type pins the window: the controls re-read and lock.
    EXPECT_FALSE(applyWindowPin(r, InputType::Image));
    panel.setWindowControlsEnabled(false);
    EXPECT_EQ(get<QSpinBox>(panel, "FFBoundsSpinBox")->value(), 4);
    EXPECT_EQ(get<QSlider>(panel, "FFHSlider")->value(), 0);
    EXPECT_EQ(get<QSlider>(panel, "FFVSlider")->value(), 0);
    EXPECT_FALSE(get<QSpinBox>(panel, "FFBoundsSpinBox")->isEnabled());
    EXPECT_FALSE(get<QSlider>(panel, "FFVSlider")->isEnabled());
    panel.setWindowControlsEnabled(true);
    EXPECT_TRUE(get<QSlider>(panel, "FFHSlider")->isEnabled());
    EXPECT_EQ(evaluations(), 0);
}

} // namespace
} // namespace morvane::testing
