#include "gui_fixture.h"

#include "recipe/panels/D1.h"
#include "recipe/panels/panel_style.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace morvane::testing {
namespace {

template <typename T> T* child(QWidget& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found) {
        ADD_FAILURE() << "no widget " << name.toStdString();
        throw std::runtime_error("missing widget");
    }
    return found;
}

QPoint arrowCentre(QSpinBox* box, QStyle::SubControl arrow) {
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.rect = box->rect();
    option.subControls = QStyle::SC_All;
    option.frame = box->hasFrame();
    option.buttonSymbols = box->buttonSymbols();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return box->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, box).center();
}

class DeformerPanelTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        panel = std::make_unique<D1>(0, panelContext());
    }

    DeformerNode& deformer(int index = 0) { return state.recipe.deformers[std::size_t(index)]; }
    QComboBox* typeCombo(D1& p) { return child<QComboBox>(p, "D1TerrainType"); }
    QSpinBox* spin(D1& p, const char* name) {
        return child<QSpinBox>(p, QStringLiteral("D1%1SpinBox").arg(QLatin1String(name)));
    }
    QPushButton* preset(D1& p, const QString& name) { return child<QPushButton>(p, name); }

    // The names of the marked buttons of a row ("curve" or "terrace").
    QStringList marked(D1& p, const QString& stem, int count) {
        QStringList names;
        for (int n = 0; n < count; ++n) {
            QPushButton* b = preset(p, stem + '_' + QString::number(n));
            if (b->styleSheet() == style::presetButtonMarked())
                names << b->objectName();
            else
                EXPECT_EQ(b->styleSheet(), style::presetButtonPlain()) << n;
        }
        return names;
    }

    std::unique_ptr<D1> panel;
};

struct DeformerRow {
    const char* type;
    bool bounds, curves, exponent, scaleBias, terraces;
};
const DeformerRow kDeformerRows[] = {
    {"Abs", false, false, false, false, false},
    {"Clamp", true, false, false, false, false},
    {"Curve", false, true, false, false, false},
    {"Exponent", false, false, true, false, false},
    {"Invert", false, false, false, false, false},
    {"Round Edge", false, false, false, false, false},
    {"ScaleBias", false, false, false, true, false},
    {"Terrace", false, false, false, false, true},
};

TEST_F(DeformerPanelTest, EachTypeShowsItsControlsAndAsksForAnEvaluation) {
    for (const DeformerRow& row : kDeformerRows) {
        SCOPED_TRACE(row.type);
        QComboBox* combo = typeCombo(*panel);
        combo->setCurrentIndex(combo->findText(QLatin1String(row.type)) == 0 ? 1 : 0);
        const int before = evaluations();
        combo->setCurrentIndex(combo->findText(QLatin1String(row.type)));

        EXPECT_EQ(deformer().type, combo->currentIndex());
        EXPECT_EQ(evaluations(), before + 1);
        const std::pair<bool, QStringList> groups[] = {
            {row.bounds, {"D1BoundsLabel", "D1ClampLowerSpinBox", "D1ClampUpperSpinBox"}},
            {row.curves, {"D1CurvePresetsLabel", "curve_0", "curve_16"}},
            {row.exponent, {"D1ExponentLabel", "D1ExponentSpinBox"}},
            {row.scaleBias,
             {"D1ScaleBiasLabel", "D1ScaleBiasLowerSpinBox", "D1ScaleBiasUpperSpinBox"}},
            {row.terraces, {"D1TerracePresetsLabel", "terrace_0", "terrace_15"}},
        };
        for (const auto& [expected, controls] : groups)
            for (const QString& control : controls)
                EXPECT_EQ(child<QWidget>(*panel, control)->isVisibleTo(panel.get()), expected)
                    << control.toStdString();
    }
}

TEST_F(DeformerPanelTest, FinishedSpinBoxChangesEvaluateOnce) {
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    QSpinBox* exponent = spin(*panel, "Exponent");
    typeCombo(*panel)->setCurrentText("Exponent");
    int before = evaluations();

    exponent->setFocus();
    QTest::keyClick(exponent, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(exponent, "37");
    EXPECT_EQ(deformer().exponent, 37);
    EXPECT_EQ(evaluations(), before);
    QTest::keyClick(exponent, Qt::Key_Return);
    EXPECT_EQ(evaluations(), before + 1);

    // An arrow evaluates on release, not on press.
    before = evaluations();
    const QPoint up = arrowCentre(exponent, QStyle::SC_SpinBoxUp);
    QTest::mousePress(exponent, Qt::LeftButton, {}, up);
    EXPECT_EQ(deformer().exponent, 38);
    EXPECT_EQ(evaluations(), before);
    QTest::mouseRelease(exponent, Qt::LeftButton, {}, up);
    EXPECT_EQ(evaluations(), before + 1);

    // Nothing changed: at the maximum the arrow does nothing, and neither
    // does leaving the box.
    exponent->setValue(exponent->maximum());
    QTest::keyClick(exponent, Qt::Key_Return);
    before = evaluations();
    QTest::mouseClick(exponent, Qt::LeftButton, {}, up);
    emit exponent->editingFinished();
    EXPECT_EQ(deformer().exponent, 100);
    EXPECT_EQ(evaluations(), before);

    // Manual mode: the refresh button instead.
    state.automaticMode = false;
    view.refreshButton.clear();
    const QPoint down = arrowCentre(exponent, QStyle::SC_SpinBoxDown);
    QTest::mouseClick(exponent, Qt::LeftButton, {}, down);
    EXPECT_EQ(deformer().exponent, 99);
    EXPECT_EQ(evaluations(), before);
    ASSERT_FALSE(view.refreshButton.empty());
    EXPECT_TRUE(view.refreshButton.back());
}

TEST_F(DeformerPanelTest, CrossedClampBoundsAreKeptAndEvaluate) {
    QSpinBox* lower = spin(*panel, "ClampLower");
    QSpinBox* upper = spin(*panel, "ClampUpper");
    lower->setValue(50);
    upper->setValue(-20);
    emit upper->editingFinished();
    EXPECT_EQ(deformer().clampLow, 50);
    EXPECT_EQ(deformer().clampHigh, -20);
    EXPECT_EQ(lower->value(), 50);
    EXPECT_EQ(upper->value(), -20);
    EXPECT_EQ(evaluations(), 1);
    EXPECT_TRUE(mapsFiles().contains("HD1noisePreview.jpg"));
}

TEST_F(DeformerPanelTest, ResetRestoresEveryDefaultAndEvaluatesEvenInManualMode) {
    DeformerNode& n = deformer();
    n.type = 7;
    n.clampLow = -3;
    n.curve = 5;
    n.scaleBiasLow = -60;
    n.terrace = 9;
    panel->syncFromRecipe();
    state.automaticMode = false;
    const int before = evaluations();

    QTest::mouseClick(child<QPushButton>(*panel, "D1ResetButton"), Qt::LeftButton);

    // The controls show the defaults too.
    EXPECT_EQ(deformer(), DeformerNode{});
    EXPECT_EQ(evaluations(), before + 1);
    EXPECT_EQ(typeCombo(*panel)->currentIndex(), DeformerNode{}.type);
    EXPECT_EQ(spin(*panel, "ClampLower")->value(), DeformerNode{}.clampLow);
    EXPECT_EQ(spin(*panel, "ScaleBiasLower")->value(), DeformerNode{}.scaleBiasLow);
    EXPECT_EQ(marked(*panel, "curve", 17), QStringList{"curve_0"});
    EXPECT_EQ(marked(*panel, "terrace", 16), QStringList{"terrace_0"});
    EXPECT_FALSE(preset(*panel, "terrace_3")->isVisibleTo(panel.get()));
}

TEST_F(DeformerPanelTest, PresetClickMarksExactlyThatButtonAndSetsTheProfile) {
    auto second = std::make_unique<D1>(1, panelContext());
    typeCombo(*second)->setCurrentText("Curve");
    for (int n = 16; n >= 0; --n) {
        const int before = evaluations();
        preset(*second, "curve_" + QString::number(n))->click();
        EXPECT_EQ(deformer(1).curve, n);
        EXPECT_EQ(marked(*second, "curve", 17), QStringList{"curve_" + QString::number(n)});
        EXPECT_EQ(evaluations(), before + 1);
    }
    typeCombo(*second)->setCurrentText("Terrace");
    for (int n = 0; n < 16; ++n) {
        preset(*second, "terrace_" + QString::number(n))->click();
        EXPECT_EQ(deformer(1).terrace, n);
        EXPECT_EQ(marked(*second, "terrace", 16), QStringList{"terrace_" + QString::number(n)});
    }
    EXPECT_EQ(deformer(1).curve, 0);        // the other row keeps its profile
    EXPECT_EQ(deformer(0), DeformerNode{}); // and DEFORMER 1 is untouched

    state.automaticMode = false;
    view.refreshButton.clear();
    const int before = evaluations();
    preset(*second, "terrace_6")->click();
    EXPECT_EQ(deformer(1).terrace, 6);
    EXPECT_EQ(evaluations(), before);
    ASSERT_EQ(view.refreshButton.size(), 1u);
    EXPECT_TRUE(view.refreshButton.back());
}

TEST_F(DeformerPanelTest, SyncFromRecipeSetsControlsAndMarksWithoutEvaluating) {
    DeformerNode& n = deformer();
    n.type = 6; // ScaleBias
    n.clampLow = 30;
    n.clampHigh = -30;
    n.curve = 11;
    n.exponent = 64;
    n.scaleBiasLow = -75;
    n.scaleBiasHigh = 480;
    n.terrace = 40; // outside the table: reads as no profile
    const DeformerNode expected = n;
    view.refreshButton.clear();

    panel->syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_TRUE(view.refreshButton.empty());
    EXPECT_EQ(deformer(), expected);
    EXPECT_EQ(typeCombo(*panel)->currentText(), "ScaleBias");
    const std::pair<const char*, int> values[] = {
        {"ClampLower", 30}, {"ClampUpper", -30}, {"Exponent", 64},
        {"ScaleBiasLower", -75}, {"ScaleBiasUpper", 480}};
    for (const auto& [name, value] : values)
        EXPECT_EQ(spin(*panel, name)->value(), value) << name;
    EXPECT_EQ(marked(*panel, "curve", 17), QStringList{"curve_11"});
    EXPECT_EQ(marked(*panel, "terrace", 16), QStringList{"terrace_0"});
    EXPECT_FALSE(spin(*panel, "Exponent")->isVisibleTo(panel.get()));
}

TEST_F(DeformerPanelTest, TerraceButtonsShowTerracePlotsAndFallBackToCurvePlots) {
    const QString resources = context.paths.resourcesDir();
    ASSERT_TRUE(QDir().mkpath(resources));
    auto plot = [&](const QString& name, QColor colour) {
        QImage picture(28, 28, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(resources + '/' + name, "JPG", 100));
    };
    plot("curve_3.jpg", Qt::red);
    plot("terrace_3.jpg", Qt::blue);
    plot("curve_4.jpg", Qt::green);
    D1 withIcons(0, panelContext());

    auto iconColour = [&](const QString& name) {
        const QImage icon = preset(withIcons, name)->icon().pixmap(24, 24).toImage();
        return icon.isNull() ? QColor() : icon.pixelColor(12, 12);
    };
    EXPECT_GT(iconColour("curve_3").red(), 200);
    EXPECT_GT(iconColour("terrace_3").blue(), 200);
    EXPECT_LT(iconColour("terrace_3").red(), 60);
    EXPECT_GT(iconColour("terrace_4").green(), 200); // no terrace plot: the curve plot
    EXPECT_TRUE(preset(withIcons, "terrace_5")->icon().isNull());
    EXPECT_EQ(preset(withIcons, "terrace_5")->text(), "5"); // no plot at all: the number
}

} // namespace
} // namespace morvane::testing
