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
const char* const kMultiFractal[] = {"I1MultiFractalOffsetSpinBox", "I1MultiFractalGainSpinBox",
                                     "I1MultiFractalWeightSpinBox"};
const QString kImageFilter = QStringLiteral("Images (*.png *.xpm *.jpg *.bmp)");

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
        QObject::connect(made.get(), &I1::windowControlsEnabled, made.get(),
                         [this, index](bool enabled) { windowEnabled[index] = enabled; });
        return made;
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
    bool sliders[6]; // in kSliders order
    bool multiFractal, gabor, windowFree;
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
        const QString type = QLatin1String(row.type);
        pick(*panel, type == "Perlin" ? "Billow" : "Perlin"); // so the pick is a change
        state.recipe.startX = 7;
        state.recipe.startY = -5;
        state.recipe.noiseSize = 9;
        if (type == "Image")
            prompts.files.push_back(picture);
        pick(*panel, type);

        EXPECT_EQ(input().type, typeCombo(*panel)->findText(type));
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(slider(*panel, kSliders[i])->isVisibleTo(panel.get()), row.sliders[i])
                << kSliders[i];
            EXPECT_EQ(child<QLabel>(*panel, QStringLiteral("I1%1Label").arg(kSliders[i]))
                          ->isVisibleTo(panel.get()),
                      row.sliders[i])
                << kSliders[i];
        }
        for (const char* spin : kMultiFractal)
            EXPECT_EQ(child<QSpinBox>(*panel, spin)->isVisibleTo(panel.get()), row.multiFractal);
        EXPECT_EQ(child<QCheckBox>(*panel, "I1GaborAnisoCheckBox")->isVisibleTo(panel.get()),
                  row.gabor);

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
    pick(*panel, "Gabor Convolution");

    state.automaticMode = false;
    clearMaps();
    view.refreshButton.clear();
    drag(slider(*panel, "Persistence"), 0); // the range reaches 0
    EXPECT_EQ(input().persistence, 0);
    aniso->click();
    EXPECT_EQ(input().gaborAnisotropic, 0);
    pick(*panel, "Perlin");
    EXPECT_EQ(input().type, 5);
    EXPECT_EQ(evaluations(), before + 5);
    EXPECT_TRUE(mapsFiles().isEmpty());
    EXPECT_EQ(view.refreshButton, std::vector<bool>(3, true));
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
        if (reseeds)
            EXPECT_TRUE(input().seedNumber >= 0 && input().seedNumber <= 16) << input().seedNumber;
        else
            EXPECT_EQ(input().seedNumber, 99);
        const int values[] = {reseeds ? 100 : -10, reseeds ? 200 : 20, reseeds ? 100 : 30};
        EXPECT_EQ(input().multiFractalOffset, values[0]);
        EXPECT_EQ(input().multiFractalGain, values[1]);
        EXPECT_EQ(input().multiFractalWeight, values[2]);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(child<QSpinBox>(*panel, kMultiFractal[i])->value(), values[i]);
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
    EXPECT_EQ(prompts.fileDialogs[1], "Open File|" + pictures.path() + '|' + kImageFilter);
    EXPECT_EQ(input(1).noiseImageFile, picture);
}

TEST_F(InputPanelTest, CancelledPictureDialogPutsTheTypeBackOrKeepsThePictureInUse) {
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

    // "Image" activated again while current, then cancelled, keeps the picture.
    const QString picture = makePicture("dunes.png");
    prompts.files.push_back(picture);
    pick(*panel, "Image");
    before = evaluations();
    emit typeCombo(*panel)->textActivated("Image");
    EXPECT_EQ(typeCombo(*panel)->currentText(), "Image");
    EXPECT_EQ(input().type, 9);
    EXPECT_EQ(input().noiseImageFile, picture);
    EXPECT_EQ(evaluations(), before);
    EXPECT_FALSE(windowEnabled[0]);
    pick(*panel, "Spheres"); // the next change is not swallowed
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
    const int values[] = {37, 22, 3, 9, 0, 55};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(slider(*second, kSliders[i])->value(), values[i]) << kSliders[i];
    EXPECT_EQ(child<QLabel>(*second, "I1QualitySliderValue")->text(), "best");
    EXPECT_EQ(child<QSpinBox>(*second, "I1MultiFractalGainSpinBox")->value(), 150);
    EXPECT_TRUE(child<QCheckBox>(*second, "I1GaborAnisoCheckBox")->isChecked());
    EXPECT_FALSE(slider(*second, "Persistence")->isVisibleTo(second.get()));

    // A cancelled picture dialog now returns to the synced type.
    pick(*second, "Image");
    EXPECT_EQ(typeCombo(*second)->currentText(), "MultiFractal");
    EXPECT_EQ(input(1), expected);

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
