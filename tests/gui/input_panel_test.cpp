#include "panel_test_util.h"

#include "recipe/panels/I1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace morvane::testing {
namespace {

struct Field {
    const char* name;
    int InputNode::*value;
};
const Field kSliders[] = {
    {"Frequency", &InputNode::frequency},     {"Lacunarity", &InputNode::lacunarity},
    {"Quality", &InputNode::quality},         {"Octaves", &InputNode::octaves},
    {"Persistence", &InputNode::persistence}, {"Displacement", &InputNode::displacement}};
const Field kMultiFractal[] = {{"I1MultiFractalOffsetSpinBox", &InputNode::multiFractalOffset},
                               {"I1MultiFractalGainSpinBox", &InputNode::multiFractalGain},
                               {"I1MultiFractalWeightSpinBox", &InputNode::multiFractalWeight}};
const QString kImageFilter = QStringLiteral("Images (*.png *.xpm *.jpg *.bmp)");

class InputPanelTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        ASSERT_TRUE(pictures.isValid());
        panel = makePanel(0);
    }

    std::unique_ptr<I1> makePanel(int index) {
        auto made = std::make_unique<I1>(index, panelContext());
        QObject::connect(made.get(), &I1::windowControlsEnabled, made.get(),
                         [this, index](bool enabled) { windowEnabled[index] = enabled; });
        return made;
    }

    QComboBox* typeCombo(I1& p) { return child<QComboBox>(p, "I1TerrainType"); }
    QSlider* slider(I1& p, const char* name) {
        return child<QSlider>(p, QStringLiteral("I1%1Slider").arg(QLatin1String(name)));
    }
    // The slider rows shown, as '0'/'1' in kSliders order.
    static QString shownSliders(I1& p) {
        QString flags;
        for (const Field& f : kSliders) {
            const QString name = QStringLiteral("I1") + f.name;
            flags += shown(p, name + "Slider") ? '1' : '0';
            EXPECT_EQ(shown(p, name + "Label"), shown(p, name + "Slider")) << f.name;
        }
        return flags;
    }

    // What a user's pick from the popup sends: the index change, then the
    // activation with the item's text.
    void pick(I1& p, const QString& typeName) {
        QComboBox* combo = typeCombo(p);
        const int index = combo->findText(typeName);
        ASSERT_GE(index, 0) << typeName.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        emit combo->textActivated(typeName);
    }

    QString makePicture(const QString& name) {
        const QString file = pictures.filePath(name);
        writePicture(file, QColor(90, 160, 40));
        return file;
    }
    QString dialogIn(const QString& folder) { return "Open File|" + folder + '|' + kImageFilter; }

    InputNode& input(int index = 0) { return state.recipe.inputs[std::size_t(index)]; }

    QTemporaryDir pictures;
    std::unique_ptr<I1> panel;
    bool windowEnabled[2] = {true, true};
};

// Which controls each input type shows, and whether it leaves the
// evaluation window free.
struct TypeRow {
    const char* type;
    const char* sliders;
    bool multiFractal, gabor, windowFree;
};
const TypeRow kTypeRows[] = {
    {"Flat", "000000", false, false, false},
    {"Billow", "111110", false, false, true},
    {"CheckerBoard", "100000", false, false, true},
    {"Cylinders", "100000", false, false, true},
    {"MultiFractal", "111100", true, false, true},
    {"Perlin", "111110", false, false, true},
    {"Spheres", "100000", false, false, true},
    {"Voronoi", "100001", false, false, true},
    {"Gabor Convolution", "100011", false, true, true},
    {"Image", "000000", false, false, false},
};

TEST_F(InputPanelTest, EachTypeShowsItsControlsAndPinsTheWindowForFlatAndImage) {
    const QString picture = makePicture("rock.png");
    for (const TypeRow& row : kTypeRows) {
        SCOPED_TRACE(row.type);
        const QString type = QLatin1String(row.type);
        pick(*panel, type == "Perlin" ? "Billow" : "Perlin"); // so the pick is a change
        state.recipe.startX = 7;
        state.recipe.startY = -5;
        state.recipe.noiseSize = 9;
        if (type == "Image")
            prompts.files.push_back(picture);
        pick(*panel, type);

        EXPECT_EQ(input().type, typeCombo(*panel)->findText(type));
        EXPECT_EQ(shownSliders(*panel), row.sliders);
        for (const Field& spin : kMultiFractal)
            EXPECT_EQ(shown(*panel, spin.name), row.multiFractal) << spin.name;
        EXPECT_EQ(shown(*panel, "I1GaborAnisoCheckBox"), row.gabor);

        // Free types keep the window as it was; pinning ones reset it.
        EXPECT_EQ(windowEnabled[0], row.windowFree);
        EXPECT_EQ(state.recipe.startX, row.windowFree ? 7 : 0);
        EXPECT_EQ(state.recipe.startY, row.windowFree ? -5 : 0);
        EXPECT_EQ(state.recipe.noiseSize, type == "Image" ? 4 : 9);
    }
}

TEST_F(InputPanelTest, ReleasesEvaluateInAutomaticModeAndOnlyFlagTheRefreshInManualMode) {
    pick(*panel, "Gabor Convolution");
    const int before = evaluations();
    view.refreshButton.clear();

    drag(slider(*panel, "Frequency"), 42);
    EXPECT_EQ(input().frequency, 42);
    EXPECT_EQ(child<QLabel>(*panel, "I1FrequencySliderValue")->text(), "42");
    EXPECT_EQ(evaluations(), before + 1);
    QCheckBox* aniso = child<QCheckBox>(*panel, "I1GaborAnisoCheckBox");
    aniso->click();
    EXPECT_EQ(input().gaborAnisotropic, 2);
    EXPECT_EQ(evaluations(), before + 2);
    EXPECT_EQ(std::count(view.refreshButton.begin(), view.refreshButton.end(), true), 0);

    // A finished multi-fractal edit counts as a release.
    pick(*panel, "MultiFractal");
    QSpinBox* offset = child<QSpinBox>(*panel, "I1MultiFractalOffsetSpinBox");
    offset->setValue(-40);
    EXPECT_EQ(input().multiFractalOffset, -40);
    emit offset->editingFinished();
    EXPECT_EQ(evaluations(), before + 4);

    state.automaticMode = false;
    clearMaps();
    view.refreshButton.clear();
    drag(slider(*panel, "Persistence"), 0); // the range reaches 0
    EXPECT_EQ(input().persistence, 0);
    aniso->click();
    EXPECT_EQ(input().gaborAnisotropic, 0);
    pick(*panel, "Perlin");
    EXPECT_EQ(evaluations(), before + 4);
    EXPECT_TRUE(mapsFiles().isEmpty());
    EXPECT_EQ(view.refreshButton, std::vector<bool>(3, true));
}

TEST_F(InputPanelTest, ReseedDrawsASeedAndResetsMultiFractalOnlyForNoiseWithASeed) {
    const QStringList seeded = {"Billow", "MultiFractal", "Perlin", "Voronoi", "Gabor Convolution"};
    const std::vector<int> draws = fixtureSeeds(int(seeded.size()));
    const int kept[] = {-10, 20, 30};
    std::size_t drawn = 0;
    for (int type = 0; type < 10; ++type) {
        input().type = type;
        input().seedNumber = 99; // no draw gives 99
        for (int i = 0; i < 3; ++i)
            input().*kMultiFractal[i].value = kept[i];
        panel->syncFromRecipe();
        const QString name = typeCombo(*panel)->currentText();
        SCOPED_TRACE(name.toStdString());
        const int before = evaluations();

        QTest::mouseClick(child<QPushButton>(*panel, "I1SeedButton"), Qt::LeftButton);

        const bool reseeds = seeded.contains(name);
        EXPECT_EQ(evaluations(), before + (reseeds ? 1 : 0));
        EXPECT_EQ(input().seedNumber, reseeds ? draws[drawn++] : 99);
        for (int i = 0; i < 3; ++i) {
            const Field& spin = kMultiFractal[i];
            const int value = reseeds ? InputNode{}.*spin.value : kept[i];
            EXPECT_EQ(input().*spin.value, value) << spin.name;
            EXPECT_EQ(child<QSpinBox>(*panel, spin.name)->value(), value) << spin.name;
        }
    }
}

TEST_F(InputPanelTest, PictureDialogTakesThePictureOrPutsBackTheTypeInEffect) {
    auto second = makePanel(1);
    pick(*panel, "Voronoi");
    const InputNode voronoi = input();
    int before = evaluations();

    pick(*panel, "Image"); // no file queued: cancelled
    EXPECT_EQ(typeCombo(*panel)->currentText(), "Voronoi");
    EXPECT_EQ(input(), voronoi); // no reseed either
    EXPECT_EQ(evaluations(), before);
    EXPECT_TRUE(windowEnabled[0]);
    // The shared flag is armed again: the next choice of either input works.
    pick(*second, "Billow");
    EXPECT_EQ(input(1).type, 1);
    EXPECT_EQ(evaluations(), before + 1);

    const QString picture = makePicture("cliffs.png");
    prompts.files.push_back(picture);
    pick(*panel, "Image");
    ASSERT_EQ(prompts.fileDialogs.size(), 2);
    EXPECT_EQ(input().noiseImageFile, picture);
    EXPECT_EQ(evaluations(), before + 2);
    EXPECT_TRUE(mapsFiles().contains("HI1noisePreview.jpg"));

    // "Image" activated again while current, then cancelled, keeps the picture.
    before = evaluations();
    emit typeCombo(*panel)->textActivated("Image");
    EXPECT_EQ(prompts.fileDialogs.last(), dialogIn(pictures.path()));
    EXPECT_EQ(typeCombo(*panel)->currentText(), "Image");
    EXPECT_EQ(input().type, 9);
    EXPECT_EQ(input().noiseImageFile, picture);
    EXPECT_EQ(evaluations(), before);
    EXPECT_FALSE(windowEnabled[0]);
    pick(*panel, "Spheres"); // the next change is not swallowed
    EXPECT_EQ(input().type, 6);
    EXPECT_EQ(evaluations(), before + 1);
    EXPECT_TRUE(windowEnabled[0]);

    // The other input's dialog starts in the picture's folder too.
    prompts.files.push_back(picture);
    pick(*second, "Image");
    EXPECT_EQ(prompts.fileDialogs.last(), dialogIn(pictures.path()));
    EXPECT_EQ(input(1).noiseImageFile, picture);
}

TEST_F(InputPanelTest, SyncFromRecipeSetsEveryControlOfItsOwnInputWithoutEvaluating) {
    auto second = makePanel(1);
    InputNode& n = input(1);
    n.type = 4;                                 // MultiFractal
    const int values[] = {37, 22, 3, 9, 0, 55}; // in kSliders order
    for (int i = 0; i < 6; ++i)
        n.*kSliders[i].value = values[i];
    n.multiFractalGain = 150;
    n.gaborAnisotropic = 2;
    const InputNode expected = n;
    const InputNode first = input(0);
    const int before = evaluations();
    view.refreshButton.clear();

    second->syncFromRecipe();

    EXPECT_EQ(evaluations(), before);
    EXPECT_TRUE(view.refreshButton.empty());
    EXPECT_EQ(input(1), expected); // syncing writes nothing back
    EXPECT_EQ(input(0), first);
    EXPECT_EQ(typeCombo(*second)->currentText(), "MultiFractal");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(slider(*second, kSliders[i].name)->value(), values[i]) << kSliders[i].name;
    EXPECT_EQ(child<QLabel>(*second, "I1QualitySliderValue")->text(), "best");
    EXPECT_EQ(child<QSpinBox>(*second, "I1MultiFractalGainSpinBox")->value(), 150);
    EXPECT_TRUE(child<QCheckBox>(*second, "I1GaborAnisoCheckBox")->isChecked());
    EXPECT_EQ(shownSliders(*second), "111100");

    // A cancelled picture dialog now returns to the synced type.
    pick(*second, "Image");
    EXPECT_EQ(typeCombo(*second)->currentText(), "MultiFractal");
    EXPECT_EQ(input(1), expected);

    // The second panel's controls write the second input only.
    drag(slider(*second, "Lacunarity"), 31);
    EXPECT_EQ(input(1).lacunarity, 31);
    EXPECT_EQ(input(0), first);
}

TEST_F(InputPanelTest, PreviewShowsTheFileScaledToTheLabelAndNeverACachedCopy) {
    const QString file = pictures.filePath("HI1noisePreview.jpg");
    writePicture(file, Qt::red, 256);
    panel->showPreview(file);
    QLabel* label = panel->previewLabel();
    ASSERT_FALSE(label->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_LE(label->pixmap(Qt::ReturnByValue).width(), 128);

    // The same name rewritten shows the new picture.
    writePicture(file, Qt::blue, 256);
    panel->showPreview(file);
    const QImage shown = label->pixmap(Qt::ReturnByValue).toImage();
    const QColor centre = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    EXPECT_GT(centre.blue(), 200);
    EXPECT_LT(centre.red(), 60);

    panel->showPreview(pictures.filePath("missing.jpg"));
    EXPECT_TRUE(label->pixmap(Qt::ReturnByValue).isNull());
}

} // namespace
} // namespace morvane::testing
