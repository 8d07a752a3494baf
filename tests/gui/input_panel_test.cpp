#include "gui_fixture.h"

#include "recipe/panels/I1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace morvane::testing {
namespace {

const char* const kSliders[] = {"Frequency", "Lacunarity",  "Quality",
                                "Octaves",   "Persistence", "Displacement"};
const char* const kImageFilter = "Images (*.png *.xpm *.jpg *.bmp)";

template <typename T> T* child(QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found) {
        ADD_FAILURE() << "no widget " << name.toStdString();
        throw std::runtime_error("missing widget");
    }
    return found;
}

class InputPanelTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        panel = makePanel(0);
        ASSERT_TRUE(pictures.isValid());
    }

    std::unique_ptr<I1> makePanel(int index) {
        auto made = std::make_unique<I1>(index, panelContext());
        connect(made.get(), index);
        return made;
    }
    void connect(I1* p, int index) {
        QObject::connect(p, &I1::windowControlsEnabled, p,
                         [this, index](bool enabled) { windowEnabled[index] = enabled; });
    }

    QComboBox* typeCombo(I1& p) { return child<QComboBox>(p, "I1TerrainType"); }
    QSlider* slider(I1& p, const char* name) {
        return child<QSlider>(p, QStringLiteral("I1%1Slider").arg(QLatin1String(name)));
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

    // A slider dragged to `value` and let go.
    static void drag(QSlider* s, int value) {
        s->setSliderDown(true);
        s->setValue(value);
        s->setSliderDown(false);
    }

    QString makePicture(const QString& name) {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(QColor(90, 160, 40));
        const QString file = pictures.filePath(name);
        EXPECT_TRUE(picture.save(file));
        return file;
    }

    InputNode& input(int index = 0) { return state.recipe.inputs[std::size_t(index)]; }

    QTemporaryDir pictures;
    std::unique_ptr<I1> panel;
    bool windowEnabled[2] = {true, true};
};

// Which controls each input type shows, and whether it leaves the
// evaluation window free.
struct TypeRow {
    const char* type;
    bool sliders[6]; // frequency, lacunarity, quality, octaves, persistence, displacement
    bool multiFractal;
    bool gabor;
    bool windowFree;
};
const TypeRow kTypeRows[] = {
    {"Flat", {0, 0, 0, 0, 0, 0}, false, false, false},
    {"Billow", {1, 1, 1, 1, 1, 0}, false, false, true},
    {"CheckerBoard", {1, 0, 0, 0, 0, 0}, false, false, true},
    {"Cylinders", {1, 0, 0, 0, 0, 0}, false, false, true},
    {"MultiFractal", {1, 1, 1, 1, 0, 0}, true, false, true},
    {"Perlin", {1, 1, 1, 1, 1, 0}, false, false, true},
    {"Spheres", {1, 0, 0, 0, 0, 0}, false, false, true},
    {"Voronoi", {1, 0, 0, 0, 0, 1}, false, false, true},
    {"Gabor Convolution", {1, 0, 0, 0, 1, 1}, false, true, true},
    {"Image", {0, 0, 0, 0, 0, 0}, false, false, false},
};

TEST_F(InputPanelTest, EachTypeShowsItsControlsAndPinsTheWindowForFlatAndImage) {
    const QString picture = makePicture("rock.png");
    for (const TypeRow& row : kTypeRows) {
        SCOPED_TRACE(row.type);
        // Come from another type so the pick is a change.
        pick(*panel, QLatin1String(row.type) == QLatin1String("Perlin") ? "Billow" : "Perlin");
        state.recipe.startX = 7;
        state.recipe.startY = -5;
        state.recipe.noiseSize = 9;
        if (QLatin1String(row.type) == QLatin1String("Image"))
            prompts.files.push_back(picture);
        pick(*panel, row.type);

        EXPECT_EQ(typeCombo(*panel)->currentText(), QLatin1String(row.type));
        EXPECT_EQ(input().type, typeCombo(*panel)->currentIndex());
        for (int i = 0; i < 6; ++i) {
            const QString name = QLatin1String(kSliders[i]);
            QSlider* s = slider(*panel, kSliders[i]);
            auto* label = child<QLabel>(*panel, "I1" + name + "Label");
            EXPECT_EQ(s->isVisibleTo(panel.get()), row.sliders[i]) << kSliders[i];
            EXPECT_EQ(s->isHidden(), !row.sliders[i]) << kSliders[i];
            EXPECT_EQ(label->isVisibleTo(panel.get()), row.sliders[i]) << kSliders[i];
        }
        for (const char* spin : {"I1MultiFractalOffsetSpinBox", "I1MultiFractalGainSpinBox",
                                 "I1MultiFractalWeightSpinBox"})
            EXPECT_EQ(child<QSpinBox>(*panel, spin)->isVisibleTo(panel.get()), row.multiFractal);
        EXPECT_EQ(child<QCheckBox>(*panel, "I1GaborAnisoCheckBox")->isVisibleTo(panel.get()),
                  row.gabor);

        EXPECT_EQ(windowEnabled[0], row.windowFree);
        if (row.windowFree) { // free types keep the window as it was
            EXPECT_EQ(state.recipe.startX, 7);
            EXPECT_EQ(state.recipe.startY, -5);
        } else {
            EXPECT_EQ(state.recipe.startX, 0);
            EXPECT_EQ(state.recipe.startY, 0);
        }
        const bool image = QLatin1String(row.type) == QLatin1String("Image");
        EXPECT_EQ(state.recipe.noiseSize, image ? 4 : 9);
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

    state.automaticMode = false;
    clearMaps();
    view.refreshButton.clear();
    drag(slider(*panel, "Persistence"), 0); // the range reaches 0
    EXPECT_EQ(input().persistence, 0);
    aniso->click();
    EXPECT_EQ(input().gaborAnisotropic, 0);
    pick(*panel, "Perlin");
    EXPECT_EQ(input().type, 5);
    EXPECT_EQ(evaluations(), before + 2);
    EXPECT_TRUE(mapsFiles().isEmpty());
    ASSERT_EQ(view.refreshButton.size(), 3u);
    EXPECT_EQ(std::count(view.refreshButton.begin(), view.refreshButton.end(), true), 3);
}

TEST_F(InputPanelTest, FinishedMultiFractalEditsEvaluateOnce) {
    pick(*panel, "MultiFractal");
    QSpinBox* offset = child<QSpinBox>(*panel, "I1MultiFractalOffsetSpinBox");
    const int before = evaluations();
    offset->setFocus();
    QTest::keyClick(offset, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(offset, "-40");
    EXPECT_EQ(input().multiFractalOffset, -40); // written while typing
    EXPECT_EQ(evaluations(), before);
    QTest::keyClick(offset, Qt::Key_Return);
    EXPECT_EQ(evaluations(), before + 1);
    // Finishing again without a change is no new change.
    emit offset->editingFinished();
    EXPECT_EQ(evaluations(), before + 1);
}

TEST_F(InputPanelTest, ReseedDrawsASeedAndResetsMultiFractalOnlyForNoiseWithASeed) {
    const QStringList seeded = {"Billow", "MultiFractal", "Perlin", "Voronoi", "Gabor Convolution"};
    for (int type = 0; type < 10; ++type) {
        input().type = type;
        input().seedNumber = 99; // no draw gives 99
        input().multiFractalOffset = -10;
        input().multiFractalGain = 20;
        input().multiFractalWeight = 30;
        panel->syncFromRecipe();
        const QString name = typeCombo(*panel)->currentText();
        SCOPED_TRACE(name.toStdString());
        const int before = evaluations();

        QTest::mouseClick(child<QPushButton>(*panel, "I1SeedButton"), Qt::LeftButton);

        const bool reseeds = seeded.contains(name);
        EXPECT_EQ(evaluations(), before + (reseeds ? 1 : 0));
        if (reseeds) {
            EXPECT_GE(input().seedNumber, 0);
            EXPECT_LE(input().seedNumber, 16);
        } else {
            EXPECT_EQ(input().seedNumber, 99);
        }
        const int offset = reseeds ? 100 : -10, gain = reseeds ? 200 : 20,
                  weight = reseeds ? 100 : 30;
        EXPECT_EQ(input().multiFractalOffset, offset);
        EXPECT_EQ(input().multiFractalGain, gain);
        EXPECT_EQ(input().multiFractalWeight, weight);
        EXPECT_EQ(child<QSpinBox>(*panel, "I1MultiFractalOffsetSpinBox")->value(), offset);
        EXPECT_EQ(child<QSpinBox>(*panel, "I1MultiFractalGainSpinBox")->value(), gain);
        EXPECT_EQ(child<QSpinBox>(*panel, "I1MultiFractalWeightSpinBox")->value(), weight);
    }
}

TEST_F(InputPanelTest, ChoosingAPictureEvaluatesItAndRemembersItsFolder) {
    const QString picture = makePicture("cliffs.png");
    pick(*panel, "Perlin");
    const int before = evaluations();
    prompts.fileDialogs.clear();
    prompts.files.push_back(picture);

    pick(*panel, "Image");

    ASSERT_EQ(prompts.fileDialogs.size(), 1);
    EXPECT_TRUE(prompts.fileDialogs[0].startsWith("Open File|"));
    EXPECT_TRUE(prompts.fileDialogs[0].endsWith(QStringLiteral("|") + kImageFilter));
    EXPECT_EQ(input().type, 9);
    EXPECT_EQ(input().noiseImageFile, picture);
    EXPECT_EQ(evaluations(), before + 1);
    EXPECT_TRUE(mapsFiles().contains("HI1noisePreview.jpg"));

    // The next dialog, of either input, starts in the picture's folder.
    auto second = makePanel(1);
    prompts.files.push_back(picture);
    pick(*second, "Image");
    ASSERT_EQ(prompts.fileDialogs.size(), 2);
    EXPECT_EQ(prompts.fileDialogs[1],
              "Open File|" + pictures.path() + '|' + QLatin1String(kImageFilter));
    EXPECT_EQ(input(1).noiseImageFile, picture);
}

TEST_F(InputPanelTest, CancelledPictureDialogPutsTheTypeBackWithoutReseedOrEvaluation) {
    auto second = makePanel(1);
    pick(*panel, "Voronoi");
    const int seed = input().seedNumber;
    const InputNode voronoi = input();
    const int before = evaluations();

    pick(*panel, "Image"); // no file queued: cancelled

    EXPECT_EQ(typeCombo(*panel)->currentText(), "Voronoi");
    EXPECT_EQ(input(), voronoi);
    EXPECT_EQ(input().seedNumber, seed);
    EXPECT_EQ(evaluations(), before);
    EXPECT_TRUE(windowEnabled[0]);

    // The shared flag is armed again: the next choice of either input works.
    pick(*second, "Billow");
    EXPECT_EQ(input(1).type, 1);
    EXPECT_EQ(evaluations(), before + 1);
    pick(*panel, "Cylinders");
    EXPECT_EQ(input().type, 3);
    EXPECT_EQ(evaluations(), before + 2);
}

TEST_F(InputPanelTest, CancelledDialogKeepsAPictureAlreadyInUse) {
    const QString picture = makePicture("dunes.png");
    pick(*panel, "Perlin");
    prompts.files.push_back(picture);
    pick(*panel, "Image");
    const int before = evaluations();

    // "Image" activated again while it is current, then cancelled.
    emit typeCombo(*panel)->textActivated("Image");

    EXPECT_EQ(typeCombo(*panel)->currentText(), "Image");
    EXPECT_EQ(input().type, 9);
    EXPECT_EQ(input().noiseImageFile, picture);
    EXPECT_EQ(evaluations(), before);
    EXPECT_FALSE(windowEnabled[0]);
    // The next change is not swallowed.
    pick(*panel, "Spheres");
    EXPECT_EQ(input().type, 6);
    EXPECT_EQ(evaluations(), before + 1);
    EXPECT_TRUE(windowEnabled[0]);
}

TEST_F(InputPanelTest, SyncFromRecipeSetsEveryControlOfItsOwnInputWithoutEvaluating) {
    auto second = makePanel(1);
    InputNode& n = input(1);
    n.type = 4; // MultiFractal
    n.frequency = 37;
    n.lacunarity = 22;
    n.quality = 3;
    n.octaves = 9;
    n.persistence = 0;
    n.displacement = 55;
    n.multiFractalOffset = -40;
    n.multiFractalGain = 150;
    n.multiFractalWeight = 20;
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
    const int values[] = {37, 22, 3, 9, 0, 55};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(slider(*second, kSliders[i])->value(), values[i]) << kSliders[i];
    EXPECT_EQ(child<QLabel>(*second, "I1OctavesSliderValue")->text(), "9");
    EXPECT_EQ(child<QLabel>(*second, "I1QualitySliderValue")->text(), "best");
    EXPECT_EQ(child<QSpinBox>(*second, "I1MultiFractalOffsetSpinBox")->value(), -40);
    EXPECT_EQ(child<QSpinBox>(*second, "I1MultiFractalGainSpinBox")->value(), 150);
    EXPECT_EQ(child<QSpinBox>(*second, "I1MultiFractalWeightSpinBox")->value(), 20);
    EXPECT_TRUE(child<QCheckBox>(*second, "I1GaborAnisoCheckBox")->isChecked());
    EXPECT_TRUE(slider(*second, "Octaves")->isVisibleTo(second.get()));
    EXPECT_FALSE(slider(*second, "Persistence")->isVisibleTo(second.get()));
    EXPECT_TRUE(child<QSpinBox>(*second, "I1MultiFractalGainSpinBox")->isVisibleTo(second.get()));

    // A cancelled picture dialog now returns to the synced type.
    pick(*second, "Image");
    EXPECT_EQ(typeCombo(*second)->currentText(), "MultiFractal");
    EXPECT_EQ(input(1), expected);
    EXPECT_EQ(evaluations(), before);

    // The second panel's controls write the second input only.
    drag(slider(*second, "Lacunarity"), 31);
    EXPECT_EQ(input(1).lacunarity, 31);
    EXPECT_EQ(input(0), first);
}

TEST_F(InputPanelTest, PreviewShowsTheFileScaledToTheLabel) {
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString file = pictures.filePath("HI1noisePreview.jpg");
    ASSERT_TRUE(picture.save(file));
    panel->showPreview(file);
    QLabel* label = panel->previewLabel();
    EXPECT_EQ(label->objectName(), "I1PreviewLabel");
    ASSERT_FALSE(label->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_LE(label->pixmap(Qt::ReturnByValue).width(), 128);

    // The same name rewritten shows the new picture, not a cached one.
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(file));
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
