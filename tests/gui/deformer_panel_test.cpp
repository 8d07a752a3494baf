#include "panel_test_util.h"

#include "recipe/node_types.h"
#include "recipe/panels/D1.h"
#include "recipe/panels/panel_style.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include <memory>

namespace morvane::testing {
namespace {

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

// The spin boxes and the fields they edit.
const std::pair<const char*, int DeformerNode::*> kSpins[] = {
    {"ClampLower", &DeformerNode::clampLow},
    {"ClampUpper", &DeformerNode::clampHigh},
    {"Exponent", &DeformerNode::exponent},
    {"ScaleBiasLower", &DeformerNode::scaleBiasLow},
    {"ScaleBiasUpper", &DeformerNode::scaleBiasHigh}};

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
    static QPushButton* preset(D1& p, const QString& stem, int n) {
        return child<QPushButton>(p, stem + '_' + QString::number(n));
    }

    void expectControlsShow(const DeformerNode& n) {
        EXPECT_EQ(typeCombo(*panel)->currentIndex(), n.type);
        for (const auto& [name, field] : kSpins)
            EXPECT_EQ(spin(*panel, name)->value(), n.*field) << name;
    }

    // The names of the marked buttons of a row ("curve" or "terrace").
    QStringList marked(D1& p, const QString& stem) {
        QStringList names;
        for (int n = 0; n < (stem == "curve" ? 17 : 16); ++n) {
            QPushButton* b = preset(p, stem, n);
            if (b->styleSheet() == style::presetButtonMarked())
                names << b->objectName();
            else
                EXPECT_EQ(b->styleSheet(), style::presetButtonPlain()) << n;
        }
        return names;
    }

    std::unique_ptr<D1> panel;
};

TEST_F(DeformerPanelTest, FinishedSpinBoxChangesEvaluateOnce) {
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    QSpinBox* exponent = spin(*panel, "Exponent");
    typeCombo(*panel)->setCurrentText("Exponent");
    EXPECT_EQ(evaluations(), 1); // a new type evaluates at once
    int before = evaluations();

    exponent->setValue(37);
    emit exponent->editingFinished();
    EXPECT_EQ(evaluations(), ++before);
    // An arrow evaluates on release, not on press.
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
    QTest::mouseClick(exponent, Qt::LeftButton, {}, arrowCentre(exponent, QStyle::SC_SpinBoxDown));
    EXPECT_EQ(deformer().exponent, 99);
    EXPECT_EQ(evaluations(), before);
    EXPECT_EQ(view.refreshButton, std::vector<bool>{true});
}

TEST_F(DeformerPanelTest, CrossedOrEqualClampBoundsAreKeptAndEvaluate) {
    ASSERT_EQ(deformerTypeAt(deformer().type), DeformerType::Clamp);
    QSpinBox* lower = spin(*panel, "ClampLower");
    QSpinBox* upper = spin(*panel, "ClampUpper");
    lower->setValue(50);
    upper->setValue(-20);
    emit upper->editingFinished();
    EXPECT_EQ(deformer().clampLow, 50);
    EXPECT_EQ(deformer().clampHigh, -20);
    EXPECT_EQ(evaluations(), 1);
    EXPECT_TRUE(mapsFiles().contains("HD1noisePreview.jpg"));

    lower->setValue(-20);
    emit lower->editingFinished();
    EXPECT_EQ(deformer().clampLow, -20);
    EXPECT_EQ(evaluations(), 2);
}

TEST_F(DeformerPanelTest, SyncShowsTheRecipeQuietlyAndResetRestoresDefaultsEvenInManualMode) {
    // ScaleBias, crossed clamp bounds, curve 11, and a terrace outside the table (reads as none).
    const DeformerNode expected = deformer() = {6, 30, -30, 11, 64, -75, 480, 40};
    panel->syncFromRecipe();

    EXPECT_EQ(evaluations(), 0);
    EXPECT_EQ(deformer(), expected);
    expectControlsShow(expected);
    EXPECT_EQ(marked(*panel, "curve"), QStringList{"curve_11"});
    EXPECT_EQ(marked(*panel, "terrace"), QStringList{"terrace_0"});
    EXPECT_FALSE(shown(*panel, "D1ExponentSpinBox"));

    state.automaticMode = false;
    QTest::mouseClick(child<QPushButton>(*panel, "D1ResetButton"), Qt::LeftButton);
    EXPECT_EQ(deformer(), DeformerNode{});
    EXPECT_EQ(evaluations(), 1);
    expectControlsShow(DeformerNode{});
    EXPECT_EQ(marked(*panel, "curve"), QStringList{"curve_0"});
    EXPECT_FALSE(shown(*panel, "D1ScaleBiasLowerSpinBox"));
}

TEST_F(DeformerPanelTest, PresetClickMarksExactlyThatButtonAndSetsTheProfile) {
    auto second = std::make_unique<D1>(1, panelContext());
    typeCombo(*second)->setCurrentText("Curve");
    for (int n : {16, 0}) {
        const int before = evaluations();
        preset(*second, "curve", n)->click();
        EXPECT_EQ(deformer(1).curve, n);
        EXPECT_EQ(marked(*second, "curve"), QStringList{"curve_" + QString::number(n)});
        EXPECT_EQ(evaluations(), before + 1);
    }
    typeCombo(*second)->setCurrentText("Terrace");
    preset(*second, "terrace", 15)->click();
    EXPECT_EQ(deformer(1).terrace, 15);
    EXPECT_EQ(marked(*second, "terrace"), QStringList{"terrace_15"});
    EXPECT_EQ(deformer(1).curve, 0);        // the other row keeps its profile
    EXPECT_EQ(deformer(0), DeformerNode{}); // and DEFORMER 1 is untouched
}

} // namespace
} // namespace morvane::testing
