#include "panel_test_util.h"

#include "recipe/node_types.h"
#include "recipe/panels/C1.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace morvane::testing {
namespace {

const QString kSliders[] = {"C1FrequencySlider",  "C1LacunaritySlider",  "C1QualitySlider",
                            "C1OctavesSlider",    "C1PersistenceSlider", "C1DisplacementSlider",
                            "C1EdgeFalloffSlider"};

class CombinerPanelTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        panel = std::make_unique<C1>(panelContext());
        combiner = child<QComboBox>(*panel, "C1TerrainType");
        noise = child<QComboBox>(*panel, "C1NoiseType");
    }
    // The sliders shown, as '0'/'1' in kSliders order.
    QString shownSliders() {
        QString flags;
        for (const QString& name : kSliders) {
            flags += shown(*panel, name) ? '1' : '0';
            EXPECT_EQ(shown(*panel, name + "Label"), shown(*panel, name)) << name.toStdString();
        }
        return flags;
    }
    CombinerNode& node() { return state.recipe.combiner; }

    std::unique_ptr<C1> panel;
    QComboBox* combiner = nullptr;
    QComboBox* noise = nullptr;
};

TEST_F(CombinerPanelTest, ControlNoiseControlsFollowTheCombinerAndTheNoiseType) {
    panelDriver().setAutoNoiseMode(); // manual: type changes only show the button
    noise->setCurrentIndex(int(InputType::Perlin));

    for (CombinerType type : {CombinerType::Blend, CombinerType(int(CombinerType::Blend) - 1)}) {
        combiner->setCurrentIndex(int(type));
        const bool uses = type == CombinerType::Blend;
        SCOPED_TRACE(combinerTypeNames().at(int(type)).toStdString());
        EXPECT_EQ(node().terrainType, int(type));
        EXPECT_EQ(noise->isEnabled(), uses);
        EXPECT_EQ(child(*panel, "C1SeedButton")->isEnabled(), uses);
        EXPECT_EQ(panel->previewLabel()->isEnabled(), uses);
        EXPECT_EQ(child(*panel, "C1EdgeFalloffSlider")->isEnabled(), uses);
    }

    // With Select the sliders a control-noise type reads are shown; falloff
    // is Select's own and always there.
    combiner->setCurrentIndex(int(CombinerType::Select));
    const std::pair<InputType, const char*> rows[] = {{InputType::Flat, "0000001"},
                                                      {InputType::GaborConvolution, "1000111"}};
    for (const auto& [type, expected] : rows) {
        noise->setCurrentIndex(int(type));
        EXPECT_EQ(shownSliders(), expected) << inputTypeNames().at(int(type)).toStdString();
    }
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(CombinerPanelTest, ChangesEvaluateInAutomaticModeAndShowTheButtonInManualMode) {
    const std::vector<int> seeds = fixtureSeeds(2);
    ASSERT_EQ(node().seedNumber, 1);

    // A new combiner type keeps the control noise and its seed.
    combiner->setCurrentIndex(int(CombinerType::Blend));
    EXPECT_EQ(evaluations(), 1);
    EXPECT_EQ(node().seedNumber, 1);
    EXPECT_TRUE(QFileInfo::exists(paths.mapFile("C1noisePreview.jpg")));

    // A new control-noise type draws a new seed.
    noise->setCurrentIndex(int(InputType::Perlin));
    EXPECT_EQ(evaluations(), 2);
    EXPECT_EQ(node().noiseType, int(InputType::Perlin));
    EXPECT_EQ(node().seedNumber, seeds[0]);

    // Slider values reach the recipe at once; the release evaluates.
    auto* frequency = child<QSlider>(*panel, "C1FrequencySlider");
    frequency->setValue(160);
    EXPECT_EQ(node().frequency, 160);
    EXPECT_EQ(evaluations(), 2);
    emit frequency->sliderReleased();
    EXPECT_EQ(evaluations(), 3);

    panelDriver().setAutoNoiseMode();
    view.refreshButton.clear();
    drag(child<QSlider>(*panel, "C1EdgeFalloffSlider"), -100);
    combiner->setCurrentIndex(int(CombinerType::Select));
    noise->setCurrentIndex(int(InputType::Voronoi));
    EXPECT_EQ(evaluations(), 3);
    EXPECT_EQ(node().falloff, -100);
    EXPECT_EQ(node().terrainType, int(CombinerType::Select));
    EXPECT_EQ(node().seedNumber, seeds[1]);
    EXPECT_EQ(view.refreshButton, std::vector<bool>(3, true));
}

TEST_F(CombinerPanelTest, ImageIsTakenWhenChosenAndFallsBackToFlatWhenCancelled) {
    const QString folder = root() + "/pictures";
    ASSERT_TRUE(QDir().mkpath(folder));
    writePicture(folder + "/control.png", Qt::gray);
    node().terrainType = int(CombinerType::Blend);
    panel->syncFromRecipe();
    noise->setCurrentIndex(int(InputType::Perlin));
    const int before = evaluations();

    // The index change alone does nothing; the activation asks for the picture.
    prompts.files.push_back(folder + "/control.png");
    noise->setCurrentIndex(int(InputType::Image));
    EXPECT_EQ(evaluations(), before);
    emit noise->textActivated(QStringLiteral("Image"));
    ASSERT_EQ(prompts.fileDialogs.size(), 1);
    EXPECT_EQ(node().noiseImageFile, folder + "/control.png");
    EXPECT_EQ(node().noiseType, int(InputType::Image));
    EXPECT_EQ(evaluations(), before + 1);
    EXPECT_TRUE(prompts.warnings.empty());

    // Cancelled: warn and fall back to "Flat", which is a real change and
    // evaluates; the dialog starts where the last picture came from.
    emit noise->textActivated(QStringLiteral("Image"));
    ASSERT_EQ(prompts.fileDialogs.size(), 2);
    EXPECT_EQ(prompts.fileDialogs[1], "Open File|" + folder + "|Images (*.png *.xpm *.jpg *.bmp)");
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].second, "no image chosen, selecting constant noise");
    EXPECT_EQ(noise->currentIndex(), 0);
    EXPECT_EQ(node().noiseType, int(InputType::Flat));
    EXPECT_EQ(evaluations(), before + 2);
}

TEST_F(CombinerPanelTest, ReseedOnlyForSeededNoiseTypes) {
    node().terrainType = int(CombinerType::Select);
    panel->syncFromRecipe();
    auto* seed = child<QPushButton>(*panel, "C1SeedButton");
    ASSERT_TRUE(seed->isEnabled());

    for (InputType type : {InputType::Flat, InputType::Spheres, InputType::Image}) {
        node().noiseType = int(type);
        emit seed->released();
    }
    EXPECT_EQ(node().seedNumber, 1);
    EXPECT_EQ(evaluations(), 0);

    node().noiseType = int(InputType::GaborConvolution);
    emit seed->released();
    EXPECT_EQ(node().seedNumber, fixtureSeeds(1)[0]);
    EXPECT_EQ(evaluations(), 1);
}

TEST_F(CombinerPanelTest, SyncFromRecipeSetsEveryControlWithoutEvaluating) {
    const int values[] = {150, 33, 3, 12, 0, 77, -40}; // in kSliders order
    const CombinerNode changed = node() = {
        int(CombinerType::Select), int(InputType::Voronoi), 13, 150, 33, 3, 12, 0, 77, -40, {}};
    panel->syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(node() == changed);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(child<QSlider>(*panel, kSliders[i])->value(), values[i]) << i;
        // The read-out follows although the slider's signals were blocked.
        EXPECT_EQ(child<QLabel>(*panel, kSliders[i] + "Value")->text(), QString::number(values[i]));
    }
}

} // namespace
} // namespace morvane::testing
