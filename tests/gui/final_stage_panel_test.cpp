#include "panel_test_util.h"

#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/panels/FF.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <functional>
#include <memory>
#include <tuple>

namespace morvane::testing {
namespace {

using Previews = std::vector<std::pair<PreviewSlot, QString>>;

Previews swapped(const QString& p) {
    using S = PreviewSlot;
    return {{S::Final, p + "FFnoisePreview.jpg"},   {S::Input1, p + "I1noisePreview.jpg"},
            {S::Input2, p + "I2noisePreview.jpg"},  {S::Deformer1, p + "D1noisePreview.jpg"},
            {S::Deformer2, p + "D2noisePreview.jpg"}};
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
    EXPECT_FALSE(left->isEnabled() || right->isEnabled());

    view.previews.clear();
    style->setValue(1);
    EXPECT_EQ(view.previews, swapped("T"));
    EXPECT_TRUE(listsEnabled());
    // Never chosen before: the lists show the gradients the textures use.
    EXPECT_EQ(rows(), "australia 2.bmp | australia 2.bmp");
    EXPECT_FALSE(state.smoothingFlag);

    selectQuietly(rowOf(left, "volcanic.bmp"), rowOf(right, "alpine.bmp"));
    view.previews.clear();
    style->setValue(0);
    EXPECT_EQ(view.previews, swapped("H"));
    EXPECT_EQ(gradients(), "volcanic.bmp | alpine.bmp");
    EXPECT_EQ(rows(), "black and white.bmp | black and white.bmp");
    EXPECT_FALSE(left->isEnabled() || right->isEnabled());
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
    EXPECT_EQ(prompts.warnings[0].second, "Missing standard black/white gradient !");
    EXPECT_EQ(rows(), left->item(0)->text() + " | " + left->item(0)->text());
    EXPECT_EQ(state.recipe.gradient1, left->item(2)->text());
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, LightErosionAndTurbulenceValuesOnlyShowTheRefreshButton) {
    const TerrainRecipe& r = state.recipe;
    const FinalStageSettings& fs = state.finalStage;
    const std::vector<std::tuple<const char*, int, std::function<int()>>> changes = {
        {"FFLightIntensitySlider", 77, [&] { return fs.lightIntensity; }},
        {"FFBoundsSpinBox", 64, [&] { return r.noiseSize; }},
        {"FFTurbulenceFrequency", -40, [&] { return r.turbulence.frequency; }},
        {"FFErosionIterationsSpinBox", 1000, [&] { return r.erosion.iterations; }},
    };
    for (const auto& [name, value, field] : changes) {
        view.refreshButton.clear();
        ASSERT_TRUE(get(name)->setProperty("value", value)) << name;
        EXPECT_EQ(field(), value) << name;
        EXPECT_EQ(view.refreshButton, std::vector<bool>{true}) << name;
    }
    view.refreshButton.clear();
    get<QComboBox>("FFErosionTypeComboBox")->setCurrentIndex(int(ErosionType::Hydraulics));
    EXPECT_EQ(r.erosion.type, int(ErosionType::Hydraulics));
    EXPECT_EQ(view.refreshButton, std::vector<bool>{true});
    EXPECT_TRUE(state.refreshButtonVisible);
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(FinalStagePanelTest, PreviewSizeEvaluatesOnceOnRelease) {
    auto* size = get<QSlider>("FFPreviewImageSlider");
    size->setValue(2);
    EXPECT_EQ(evaluations(), 0);
    emit size->sliderReleased();
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(state.previewMapSize, 512);
    EXPECT_EQ(state.previewPictureSize, 512);
    EXPECT_EQ(QImage(paths.mapFile("HFFnoisePreview.jpg")).size(), QSize(512, 512));
}

TEST_F(FinalStagePanelTest, ButtonsAndGradientRowsEvaluate) {
    emit get<QPushButton>("FFTurbulenceSeed")->released();
    EXPECT_EQ(state.recipe.turbulence.seed, fixtureSeeds(1)[0]);
    EXPECT_EQ(evaluations(), 1);

    // Manual mode: a window slider change waits for the refresh button.
    panelDriver().setAutoNoiseMode();
    get<QSlider>("FFHSlider")->setValue(-32);
    EXPECT_EQ(state.recipe.startX, -32);
    EXPECT_EQ(evaluations(), 1);
    emit get<QToolButton>("FFReGenerateNoise")->released();
    EXPECT_EQ(evaluations(), 2);
    EXPECT_EQ(view.refreshButton.back(), false);

    // In texture style a gradient row evaluates with the new gradient; only
    // the map size follows the preview resolution.
    get<QSlider>("FFSetCurrentMapSlider")->setValue(1);
    state.previewPictureSize = 32;
    left->setCurrentRow(rowOf(left, "volcanic.bmp"));
    EXPECT_EQ(evaluations(), 3);
    EXPECT_EQ(gradients(), "volcanic.bmp | australia 2.bmp");
    EXPECT_EQ(state.previewMapSize, 256);
    EXPECT_EQ(state.previewPictureSize, 32);
    EXPECT_EQ(view.previews.back(),
              std::make_pair(PreviewSlot::Final, QString("TFFnoisePreview.jpg")));
}

// Round trips are the window's preset test's; here what spans fields.
TEST_F(FinalStagePanelTest, SyncFromRecipeAndWindowPinWithoutEvaluating) {
    TerrainRecipe& r = state.recipe;
    FinalStageSettings& fs = state.finalStage;
    r.gradient1 = "alpine.bmp";
    r.gradient2 = "volcanic.bmp";
    r.erosion = {int(ErosionType::Hydraulics), 300, 20, 30, 140, 40};
    fs.lightOn = false;
    fs.mapStyle = 1; // a preset load switches to texture previews
    fs.setTerrainSize(4);
    const TerrainRecipe before = r;
    panel->syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(view.previews.empty());
    EXPECT_TRUE(shown(*panel, "FFErosionCapacitySpinBox"));
    EXPECT_EQ(get<QPushButton>("FFSetLightButton")->text(), "Light OFF");
    EXPECT_EQ(get<QLineEdit>("FFTerrainSizeLineEdit")->text(), "10000");
    EXPECT_TRUE(listsEnabled());
    EXPECT_EQ(rows(), "alpine.bmp | volcanic.bmp");
    EXPECT_EQ(r, before); // nothing written back

    // An input type pins the window: the controls re-read and lock.
    r.startX = 7;
    EXPECT_FALSE(applyWindowPin(r, InputType::Image));
    panel->setWindowControlsEnabled(false);
    EXPECT_EQ(get<QSlider>("FFHSlider")->value(), 0);
    EXPECT_FALSE(get("FFBoundsSpinBox")->isEnabled());
    panel->setWindowControlsEnabled(true);
    EXPECT_TRUE(get("FFHSlider")->isEnabled());
    EXPECT_EQ(evaluations(), 0);
}

} // namespace
} // namespace morvane::testing
