#include "gui/gui_fixture.h"

#include "recipe/node_types.h"
#include "recipe/panels/C1.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <map>
#include <set>
#include <string>

namespace morvane::testing {
namespace {

const char* const kSliders[] = {"C1FrequencySlider",  "C1LacunaritySlider",  "C1QualitySlider",
                                "C1OctavesSlider",    "C1PersistenceSlider", "C1DisplacementSlider",
                                "C1EdgeFalloffSlider"};

class CombinerPanelTest : public PanelFixture {
  protected:
    template <typename T> T* get(C1& panel, const char* name) {
        T* widget = panel.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    bool greyed(C1& panel, const QString& labelName) {
        return get<QLabel>(panel, labelName.toLatin1().constData())
            ->styleSheet()
            .contains(QLatin1String("rgba(80,80,80,255)"));
    }
    // The first seeds the panel will draw, from a source like the fixture's.
    static std::vector<int> expectedSeeds(int count) {
        SequenceSeedSource copy{7};
        std::vector<int> out;
        for (int i = 0; i < count; ++i)
            out.push_back(copy.drawSeed());
        return out;
    }
    CombinerNode& node() { return state.recipe.combiner; }
};

TEST_F(CombinerPanelTest, ControlNoiseControlsFollowTheCombinerAndTheNoiseType) {
    panelDriver().setAutoNoiseMode(); // manual: type changes only show the button
    C1 panel(panelContext());
    auto* combiner = get<QComboBox>(panel, "C1TerrainType");
    auto* noise = get<QComboBox>(panel, "C1NoiseType");
    noise->setCurrentIndex(int(InputType::Perlin));

    for (int type = 0; type < 7; ++type) {
        combiner->setCurrentIndex(type);
        const bool uses = type >= int(CombinerType::Blend);
        SCOPED_TRACE(combinerTypeNames().at(type).toStdString());
        EXPECT_EQ(node().terrainType, type);
        EXPECT_EQ(noise->isEnabled(), uses);
        EXPECT_EQ(get<QPushButton>(panel, "C1SeedButton")->isEnabled(), uses);
        EXPECT_EQ(panel.previewLabel()->isEnabled(), uses);
        EXPECT_EQ(greyed(panel, "C1NoiseTypeLabel"), !uses);
        for (const char* name : kSliders) {
            EXPECT_EQ(get<QSlider>(panel, name)->isEnabled(), uses) << name;
            EXPECT_EQ(greyed(panel, QLatin1String(name) + "Label"), !uses) << name;
        }
    }

    // With Select the sliders a control-noise type reads are shown, with
    // their labels; falloff is Select's own and always there.
    combiner->setCurrentIndex(int(CombinerType::Select));
    const std::map<InputType, std::set<std::string>> shown = {
        {InputType::Flat, {}},
        {InputType::CheckerBoard, {"C1FrequencySlider"}},
        {InputType::Voronoi, {"C1FrequencySlider", "C1DisplacementSlider"}},
        {InputType::Perlin,
         {"C1FrequencySlider", "C1LacunaritySlider", "C1QualitySlider", "C1OctavesSlider",
          "C1PersistenceSlider"}},
        {InputType::MultiFractal,
         {"C1FrequencySlider", "C1LacunaritySlider", "C1QualitySlider", "C1OctavesSlider"}},
        {InputType::GaborConvolution,
         {"C1FrequencySlider", "C1PersistenceSlider", "C1DisplacementSlider"}},
    };
    for (const auto& [type, names] : shown) {
        noise->setCurrentIndex(int(type));
        SCOPED_TRACE(inputTypeNames().at(int(type)).toStdString());
        for (const char* name : kSliders) {
            const bool expected =
                names.count(name) > 0 || std::string(name) == "C1EdgeFalloffSlider";
            EXPECT_EQ(get<QSlider>(panel, name)->isVisibleTo(&panel), expected) << name;
            EXPECT_EQ(
                get<QLabel>(panel, (std::string(name) + "Label").c_str())->isVisibleTo(&panel),
                expected)
                << name;
        }
    }
    EXPECT_EQ(evaluations(), 0);
}

TEST_F(CombinerPanelTest, ChangesEvaluateInAutomaticModeAndShowTheButtonInManualMode) {
    C1 panel(panelContext());
    auto* combiner = get<QComboBox>(panel, "C1TerrainType");
    auto* noise = get<QComboBox>(panel, "C1NoiseType");
    const std::vector<int> seeds = expectedSeeds(2);
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
    auto* frequency = get<QSlider>(panel, "C1FrequencySlider");
    frequency->setValue(160);
    EXPECT_EQ(node().frequency, 160);
    EXPECT_EQ(evaluations(), 2);
    emit frequency->sliderReleased();
    EXPECT_EQ(evaluations(), 3);

    panelDriver().setAutoNoiseMode();
    view.refreshButton.clear();
    auto* falloff = get<QSlider>(panel, "C1EdgeFalloffSlider");
    falloff->setValue(-100);
    emit falloff->sliderReleased();
    combiner->setCurrentIndex(int(CombinerType::Select));
    noise->setCurrentIndex(int(InputType::Voronoi));
    EXPECT_EQ(evaluations(), 3);
    EXPECT_EQ(node().falloff, -100);
    EXPECT_EQ(node().terrainType, int(CombinerType::Select));
    EXPECT_EQ(node().seedNumber, seeds[1]);
    ASSERT_EQ(view.refreshButton.size(), 3u);
    EXPECT_EQ(view.refreshButton, std::vector<bool>(3, true));
}

TEST_F(CombinerPanelTest, ImageIsTakenWhenChosenAndFallsBackToFlatWhenCancelled) {
    const QString folder = root() + "/pictures";
    ASSERT_TRUE(QDir().mkpath(folder));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    ASSERT_TRUE(picture.save(folder + "/control.png"));

    C1 panel(panelContext());
    auto* combiner = get<QComboBox>(panel, "C1TerrainType");
    auto* noise = get<QComboBox>(panel, "C1NoiseType");
    {
        const QSignalBlocker blocker(combiner);
        combiner->setCurrentIndex(int(CombinerType::Blend));
        node().terrainType = int(CombinerType::Blend);
    }
    noise->setCurrentIndex(int(InputType::Perlin));
    const int before = evaluations();

    // The index change alone does nothing; the activation asks for the picture.
    prompts.files.push_back(folder + "/control.png");
    noise->setCurrentIndex(int(InputType::Image));
    EXPECT_EQ(evaluations(), before);
    emit noise->textActivated(QStringLiteral("Image"));
    ASSERT_EQ(prompts.fileDialogs.size(), 1);
    EXPECT_TRUE(prompts.fileDialogs[0].startsWith("Open File|"));
    EXPECT_TRUE(prompts.fileDialogs[0].endsWith("|Images (*.png *.xpm *.jpg *.bmp)"));
    EXPECT_EQ(node().noiseImageFile, folder + "/control.png");
    EXPECT_EQ(node().noiseType, int(InputType::Image));
    EXPECT_EQ(evaluations(), before + 1);
    for (const char* name : kSliders) {
        const bool falloff = std::string(name) == "C1EdgeFalloffSlider";
        EXPECT_EQ(get<QSlider>(panel, name)->isVisibleTo(&panel), falloff) << name;
    }
    EXPECT_TRUE(prompts.warnings.empty());

    // Cancelled: warn and fall back to "Flat", which is a real change and
    // evaluates; the dialog starts where the last picture came from.
    emit noise->textActivated(QStringLiteral("Image"));
    ASSERT_EQ(prompts.fileDialogs.size(), 2);
    EXPECT_EQ(prompts.fileDialogs[1], "Open File|" + folder + "|Images (*.png *.xpm *.jpg *.bmp)");
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].first, "Error");
    EXPECT_EQ(prompts.warnings[0].second, "no image chosen, selecting constant noise");
    EXPECT_EQ(noise->currentIndex(), 0);
    EXPECT_EQ(node().noiseType, int(InputType::Flat));
    EXPECT_EQ(evaluations(), before + 2);

    // Other types never open the dialog.
    emit noise->textActivated(QStringLiteral("Perlin"));
    EXPECT_EQ(prompts.fileDialogs.size(), 2);
}

TEST_F(CombinerPanelTest, ReseedOnlyForSeededNoiseTypes) {
    node().terrainType = int(CombinerType::Select);
    node().noiseType = int(InputType::CheckerBoard);
    C1 panel(panelContext());
    auto* seed = get<QPushButton>(panel, "C1SeedButton");
    ASSERT_TRUE(seed->isEnabled());
    const std::vector<int> seeds = expectedSeeds(1);

    for (InputType type : {InputType::Flat, InputType::CheckerBoard, InputType::Cylinders,
                           InputType::Spheres, InputType::Image}) {
        node().noiseType = int(type);
        emit seed->released();
    }
    EXPECT_EQ(node().seedNumber, 1);
    EXPECT_EQ(evaluations(), 0);

    node().noiseType = int(InputType::GaborConvolution);
    emit seed->released();
    EXPECT_EQ(node().seedNumber, seeds[0]);
    EXPECT_EQ(evaluations(), 1);
}

TEST_F(CombinerPanelTest, SyncFromRecipeSetsEveryControlWithoutEvaluating) {
    C1 panel(panelContext());
    view.refreshButton.clear();
    const int values[] = {150, 33, 3, 12, 0, 77, -40}; // in kSliders order
    CombinerNode changed;
    changed.terrainType = int(CombinerType::Select);
    changed.noiseType = int(InputType::Voronoi);
    changed.seedNumber = 13;
    changed.frequency = values[0];
    changed.lacunarity = values[1];
    changed.quality = values[2];
    changed.octaves = values[3];
    changed.persistence = values[4];
    changed.displacement = values[5];
    changed.falloff = values[6];
    node() = changed;
    panel.syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(view.refreshButton.empty());
    EXPECT_TRUE(node() == changed);
    EXPECT_EQ(get<QComboBox>(panel, "C1TerrainType")->currentText(), "Select");
    EXPECT_EQ(get<QComboBox>(panel, "C1NoiseType")->currentText(), "Voronoi");
    for (int i = 0; i < 7; ++i) {
        auto* slider = get<QSlider>(panel, kSliders[i]);
        EXPECT_EQ(slider->value(), values[i]) << kSliders[i];
        // The read-out follows although the slider's signals were blocked.
        EXPECT_EQ(get<QLabel>(panel, (std::string(kSliders[i]) + "Value").c_str())->text(),
                  QString::number(values[i]));
    }
    EXPECT_FALSE(get<QSlider>(panel, "C1LacunaritySlider")->isVisibleTo(&panel));
    EXPECT_TRUE(get<QComboBox>(panel, "C1NoiseType")->isEnabled());
}

} // namespace
} // namespace morvane::testing
