#include "window_fixture.h"

#include "plugin/window/depth_buffer.h"
#include "plugin/window/panel_pipeline_view.h"
#include "plugin/window/qt_user_prompts.h"
#include "plugin/window/window_geometry.h"
#include "recipe/panels/C1.h"
#include "recipe/panels/D1.h"
#include "recipe/panels/FF.h"
#include "recipe/panels/I1.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

#include <tuple>

namespace morvane::testing {
namespace {

// True when `expected` appears in `lines` in this order, other lines between.
bool inOrder(const QStringList& lines, const QStringList& expected) {
    int next = 0;
    for (const QString& line : lines)
        if (next < expected.size() && line == expected[next])
            ++next;
    return next == expected.size();
}

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class WindowTest : public WindowFixture {
  protected:
    QString root(const QString& name) const { return m_root.filePath(name); }

    QStringList logLines() const {
        QFile file(dataDir() + QStringLiteral("/logFile.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            lines << QString::fromUtf8(line) + '\n';
        lines.removeLast(); // after the last "\n"
        return lines;
    }
    int evaluations() const { return logLines().count("generating noise maps...\n"); }

    // Both inputs (and both deformers) name their widgets alike; their group
    // boxes tell them apart.
    template <typename T> T* inGroup(const char* group, const char* name) const {
        auto* box = find<QGroupBox>(QLatin1String(group));
        return box ? box->findChild<T*>(QLatin1String(name)) : nullptr;
    }
};

TEST(WindowGeometryTest, SizeLimitsAndPlaceFollowTheDesktop) {
    const WindowGeometry small = windowGeometryFor(QSize(1024, 768));
    EXPECT_EQ(small.minimum, QSize(1024, 668));
    EXPECT_EQ(small.maximum, QSize(1218, 1336));
    EXPECT_EQ(small.position, QPoint(0, 0));
    const WindowGeometry large = windowGeometryFor(QSize(1920, 1200));
    EXPECT_EQ(large.minimum, QSize(1200, 1000));
    EXPECT_EQ(large.position, QPoint(361, 51));
    // Too small for the bottom margin: never a negative size.
    EXPECT_EQ(windowGeometryFor(QSize(640, 80)).minimum, QSize(640, 0));
}

TEST(WindowGeometryTest, DepthBufferFallsBackTo24Bits) {
    QStringList lines;
    EXPECT_EQ(depthBufferBits(16, &lines), 24);
    EXPECT_EQ(lines, QStringList({"Depth buffer precision: 16bit\n",
                                  "Poor depth buffer precision, defaulting to 24bit\n"}));
    lines.clear();
    EXPECT_EQ(depthBufferBits(32, &lines), 32);
    EXPECT_EQ(lines, QStringList({"Depth buffer precision: 32bit\n"}));
}

TEST_F(WindowTest, StartUpLogsInOrderMakesTheFoldersEvaluatesOnceAndLocksTerrainTabs) {
    // A stale normal-map thumbnail that no evaluation rewrites.
    ASSERT_TRUE(QDir().mkpath(dataDir() + "/maps"));
    ASSERT_TRUE(writeFile(dataDir() + "/maps/NMapFFnoisePreviewThumb.jpg"));
    environment.documentsPath = root("Studio4"); // the host names the older folder

    openWindow();

    EXPECT_TRUE(QFileInfo(dataDir() + "/presets").isDir());
    EXPECT_FALSE(QFileInfo::exists(dataDir() + "/maps/NMapFFnoisePreviewThumb.jpg"));
    EXPECT_TRUE(QFileInfo::exists(dataDir() + "/maps/TFFnoisePreview.jpg"));
    EXPECT_TRUE(prompts.warnings.empty());

    const QStringList lines = logLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "MORVANE started\n");
    EXPECT_EQ(lines[1], "removing temp files...\n");
    EXPECT_TRUE(inOrder(
        lines, {"GL_ARB_vertex_buffer_object: SUPPORTED\n", "building primary controls...\n",
                "plugin window to be resized\n", "building secondary controls...\n",
                "fill main controller tabs...\n", "create openGL context\n",
                "set initial height and terrain map resolution\n", "set color gradients\n",
                "build presets library...\n", "initialize noise machine...\n",
                "generating noise maps...\n", "initialize library...\n"}))
        << lines.join("").toStdString();
    EXPECT_EQ(evaluations(), 1);
    const int context = lines.indexOf("create openGL context\n");
    EXPECT_TRUE(QRegularExpression("^Depth buffer precision: \\d+bit\n$")
                    .match(lines.value(context + 1))
                    .hasMatch())
        << lines.value(context + 1).toStdString();

    EXPECT_EQ(find<QLabel>("statusLine")->text(),
              "Welcome to MORVANE! Please load or generate a terrain...");
    EXPECT_EQ(window->window()->windowTitle(), "MORVANE 1.1");
    EXPECT_TRUE(window->window()->isVisible());

    QTabWidget* tabs = controller();
    ASSERT_EQ(tabs->count(), 6);
    for (int i = 0; i < 6; ++i) {
        const bool needsTerrain = i == 1 || i == 2;
        EXPECT_EQ(tabs->isTabEnabled(i), !needsTerrain) << i;
        EXPECT_EQ(tabs->tabToolTip(i),
                  needsTerrain ? "You need to create or load a terrain first..." : QString())
            << i;
    }
    // The tab font stays on the tabs.
    EXPECT_FALSE(find<QWidget>("terrainTab")->font().bold());
    EXPECT_TRUE(find<QLabel>("busyOverlayLabel")->isHidden());
    EXPECT_TRUE(find<QLabel>("triangleCountLabel")->isHidden());
    QCoreApplication::processEvents();
    EXPECT_EQ(find<QFrame>("glViewportArea")->pos(),
              find<QWidget>("terrainViewportSlot")->mapTo(find<QFrame>("ecoFrame"), QPoint()));
}

TEST_F(WindowTest, MissingDocumentsFolderShowsTheErrorAndStartsAnyway) {
    environment.documentsPath = root("elsewhere/Studio4");
    window = std::make_unique<MorvaneWindow>(environment);

    EXPECT_FALSE(window->open());
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].first, "Error");
    EXPECT_TRUE(prompts.warnings[0].second.contains(root("elsewhere/Studio") + "/content"))
        << prompts.warnings[0].second.toStdString();
    EXPECT_TRUE(window->isOpen());
    EXPECT_TRUE(QFileInfo(root("elsewhere/Studio/morvanePX/maps")).isDir());

    // The application was asked to quit: an event loop started now ends at
    // once instead of running its own exit.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), -1);
    // Let the next tests run event loops again.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

TEST_F(WindowTest, QuitCancelLeavesEverythingAndYesClosesTheWindowAndTheLog) {
    openWindow();
    QSignalSpy closed(window.get(), &MorvaneWindow::closed);
    QPointer<QWidget> before = window->window();
    const QStringList log = logLines();

    prompts.yesAnswers = {false, false, true};
    find<QPushButton>("quitButton")->click();
    before->close(); // the title bar asks the same question
    QCoreApplication::processEvents();
    flushDeletes();
    EXPECT_EQ(prompts.questions, QStringList({"Warning|quit MORVANE?", "Warning|quit MORVANE?"}));
    EXPECT_EQ(window->window(), before.data());
    EXPECT_TRUE(before->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(logLines(), log);

    find<QPushButton>("quitButton")->click();
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(window->window(), nullptr);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(logLines().value(logLines().size() - 1), "closing MORVANE\n");
    flushDeletes();
    EXPECT_TRUE(before.isNull());
    // The slots of a closed window do nothing.
    window->generatePreviewTerrain();
    window->quitMorvane();
    EXPECT_EQ(prompts.questions.size(), 3);
}

TEST_F(WindowTest, AutoTogglesWithoutEvaluatingAndResetRebuildsWithAFreshLog) {
    openWindow();
    QPointer<QWidget> first = window->window();
    auto* button = find<QPushButton>("autoNoiseButton");
    const QString automatic = button->styleSheet();
    button->click();
    EXPECT_NE(button->styleSheet(), automatic);
    // Manual mode: a recipe change only shows the refresh button.
    inGroup<QComboBox>("input1Group", "I1TerrainType")->setCurrentIndex(2);
    EXPECT_FALSE(find<QWidget>("FFReGenerateNoise")->isHidden());
    button->click();
    EXPECT_EQ(button->styleSheet(), automatic);
    EXPECT_EQ(evaluations(), 1);
    button->click(); // manual again, until the reset
    controller()->setCurrentIndex(3);

    prompts.yesAnswers = {false, true};
    find<QPushButton>("resetButton")->click();
    EXPECT_EQ(window->window(), first.data());
    EXPECT_EQ(controller()->currentIndex(), 3);
    find<QPushButton>("resetButton")->click();
    EXPECT_EQ(prompts.questions,
              QStringList({"Warning|restart MORVANE?", "Warning|restart MORVANE?"}));
    ASSERT_TRUE(window->isOpen());
    flushDeletes();
    EXPECT_TRUE(first.isNull());

    // A fresh start: first tab, automatic mode, the log rewritten from the top.
    EXPECT_EQ(controller()->currentIndex(), 0);
    EXPECT_EQ(find<QPushButton>("autoNoiseButton")->styleSheet(), automatic);
    const QStringList lines = logLines();
    EXPECT_EQ(lines.value(0), "MORVANE started\n");
    EXPECT_EQ(lines.count("MORVANE started\n"), 1);
    EXPECT_EQ(lines.count("closing MORVANE\n"), 0);
    EXPECT_EQ(evaluations(), 1);
}

TEST_F(WindowTest, QuitDuringAnOperationWaitsForItsEnd) {
    openWindow();
    QPointer<QWidget> ecoWin = window->window();
    prompts.yesAnswers = {true};
    // The click arrives while the terrain build lets events through.
    QMetaObject::invokeMethod(window.get(), "quitMorvane", Qt::QueuedConnection);
    window->generatePreviewTerrain();

    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(window->isOpen());
    EXPECT_TRUE(controller()->isTabEnabled(1)); // the build finished
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isOpen());
    flushDeletes();
    EXPECT_TRUE(ecoWin.isNull());
    EXPECT_EQ(logLines().value(logLines().size() - 1), "closing MORVANE\n");
}

TEST_F(WindowTest, RefusedOrCancelledPresetNamesWriteNothing) {
    openWindow();
    prompts.texts = {QString(), QString(""), "a/b", "..", ".", "x\\y"};
    for (int i = 0; i < 6; ++i)
        find<QPushButton>("savePresetButton")->click();

    EXPECT_EQ(prompts.textDialogs.size(), 6);
    EXPECT_EQ(prompts.textDialogs.value(0), "Save preset|type a name for you preset:");
    ASSERT_EQ(prompts.warnings.size(), 4u); // none for the cancel and the empty name
    for (const auto& warning : prompts.warnings)
        EXPECT_EQ(warning.first, "Error");
    // Nothing in the presets folder nor where a path in the name could lead.
    QDirIterator written(root("."), {"*.ipf"}, QDir::Files, QDirIterator::Subdirectories);
    EXPECT_FALSE(written.hasNext()) << written.next().toStdString();
    EXPECT_FALSE(logLines().contains("preset saved\n"));
}

// Every value a preset can hold, as the widgets show it.
QMap<QString, QString> controlValues(QWidget* column) {
    QMap<QString, QString> values;
    for (QWidget* widget : column->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        QWidget* group = widget->parentWidget();
        while (group && !qobject_cast<QGroupBox*>(group))
            group = group->parentWidget();
        const QString key = (group ? group->objectName() : QString()) + '/' + name;
        if (name.startsWith("curve_") || name.startsWith("terrace_"))
            values[key] = widget->styleSheet();
        else if (!name.isEmpty())
            for (const char* property : {"value", "currentText", "checked", "currentRow"})
                if (widget->property(property).isValid()) {
                    values[key] = widget->property(property).toString();
                    break;
                }
    }
    return values;
}

TEST_F(WindowTest, SavedPresetLoadedFromThePresetsTabRestoresEveryControl) {
    openWindow();
    find<QPushButton>("autoNoiseButton")->click(); // no evaluation per change
    find<QAbstractSlider>("FFSetCurrentMapSlider")->setValue(1);

    // One control of each kind in every panel: group, name, property, two values.
    const std::tuple<const char*, const char*, const char*, int, int> settings[] = {
        {"input1Group", "I1TerrainType", "currentIndex", 3, 4},
        {"input1Group", "I1FrequencySlider", "value", 23, 41},
        {"input2Group", "I1TerrainType", "currentIndex", 7, 2},
        {"input2Group", "I1GaborAnisoCheckBox", "checked", 1, 0},
        {"deformer1Group", "D1ClampLowerSpinBox", "value", -40, -70},
        {"deformer2Group", "D1ExponentSpinBox", "value", 3, 5},
        {"combinerGroup", "C1EdgeFalloffSlider", "value", 30, 70},
        {"finalGroup", "FFErosionTypeComboBox", "currentIndex", 2, 1},
        {"finalGroup", "FFGradientTypeListViewLeft", "currentRow", 3, 5},
        {"finalGroup", "FFGradientTypeListViewRight", "currentRow", 6, 2},
    };
    auto apply = [&](bool first) {
        for (const auto& [group, name, property, one, other] : settings) {
            QWidget* widget = inGroup<QWidget>(group, name);
            ASSERT_NE(widget, nullptr) << group << '/' << name;
            ASSERT_TRUE(widget->setProperty(property, first ? one : other)) << name;
        }
        inGroup<QAbstractButton>("deformer1Group", first ? "curve_3" : "curve_9")->click();
        inGroup<QAbstractButton>("deformer2Group", first ? "terrace_2" : "terrace_0")->click();
    };
    apply(true);
    QWidget* column = find<QWidget>("terraformPanelColumn");
    const QMap<QString, QString> saved = controlValues(column);

    prompts.texts = {"my canyon", "again"};
    find<QPushButton>("savePresetButton")->click();
    const QString preset = dataDir() + "/presets/my canyon.ipf";
    ASSERT_TRUE(QFileInfo::exists(preset));
    EXPECT_TRUE(QFileInfo::exists(dataDir() + "/presets/my canyon.jpg"));
    EXPECT_TRUE(logLines().contains("preset saved\n"));

    apply(false);
    ASSERT_NE(controlValues(column), saved);
    controller()->setCurrentIndex(3);
    auto* button = find<QAbstractButton>("__user__" + preset); // the rebuilt library has it
    ASSERT_NE(button, nullptr);
    button->click();

    const QMap<QString, QString> loaded = controlValues(column);
    for (auto it = saved.begin(); it != saved.end(); ++it)
        EXPECT_EQ(loaded.value(it.key()).toStdString(), it.value().toStdString())
            << it.key().toStdString();
    EXPECT_EQ(controller()->currentIndex(), 0);
    EXPECT_EQ(find<QLabel>("statusLine")->text(), "loaded preset: " + preset);
    EXPECT_TRUE(logLines().contains("loading preset " + preset + "\n"));

    // The recipe came back too: saving it again writes the same file.
    find<QPushButton>("savePresetButton")->click();
    const QByteArray content = readFile(preset);
    EXPECT_FALSE(content.isEmpty());
    EXPECT_EQ(readFile(dataDir() + "/presets/again.ipf"), content);
}

class PanelPipelineViewTest : public PanelFixture {};

// Six pictures of six colours, each to its own panel.
TEST_F(PanelPipelineViewTest, RoutesEachPreviewToItsPanelAndTheRefreshButtonToTheFinalStage) {
    const PanelContext context = panelContext();
    I1 input1(0, context), input2(1, context);
    D1 deformer1(0, context), deformer2(1, context);
    C1 combiner(context);
    PanelPipelineView view;
    FF finalStage(context, view);
    view.setPanels(&input1, &input2, &deformer1, &deformer2, &combiner, &finalStage);

    const std::tuple<PreviewSlot, QLabel*, QColor> targets[] = {
        {PreviewSlot::Input1, input1.previewLabel(), Qt::red},
        {PreviewSlot::Input2, input2.previewLabel(), Qt::green},
        {PreviewSlot::Deformer1, deformer1.previewLabel(), Qt::blue},
        {PreviewSlot::Deformer2, deformer2.previewLabel(), Qt::yellow},
        {PreviewSlot::ControlNoise, combiner.previewLabel(), Qt::cyan},
        {PreviewSlot::Final, finalStage.previewLabel(), Qt::magenta}};
    for (const auto& [slot, label, colour] : targets) {
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(colour);
        const QString file = QDir(root()).filePath(colour.name() + ".png");
        ASSERT_TRUE(picture.save(file));
        view.showPreview(slot, file);
    }
    for (const auto& [slot, label, colour] : targets) {
        const QImage shown = label->pixmap(Qt::ReturnByValue).toImage();
        ASSERT_FALSE(shown.isNull()) << colour.name().toStdString();
        EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), colour);
    }

    auto* refresh = finalStage.findChild<QWidget*>("FFReGenerateNoise");
    ASSERT_NE(refresh, nullptr);
    view.setRefreshButtonVisible(true);
    EXPECT_FALSE(refresh->isHidden());
    view.setRefreshButtonVisible(false);
    EXPECT_TRUE(refresh->isHidden());
}

// The real dialogs, answered by a timer while they run.
TEST(QtUserPromptsTest, QuestionHasYesAndCancelAndNoDefaultButton) {
    QtUserPrompts prompts;
    QStringList shown; // title|text|buttons, a default one marked
    auto answer = [&shown](const QString& choice) {
        QTimer::singleShot(0, [&shown, choice] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QStringList buttons;
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                auto* push = qobject_cast<QPushButton*>(button);
                const bool isDefault = push && (push->isDefault() || push->autoDefault());
                buttons << button->text() + (isDefault ? " (default)" : "");
                chosen = button->text() == choice ? button : chosen;
            }
            buttons.sort();
            shown << box->windowTitle() + '|' + box->text() + '|' + buttons.join(", ");
            if (chosen)
                chosen->click();
            else
                box->reject();
        });
    };
    answer("&Yes");
    EXPECT_TRUE(prompts.askYesCancel("Warning", "quit MORVANE?"));
    answer("Cancel");
    EXPECT_FALSE(prompts.askYesCancel("Warning", "quit MORVANE?"));
    answer("&OK");
    prompts.warn("Error", "no image selected");
    EXPECT_EQ(shown.join('\n').toStdString(), "Warning|quit MORVANE?|&Yes, Cancel\n"
                                              "Warning|quit MORVANE?|&Yes, Cancel\n"
                                              "Error|no image selected|&OK (default)");
}

} // namespace
} // namespace morvane::testing
