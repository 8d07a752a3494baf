#include "gui_fixture.h"
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
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>

namespace morvane::testing {
namespace {

const char* const kNoTerrain = "You need to create or load a terrain first...";

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

TEST_F(WindowTest, StartUpLogsEveryStepInOrderMakesTheFoldersAndEvaluatesOnce) {
    // A stale normal-map thumbnail that no evaluation rewrites.
    ASSERT_TRUE(QDir().mkpath(dataDir() + "/maps"));
    QFile stale(dataDir() + "/maps/NMapFFnoisePreviewThumb.jpg");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
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

TEST_F(WindowTest, TabsNeedATerrainAndTheViewportCoversItsSlot) {
    openWindow();
    QTabWidget* tabs = controller();
    ASSERT_EQ(tabs->count(), 6);
    for (int i = 0; i < 6; ++i) {
        const bool needsTerrain = i == 1 || i == 2;
        EXPECT_EQ(tabs->isTabEnabled(i), !needsTerrain) << i;
        EXPECT_EQ(tabs->tabToolTip(i), needsTerrain ? QString(kNoTerrain) : QString()) << i;
    }
    // The tab font stays on the tabs.
    EXPECT_FALSE(find<QWidget>("terrainTab")->font().bold());
    EXPECT_TRUE(find<QLabel>("busyOverlayLabel")->isHidden());
    EXPECT_TRUE(find<QLabel>("triangleCountLabel")->isHidden());

    QCoreApplication::processEvents();
    QWidget* frame = find<QFrame>("ecoFrame");
    EXPECT_EQ(find<QFrame>("glViewportArea")->pos(),
              find<QWidget>("terrainViewportSlot")->mapTo(frame, QPoint(0, 0)));

    int native = 0; // the shipped presets are listed
    for (QAbstractButton* b :
         find<QScrollArea>("presetsScrollArea")->widget()->findChildren<QAbstractButton*>())
        native += b->objectName().startsWith("__native__") ? 1 : 0;
    EXPECT_GT(native, 0);
}

TEST_F(WindowTest, AutoTogglesItsStyleWithoutEvaluating) {
    openWindow();
    auto* button = find<QPushButton>("autoNoiseButton");
    const QString on = button->styleSheet();
    const int before = evaluations();

    button->click();
    EXPECT_NE(button->styleSheet(), on);
    // Manual mode: a recipe change only shows the refresh button.
    inGroup<QComboBox>("input1Group", "I1TerrainType")->setCurrentIndex(2);
    EXPECT_FALSE(find<QWidget>("FFReGenerateNoise")->isHidden());

    button->click();
    EXPECT_EQ(button->styleSheet(), on);
    EXPECT_EQ(evaluations(), before);
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

TEST_F(WindowTest, ResetCancelKeepsAndYesRebuildsWithAFreshLog) {
    openWindow();
    QPointer<QWidget> first = window->window();
    find<QPushButton>("autoNoiseButton")->click(); // manual mode
    const QString manual = find<QPushButton>("autoNoiseButton")->styleSheet();
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
    EXPECT_NE(find<QPushButton>("autoNoiseButton")->styleSheet(), manual);
    const QStringList lines = logLines();
    EXPECT_EQ(lines.value(0), "MORVANE started\n");
    EXPECT_EQ(lines.count("MORVANE started\n"), 1);
    EXPECT_EQ(lines.count("closing MORVANE\n"), 0);
    EXPECT_EQ(evaluations(), 1);
}

TEST_F(WindowTest, TerraformEnablesThePopulateAndCreateTabs) {
    openWindow();
    find<QAbstractSlider>("FFTerrainSizeSlider")->setValue(3);
    ASSERT_EQ(find<QLineEdit>("FFTerrainSizeLineEdit")->text(), "1000");

    find<QPushButton>("terraformButton")->click();

    QTabWidget* tabs = controller();
    for (int tab : {1, 2}) {
        EXPECT_TRUE(tabs->isTabEnabled(tab));
        EXPECT_TRUE(tabs->tabToolTip(tab).isEmpty());
    }
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(find<QSpinBox>("glEcoInstancesSpinBox")->value(), 50);
    auto* triangles = find<QLabel>("triangleCountLabel");
    EXPECT_EQ(triangles->text(), "triangles:522242");
    EXPECT_FALSE(triangles->isHidden());
    EXPECT_EQ(find<QLabel>("triggerPopulateHelpLabel")->size(), QSize(16, 16));
    EXPECT_TRUE(find<QLabel>("busyOverlayLabel")->isHidden());

    // The help belongs to POPULATE, the counter to POPULATE and CREATE.
    tabs->setCurrentIndex(2);
    EXPECT_EQ(find<QLabel>("triggerPopulateHelpLabel")->size(), QSize(1, 1));
    EXPECT_FALSE(triangles->isHidden());
    tabs->setCurrentIndex(3);
    EXPECT_TRUE(triangles->isHidden());
    auto* viewport = find<QFrame>("glViewportArea");
    EXPECT_TRUE(viewport->isHidden());

    // Back on TERRAFORM the viewport covers its slot, under the tab bar.
    tabs->setCurrentIndex(0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(viewport->isHidden());
    QWidget* frame = find<QFrame>("ecoFrame");
    EXPECT_EQ(viewport->pos(), find<QWidget>("terrainViewportSlot")->mapTo(frame, QPoint(0, 0)));
    EXPECT_GE(viewport->y(), tabs->tabBar()->mapTo(frame, QPoint(0, tabs->tabBar()->height())).y());
}

TEST_F(WindowTest, TerraformRefusesAnEmptyTerrainSize) {
    openWindow();
    find<QLineEdit>("FFTerrainSizeLineEdit")->setText("0");
    find<QPushButton>("terraformButton")->click();
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].second, "nice try... please enter a terrain size higher than 0");
    EXPECT_FALSE(controller()->isTabEnabled(1));
    EXPECT_EQ(controller()->currentIndex(), 0);
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
        if (name.isEmpty())
            continue;
        QWidget* group = widget->parentWidget();
        while (group && !qobject_cast<QGroupBox*>(group))
            group = group->parentWidget();
        const QString key = (group ? group->objectName() : QString()) + '/' + name;
        if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
            values[key] = QString::number(slider->value());
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            values[key] = QString::number(spin->value());
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            values[key] = combo->currentText();
        else if (auto* check = qobject_cast<QCheckBox*>(widget))
            values[key] = QString::number(check->checkState());
        else if (auto* list = qobject_cast<QListWidget*>(widget))
            values[key] = QString::number(list->currentRow());
        else if (name.startsWith("curve_") || name.startsWith("terrace_"))
            values[key] = widget->styleSheet();
    }
    return values;
}

TEST_F(WindowTest, SavedPresetLoadedFromThePresetsTabRestoresEveryControl) {
    openWindow();
    find<QPushButton>("autoNoiseButton")->click(); // no evaluation per change
    find<QAbstractSlider>("FFSetCurrentMapSlider")->setValue(1);

    struct Setting {
        const char* group;
        const char* name;
        int first;
        int second;
    };
    // One control of each kind in every panel.
    const Setting settings[] = {
        {"input1Group", "I1TerrainType", 3, 4},
        {"input1Group", "I1FrequencySlider", 23, 41},
        {"input2Group", "I1TerrainType", 7, 2},
        {"input2Group", "I1GaborAnisoCheckBox", 2, 0},
        {"deformer1Group", "D1ClampLowerSpinBox", -40, -70},
        {"deformer2Group", "D1ExponentSpinBox", 3, 5},
        {"combinerGroup", "C1EdgeFalloffSlider", 30, 70},
        {"finalGroup", "FFErosionTypeComboBox", 2, 1},
        {"finalGroup", "FFGradientTypeListViewLeft", 3, 5},
        {"finalGroup", "FFGradientTypeListViewRight", 6, 2},
    };
    auto apply = [&](bool first) {
        for (const Setting& s : settings) {
            QWidget* widget = inGroup<QWidget>(s.group, s.name);
            ASSERT_NE(widget, nullptr) << s.group << '/' << s.name;
            const int value = first ? s.first : s.second;
            if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
                slider->setValue(value);
            else if (auto* spin = qobject_cast<QSpinBox*>(widget))
                spin->setValue(value);
            else if (auto* combo = qobject_cast<QComboBox*>(widget))
                combo->setCurrentIndex(value);
            else if (auto* check = qobject_cast<QCheckBox*>(widget))
                check->setCheckState(Qt::CheckState(value));
            else if (auto* list = qobject_cast<QListWidget*>(widget))
                list->setCurrentRow(value);
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
    QFile first(preset);
    QFile second(dataDir() + "/presets/again.ipf");
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
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

    const std::pair<PreviewSlot, QLabel*> targets[] = {
        {PreviewSlot::Input1, input1.previewLabel()},
        {PreviewSlot::Input2, input2.previewLabel()},
        {PreviewSlot::Deformer1, deformer1.previewLabel()},
        {PreviewSlot::Deformer2, deformer2.previewLabel()},
        {PreviewSlot::ControlNoise, combiner.previewLabel()},
        {PreviewSlot::Final, finalStage.previewLabel()}};
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta};
    for (int i = 0; i < 6; ++i) {
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(colours[i]);
        const QString file = QDir(root()).filePath(QString("preview%1.png").arg(i));
        ASSERT_TRUE(picture.save(file));
        view.showPreview(targets[i].first, file);
    }
    for (int i = 0; i < 6; ++i) {
        const QImage shown = targets[i].second->pixmap(Qt::ReturnByValue).toImage();
        ASSERT_FALSE(shown.isNull()) << i;
        EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), colours[i]) << i;
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
    for (const bool answerYes : {true, false}) {
        QString title;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle() + '|' + box->text();
            for (QAbstractButton* button : box->buttons()) {
                auto* push = qobject_cast<QPushButton*>(button);
                const bool isDefault = push && (push->isDefault() || push->autoDefault());
                buttons << button->text() + (isDefault ? " (default)" : "");
            }
            box->button(answerYes ? QMessageBox::Yes : QMessageBox::Cancel)->click();
        });
        EXPECT_EQ(prompts.askYesCancel("Warning", "quit MORVANE?"), answerYes);
        EXPECT_EQ(title, "Warning|quit MORVANE?");
        buttons.sort();
        EXPECT_EQ(buttons.join(", ").toStdString(), "&Yes, Cancel");
    }

    QStringList warning;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        warning << box->windowTitle() << box->text();
        for (QAbstractButton* button : box->buttons())
            warning << button->text();
        box->buttons().value(0)->click();
    });
    prompts.warn("Error", "no image selected");
    EXPECT_EQ(warning.join("|").toStdString(), "Error|no image selected|&OK");
}

} // namespace
} // namespace morvane::testing
