#include "window_fixture.h"

#include "../recording_scene.h"
#include "hostexport/ui/create_tab.h"
#include "viewport/ui/gl_terrain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace morvane::testing {
namespace {

class CreateTabTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        environment.hostScene = [this](EventLog&, RandomSource&) {
            auto scene = std::make_unique<RecordingScene>();
            recorded = scene.get();
            return std::unique_ptr<HostScene>(std::move(scene));
        };
        openWindow();
    }
    QString log() const { return QString::fromUtf8(readFile(dataDir() + "/logFile.txt")); }
    QString maps(const QString& name) const { return dataDir() + "/maps/" + name; }
    void terraform() {
        window->generatePreviewTerrain();
        controller()->setCurrentIndex(2);
    }
    void release(QPushButton* button) {
        ASSERT_TRUE(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    RecordingScene* recorded = nullptr;
};

TEST_F(CreateTabTest, NormalMapControlsShowWithASizeAndFollowTheRegenerationRules) {
    terraform();
    auto* size = find<QComboBox>("normalMapSizeComboBox");
    auto* bump = find<QSlider>("normalMapBumpHeightSlider");
    auto* preview = find<QLabel>("normalMapPreviewLabel");
    auto* regen = find<QPushButton>("normalMapGenerateButton");
    ASSERT_TRUE(size && bump && preview && regen);
    EXPECT_EQ(size->currentText(), "no thanks");
    EXPECT_FALSE(bump->isVisible() || preview->isVisible() || regen->isVisible());
    const QString thumb = maps("NMapFFnoisePreviewThumb.jpg");
    QFile::remove(thumb);

    size->setCurrentText("512"); // shows the controls and makes a preview
    EXPECT_TRUE(bump->isVisible() && preview->isVisible() && regen->isVisible());
    ASSERT_TRUE(QFileInfo::exists(thumb));
    EXPECT_FALSE(preview->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_FALSE(QFileInfo::exists(maps("NormalMap_my Terrain 1.jpg")));

    // "regen normal map" always evaluates again and writes the final map.
    release(regen);
    EXPECT_TRUE(log().contains("manual updated of normal map\n"));
    EXPECT_EQ(QImage(maps("NormalMap_my Terrain 1.jpg")).size(), QSize(512, 512));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A name the export would refuse writes nothing.
    find<QLineEdit>("createDAZTerrainNameLineEdit")->setText("../up");
    release(regen);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(maps("../NormalMap_../up.jpg")));

    size->setCurrentIndex(0);
    EXPECT_FALSE(bump->isVisible() || preview->isVisible() || regen->isVisible());
}

TEST_F(CreateTabTest, SkyMapControlsMovedHereAndCreateTabFollowsTheTerrain) {
    auto* sky = find<QComboBox>("skyDomeMapSizeComboBox");
    ASSERT_TRUE(sky);
    EXPECT_TRUE(find<QWidget>("genesisTab")->isAncestorOf(sky));

    terraform();
    auto* boxes = find<QCheckBox>("createDAZTerrainDrawBoxStyleCheckBox");
    ASSERT_TRUE(boxes);
    EXPECT_FALSE(boxes->isChecked());
    ItemRecord heavy;
    heavy.propFile = "/nowhere/heavy.pp2";
    heavy.triangleCount = 600000;
    window->viewportState()->items = {heavy, heavy};
    controller()->setCurrentIndex(0);
    controller()->setCurrentIndex(2);
    EXPECT_TRUE(boxes->isChecked()); // 1.2 million triangles
    window->viewportState()->items.pop_back();
    controller()->setCurrentIndex(0);
    controller()->setCurrentIndex(2);
    EXPECT_FALSE(boxes->isChecked());
}

TEST_F(CreateTabTest, CreateButtonBuildsTheSceneAndShowsTheOutcome) {
    terraform();
    ItemRecord tree;
    tree.propFile = QStringLiteral(MORVANE_SOURCE_DIR) + "/nowhere/tree.pp2"; // cannot load
    window->viewportState()->items = {tree};
    find<QLineEdit>("createDAZTerrainNameLineEdit")->setText("Valley");
    release(find<QPushButton>("createDAZSceneButton"));
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->callsStartingWith("terrain"), QStringList{"terrain Valley.obj 100 0"});
    // The viewport's reset view: pitch 20, yaw 0.
    ASSERT_EQ(recorded->callsStartingWith("main").size(), 1);
    EXPECT_TRUE(recorded->callsStartingWith("main")[0].startsWith("main Valley Main Camera -20 "));
    auto* status = find<QLabel>("createDAZHoldOnLabel");
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->isVisible());
    EXPECT_TRUE(status->text().endsWith("1 props could not be loaded (see the log)."));
    EXPECT_FALSE(find<QLabel>("createDAZHoldOnGifLabel")->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(log().contains("could not load prop: [0]"));
    EXPECT_TRUE(QFileInfo::exists(maps("Valley.obj")));

    // Leaving the tab clears the label.
    controller()->setCurrentIndex(0);
    EXPECT_TRUE(status->text().isEmpty());
}

} // namespace
} // namespace morvane::testing
