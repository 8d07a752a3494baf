#include "panel_test_util.h"

#include "recipe/panels/I1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>

#include <memory>

namespace morvane::testing {
namespace {

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

    InputNode& input(int index = 0) { return state.recipe.inputs[std::size_t(index)]; }

    QTemporaryDir pictures;
    std::unique_ptr<I1> panel;
    bool windowEnabled[2] = {true, true};
};

TEST_F(InputPanelTest, TypeShowsItsControlsAndFlatAndImagePinTheWindow) {
    const QString picture = makePicture("rock.png");
    for (const char* name : {"Flat", "Voronoi", "Image"}) {
        SCOPED_TRACE(name);
        const QString type = QLatin1String(name);
        const bool free = type == "Voronoi";
        pick(*panel, "Perlin"); // so the pick is a change
        state.recipe.startX = 7;
        state.recipe.startY = -5;
        state.recipe.noiseSize = 9;
        if (type == "Image")
            prompts.files.push_back(picture);
        pick(*panel, type);

        EXPECT_EQ(input().type, typeCombo(*panel)->findText(type));
        EXPECT_EQ(windowEnabled[0], free);
        EXPECT_EQ(state.recipe.startX, free ? 7 : 0);
        EXPECT_EQ(state.recipe.startY, free ? -5 : 0);
        EXPECT_EQ(state.recipe.noiseSize, type == "Image" ? 4 : 9);
        EXPECT_EQ(shown(*panel, "I1DisplacementSlider"), free);
        EXPECT_FALSE(shown(*panel, "I1OctavesSlider"));
    }
}

TEST_F(InputPanelTest, ReleasesEvaluateInAutomaticModeAndOnlyFlagTheRefreshInManualMode) {
    pick(*panel, "Gabor Convolution");
    const int before = evaluations();
    view.refreshButton.clear();

    drag(slider(*panel, "Frequency"), 42);
    EXPECT_EQ(evaluations(), before + 1);
    QCheckBox* aniso = child<QCheckBox>(*panel, "I1GaborAnisoCheckBox");
    aniso->click();
    EXPECT_EQ(input().gaborAnisotropic, 2);
    EXPECT_EQ(evaluations(), before + 2);

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
    EXPECT_EQ(prompts.fileDialogs.last(),
              "Open File|" + pictures.path() + "|Images (*.png *.xpm *.jpg *.bmp)");
    EXPECT_EQ(input().noiseImageFile, picture);
    EXPECT_EQ(evaluations(), before);
    EXPECT_FALSE(windowEnabled[0]);
    pick(*panel, "Spheres"); // the next change is not swallowed
    EXPECT_EQ(input().type, 6);
    EXPECT_EQ(evaluations(), before + 1);
    EXPECT_TRUE(windowEnabled[0]);

    // A synced type is the one a cancelled dialog returns to, on the other
    // input too; syncing evaluates nothing.
    input(1).type = 4; // MultiFractal
    second->syncFromRecipe();
    EXPECT_EQ(evaluations(), before + 1);
    pick(*second, "Image");
    EXPECT_EQ(typeCombo(*second)->currentText(), "MultiFractal");
    EXPECT_EQ(input(1).type, 4);
}

TEST_F(InputPanelTest, PreviewShowsTheFileAndNeverACachedCopy) {
    const QString file = pictures.filePath("HI1noisePreview.jpg");
    writePicture(file, Qt::red, 256);
    panel->showPreview(file);
    QLabel* label = panel->previewLabel();
    ASSERT_FALSE(label->pixmap(Qt::ReturnByValue).isNull());

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
