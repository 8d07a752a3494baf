#include "window_fixture.h"

#include "plugin/ui/depth_buffer.h"
#include "plugin/ui/window_geometry.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QPointer>
#include <QPushButton>
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

TEST(WindowSetupTest, TinyDesktopGivesNoNegativeSizeAndPoorDepthFallsBackTo24Bits) {
    EXPECT_EQ(windowGeometryFor(QSize(640, 80)).minimum, QSize(640, 0));
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
    EXPECT_EQ(lines.mid(0, 2), QStringList({"MORVANE started\n", "removing temp files...\n"}));
    EXPECT_TRUE(inOrder(lines, {"GL_ARB_vertex_buffer_object: SUPPORTED\n",
                                "create openGL context\n", "build presets library...\n",
                                "generating noise maps...\n", "initialize library...\n"}))
        << lines.join("").toStdString();
    EXPECT_EQ(evaluations(), 1);
    EXPECT_FALSE(controller()->isTabEnabled(1) || controller()->isTabEnabled(2));
    EXPECT_TRUE(controller()->isTabEnabled(3));
}

TEST_F(WindowTest, MissingDocumentsFolderShowsTheErrorAndStartsAnyway) {
    environment.documentsPath = root("elsewhere/Studio4");
    window = std::make_unique<MorvaneWindow>(environment);

    EXPECT_FALSE(window->open());
    ASSERT_EQ(prompts.warnings.size(), 1u);
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

TEST_F(WindowTest, ALogThatCannotBeWrittenIsToldOnceAndTheWindowWorks) {
    ASSERT_TRUE(QDir().mkpath(dataDir() + "/logFile.txt/in the way"));
    openWindow();
    QCoreApplication::processEvents();
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_TRUE(prompts.warnings[0].second.startsWith("The log file " + dataDir() +
                                                       "/logFile.txt cannot be written ("))
        << prompts.warnings[0].second.toStdString();
    EXPECT_TRUE(QFileInfo(dataDir() + "/logFile.txt/in the way").isDir());
    EXPECT_TRUE(window->isOpen());
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
    EXPECT_TRUE(before && before->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(logLines(), log);

    find<QPushButton>("quitButton")->click();
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(logLines().value(logLines().size() - 1), "closing MORVANE\n");
    flushDeletes();
    EXPECT_TRUE(before.isNull());
    // The slots of a closed window do nothing.
    window->generatePreviewTerrain();
    window->quitMorvane();
    EXPECT_EQ(prompts.questions.size(), 3);
}

TEST_F(WindowTest, ResetAsksThenRebuildsWithAFreshLog) {
    openWindow();
    QPointer<QWidget> first = window->window();
    auto* button = find<QPushButton>("autoNoiseButton");
    const QString automatic = button->styleSheet();
    button->click(); // manual, until the reset
    ASSERT_NE(button->styleSheet(), automatic);
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
    // One start and no close.
    EXPECT_EQ(lines.count("MORVANE started\n") + lines.count("closing MORVANE\n"), 1);
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
    EXPECT_EQ(prompts.warnings.size(), 4u); // none for the cancel and the empty name
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
        {"input2Group", "I1GaborAnisoCheckBox", "checked", 1, 0},
        {"deformer1Group", "D1ClampLowerSpinBox", "value", -40, -70},
        {"combinerGroup", "C1EdgeFalloffSlider", "value", 30, 70},
        {"finalGroup", "FFErosionTypeComboBox", "currentIndex", 2, 1},
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

} // namespace
} // namespace morvane::testing
