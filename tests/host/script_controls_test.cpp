#include "script_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>

using namespace morvane::testing;
using morvane::host::ScriptHost;

namespace {

class ScriptControlsTest : public ScriptFixture {
protected:
    ScriptControlsTest() {
        slider = named(new QSlider(Qt::Horizontal, &window), "slider");
        slider->setRange(0, 100);
        slider->setGeometry(10, 10, 200, 20);
        spin = named(new QSpinBox(&window), "spin");
        spin->setRange(-5, 50);
        spin->move(10, 40);
        doubleSpin = named(new QDoubleSpinBox(&window), "doubleSpin");
        doubleSpin->move(100, 40);
        check = named(new QCheckBox(QStringLiteral("check"), &window), "check");
        check->move(10, 70);
        combo = named(new QComboBox(&window), "combo");
        combo->addItems({"Perlin", "Billow", "Voronoi"});
        combo->move(10, 100);
        list = named(new QListWidget(&window), "list");
        list->addItems({"alpine ridges", "canyon lands", "dunes"});
        list->setGeometry(10, 130, 200, 100);
        auto* disabled = named(new QSlider(&window), "disabledSlider");
        disabled->setEnabled(false);
        show();
    }

    template <typename W> W* named(W* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    }

    void expectRuns(const QString& program) {
        const ScriptHost::Result result = run(program);
        ASSERT_EQ(result.outcome, ScriptHost::Result::Finished) << qPrintable(result.error);
    }

    QSlider* slider;
    QSpinBox* spin;
    QDoubleSpinBox* doubleSpin;
    QCheckBox* check;
    QComboBox* combo;
    QListWidget* list;
};

TEST_F(ScriptControlsTest, SliderIsPressedMovedAndReleased) {
    QStringList emitted;
    QObject::connect(slider, &QSlider::sliderPressed, [&] { emitted << "pressed"; });
    QObject::connect(slider, &QSlider::sliderMoved, [&](int v) { emitted << QString("moved %1").arg(v); });
    QObject::connect(slider, &QSlider::valueChanged, [&](int v) { emitted << QString("value %1").arg(v); });
    QObject::connect(slider, &QSlider::sliderReleased, [&] {
        emitted << QString("released at %1").arg(slider->value());
    });

    expectRuns("setValue('slider', 42);");
    EXPECT_EQ(emitted, QStringList({"pressed", "moved 42", "value 42", "released at 42"}));

    // Beyond the range the handle stops at the end; untracked, the value follows the release.
    emitted.clear();
    slider->setTracking(false);
    expectRuns("setValue('slider', 250);");
    EXPECT_EQ(emitted, QStringList({"pressed", "moved 100", "released at 42", "value 100"}));
}

TEST_F(ScriptControlsTest, SpinBoxesTakeTheValueAndFinishEditing) {
    QStringList emitted;
    QObject::connect(spin, qOverload<int>(&QSpinBox::valueChanged),
                     [&](int v) { emitted << QString("value %1").arg(v); });
    QObject::connect(spin, &QSpinBox::editingFinished, [&] {
        emitted << QString("finished at %1").arg(spin->value());
    });
    expectRuns("setValue('spin', 12); setValue('spin', -80); setValue('doubleSpin', 3.25);");
    EXPECT_EQ(emitted, QStringList({"value 12", "finished at 12", "value -5", "finished at -5"}));
    EXPECT_DOUBLE_EQ(doubleSpin->value(), 3.25);
}

TEST_F(ScriptControlsTest, CheckBoxIsClickedOnlyWhenItsStateDiffers) {
    int clicks = 0;
    QObject::connect(check, &QCheckBox::clicked, [&] { ++clicks; });
    expectRuns("setValue('check', true); setValue('check', true);");
    EXPECT_EQ(clicks, 1);
    expectRuns("setValue('check', 0);");
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(ScriptControlsTest, ComboChoiceChangesTheIndexAndActivates) {
    QStringList emitted;
    QObject::connect(combo, qOverload<int>(&QComboBox::currentIndexChanged),
                     [&](int i) { emitted << QString("index %1").arg(i); });
    QObject::connect(combo, &QComboBox::textActivated,
                     [&](const QString& t) { emitted << "activated " + t; });
    expectRuns("chooseItem('combo', 'Voronoi');");
    EXPECT_EQ(emitted, QStringList({"index 2", "activated Voronoi"}));
}

TEST_F(ScriptControlsTest, ListChoiceIsASingleClick) {
    QStringList emitted;
    QObject::connect(list, &QListWidget::currentRowChanged,
                     [&](int row) { emitted << QString("row %1").arg(row); });
    QObject::connect(list, &QListWidget::itemClicked,
                     [&](QListWidgetItem* item) { emitted << "clicked " + item->text(); });
    QObject::connect(list, &QListWidget::itemDoubleClicked,
                     [&](QListWidgetItem* item) { emitted << "double " + item->text(); });
    expectRuns("chooseItem(findWidget('list'), 'canyon lands');");
    EXPECT_EQ(emitted, QStringList({"row 1", "clicked canyon lands"}));
}

TEST_F(ScriptControlsTest, WrongTargetsAndValuesStopTheScript) {
    const struct {
        const char* call;
        const char* message;
    } cases[] = {
        {"setValue('slider', 'high')", "setValue: \"slider\" takes a number, not \"high\""},
        {"setValue('check', 2)", "setValue: \"check\" takes true or false, not \"2\""},
        {"setValue('combo', 1)", "setValue: \"combo\" is a QComboBox; setValue takes sliders"},
        {"setValue('disabledSlider', 3)", "setValue: \"disabledSlider\" is disabled"},
        {"chooseItem('combo', 'perlin')", "chooseItem: \"combo\" has no item \"perlin\""},
        {"chooseItem('slider', 'x')", "chooseItem: \"slider\" is a QSlider; chooseItem takes"},
        {"chooseItem('combo', 2)", "chooseItem: the item text must be a string, not a number"},
    };
    for (const auto& c : cases) {
        const ScriptHost::Result result = run(c.call);
        EXPECT_EQ(result.outcome, ScriptHost::Result::Error) << c.call;
        EXPECT_TRUE(result.error.contains(c.message)) << qPrintable(result.error);
    }
    EXPECT_EQ(slider->value(), 0);
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(combo->currentIndex(), 0);
}

} // namespace
