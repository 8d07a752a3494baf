#include "scene_builder.h"

#include "dz3dviewport.h"
#include "dzviewport.h"
#include "dzviewportmgr.h"
#include "host_window.h"
#include "scene_view.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

namespace morvane::testing {
namespace {

class SceneWindowTest : public SceneBuilderFixture {
protected:
    SceneWindowTest() {
        window.attachScene(app);
        window.resize(900, 600);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    Dz3DViewport* viewport() {
        return window.getViewportMgr()->getActiveViewport()->get3DViewport();
    }
    QImage frame() {
        window.sceneView()->updateGL();
        return window.sceneView()->grabFrameBuffer();
    }

    host::HostWindow window;
};

TEST_F(SceneWindowTest, OutlineNestsChildrenAndCameraListLooksThroughSceneCameras) {
    buildAll();
    EXPECT_EQ(app.getInterface(), &window);
    QTreeWidget* outline = window.outline();
    // Terrain (with its prop), the clone, the sky and five cameras.
    ASSERT_EQ(outline->topLevelItemCount(), 8);
    QTreeWidgetItem* terrainItem = outline->topLevelItem(0);
    EXPECT_EQ(terrainItem->text(0), QStringLiteral("my Terrain 1"));
    ASSERT_EQ(terrainItem->childCount(), 1);
    EXPECT_EQ(terrainItem->child(0)->text(0), QStringLiteral("Tree"));
    scene().findNode(QStringLiteral("skyDome"))->setLabel(QStringLiteral("Sky"));
    EXPECT_EQ(outline->topLevelItem(2)->text(0), QStringLiteral("Sky"));

    auto* cameras = window.findChild<QComboBox*>(QStringLiteral("viewCameraList"));
    ASSERT_NE(cameras, nullptr);
    ASSERT_EQ(cameras->count(), 6);
    EXPECT_EQ(cameras->itemText(0), QStringLiteral("Perspective View"));
    const int main = cameras->findText(QStringLiteral("my Terrain 1 Main Camera"));
    ASSERT_GT(main, 0);
    cameras->setCurrentIndex(main);
    emit cameras->activated(main);
    auto* camera = qobject_cast<DzCamera*>(scene().findNode(QStringLiteral("my Terrain 1 Main Camera")));
    EXPECT_EQ(viewport()->getCamera(), camera);
    expectMatrixNear(window.sceneView()->viewMatrix(), camera->getViewMatrix(), 1e-4f, "view");

    // A plug-in choosing the camera shows in the list too.
    auto* nw = qobject_cast<DzCamera*>(scene().findNode(QStringLiteral("my Terrain 1 NW Camera")));
    viewport()->setCamera(nw);
    EXPECT_EQ(cameras->currentText(), QStringLiteral("my Terrain 1 NW Camera"));

    // Navigating leaves the scene camera; the camera itself stays put.
    const QMatrix4x4 before = nw->getWSTransform();
    QWheelEvent wheel(QPointF(100, 100), window.sceneView()->mapToGlobal(QPoint(100, 100)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window.sceneView(), &wheel);
    EXPECT_EQ(viewport()->getCamera(), nullptr);
    expectMatrixNear(nw->getWSTransform(), before, 0.0f, "scene camera untouched");
}

TEST_F(SceneWindowTest, ViewDrawsTexturedMeshesAndSolidBoxesInShadeStyleOne) {
    buildTerrain();
    auto* main = new DzBasicCamera;
    main->setName(QStringLiteral("look"));
    scene().addNode(main);
    main->getXRotControl()->setValue(-60.0f);
    ASSERT_TRUE(main->frame(terrain->getWSBoundingBox(), float(window.sceneView()->height())));
    viewport()->setCamera(main);

    const QImage textured = frame();
    const QColor centre = textured.pixelColor(textured.width() / 2, textured.height() / 2);
    // The terrain's colour map is green: its green shows, lit.
    EXPECT_GT(centre.green(), centre.red() + 30) << qPrintable(centre.name());
    EXPECT_GT(centre.green(), centre.blue() + 30) << qPrintable(centre.name());

    ASSERT_TRUE(viewport()->setShadeStyle(1));
    EXPECT_FALSE(viewport()->setShadeStyle(7));
    const QImage boxes = frame();
    const QColor grey = boxes.pixelColor(boxes.width() / 2, boxes.height() / 2);
    EXPECT_LT(std::abs(grey.red() - grey.green()), 10) << qPrintable(grey.name());
    EXPECT_NE(grey, textured.pixelColor(2, 2)) << "the box is drawn, not the background";
}

} // namespace
} // namespace morvane::testing
