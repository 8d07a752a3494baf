#include "scene_fixture.h"

#include "dzbasiccamera.h"
#include "dzboolproperty.h"
#include "dzfloatproperty.h"
#include "dznode.h"

#include <QMatrix3x3>
#include <QRandomGenerator>

#include <cmath>
#include <memory>

namespace morvane::testing {
namespace {

using SceneNodeTest = SceneFixture;

DzNode* placed(const QVector3D& pos, const QVector3D& rot, float scale) {
    auto* node = new DzNode;
    node->getXPosControl()->setValue(pos.x());
    node->getYPosControl()->setValue(pos.y());
    node->getZPosControl()->setValue(pos.z());
    node->getXRotControl()->setValue(rot.x());
    node->getYRotControl()->setValue(rot.y());
    node->getZRotControl()->setValue(rot.z());
    node->getScaleControl()->setValue(scale);
    return node;
}

TEST(DzRotationOrderTest, AnglesComeBackFromTheMatrixInEveryOrder) {
    QRandomGenerator random(7);
    for (int order = DzRotationOrder::XYZ; order <= DzRotationOrder::ZYX; ++order) {
        const DzRotationOrder ro(static_cast<DzRotationOrder::Order>(order));
        for (int trial = 0; trial < 10; ++trial) {
            // Include the gimbal-lock angle once per order.
            const QVector3D angles(float(random.bounded(360.0) - 180.0),
                                   trial == 0 ? 90.0f : float(random.bounded(170.0) - 85.0),
                                   float(random.bounded(360.0) - 180.0));
            QVector3D given;
            given[ro.axisAt(0)] = angles[0];
            given[ro.axisAt(1)] = angles[1];
            given[ro.axisAt(2)] = angles[2];
            const QMatrix3x3 m = ro.toQuaternion(given).toRotationMatrix();
            const QMatrix3x3 back = ro.toQuaternion(ro.toAngles(m)).toRotationMatrix();
            for (int i = 0; i < 9; ++i)
                // Single precision loses digits next to the lock.
                ASSERT_NEAR(m.constData()[i], back.constData()[i], trial == 0 ? 1e-3 : 1e-4)
                    << qPrintable(ro.toString()) << " trial " << trial;
        }
    }
    // XYZ turns about X first: a point on Y goes to Z, then Z turns to X.
    expectNear(DzRotationOrder(DzRotationOrder::XYZ).toQuaternion(QVector3D(90, 90, 0)).rotatedVector({0, 1, 0}),
               QVector3D(1, 0, 0), 1e-5f, "XYZ order");
}

TEST_F(SceneNodeTest, ControlsMakeTheLocalTransformAndParentsTheWorldOne) {
    DzNode* parent = placed({100, 0, 0}, {0, 90, 0}, 2.0f);
    DzNode* child = placed({0, 0, -10}, {0, 0, 0}, 1.0f);
    scene().addNode(parent);
    scene().addNode(child);
    // A child added with inPlace false keeps where it is in the world.
    ASSERT_TRUE(parent->addNodeChild(child, false));
    expectNear(child->getWSPos().toQVector3D(), QVector3D(0, 0, -10), 1e-3f, "kept in place");
    const std::unique_ptr<DzNode> alone(placed({0, 0, -10}, {}, 1));
    expectMatrixNear(child->getWSTransform(), alone->getLocalTransform(), 1e-4f, "world kept");

    // Its controls now count from the parent: 5 cm along the parent's X, turned and doubled.
    child->getXPosControl()->setValue(5.0f);
    child->getZPosControl()->setValue(0.0f);
    parent->getYPosControl()->setValue(50.0f);
    expectNear(child->getWSPos().toQVector3D(), QVector3D(100, 50, -10), 1e-3f, "follows");
    child->setWSPos(DzVec3(1, 2, 3));
    expectNear(child->getWSPos().toQVector3D(), QVector3D(1, 2, 3), 1e-3f, "setWSPos");

    // inPlace true keeps the control values instead.
    DzNode* other = placed({1, 2, 3}, {}, 1.0f);
    scene().addNode(other);
    ASSERT_TRUE(parent->addNodeChild(other, true));
    EXPECT_FLOAT_EQ(other->getXPosControl()->getValue(), 1.0f);

    // No cycles, no self-parenting.
    EXPECT_FALSE(child->addNodeChild(parent, false));
    EXPECT_FALSE(parent->addNodeChild(parent, false));
    EXPECT_FALSE(parent->addNodeChild(nullptr, false));
    EXPECT_EQ(parent->getNumNodeChildren(), 2);
}

TEST_F(SceneNodeTest, SceneKeepsOrderFindsByNameAndLiftsChildrenOfRemovedNodes) {
    DzNode* a = placed({10, 0, 0}, {}, 1);
    DzNode* b = placed({0, 0, 0}, {}, 1);
    a->setName(QStringLiteral("a"));
    b->setName(QStringLiteral("b"));
    EXPECT_TRUE(scene().addNode(a));
    EXPECT_TRUE(scene().addNode(b));
    EXPECT_FALSE(scene().addNode(b));
    EXPECT_FALSE(scene().addNode(nullptr));
    EXPECT_EQ(scene().getNode(1), b);
    EXPECT_EQ(scene().findNode(QStringLiteral("c")), nullptr);
    EXPECT_EQ(scene().getNode(5), nullptr);

    a->addNodeChild(b, true);
    EXPECT_TRUE(scene().removeNode(a));
    EXPECT_EQ(scene().getNumNodes(), 1);
    EXPECT_EQ(b->getNodeParent(), nullptr);
    expectNear(b->getWSPos().toQVector3D(), QVector3D(10, 0, 0), 1e-4f, "world kept");
    EXPECT_FALSE(scene().removeNode(a));
}

TEST_F(SceneNodeTest, CopyFromTakesTransformOrderAndShadow) {
    DzNode* source = placed({1, 2, 3}, {10, 20, 30}, 0.5f);
    source->setRotationOrder(DzRotationOrder::YZX);
    source->getShadowControl()->setBoolValue(false);
    DzNode copy;
    copy.copyFrom(source);
    expectMatrixNear(copy.getLocalTransform(), source->getLocalTransform(), 1e-6f, "copy");
    EXPECT_EQ(copy.getRotationOrder(), DzRotationOrder(DzRotationOrder::YZX));
    EXPECT_FALSE(copy.getShadowControl()->getBoolValue());
    delete source;
}

TEST_F(SceneNodeTest, FramePutsTheWholeBoxInViewAtItsCentre) {
    struct Case {
        QVector3D rotation;
        float focal;
    };
    const Case cases[] = {{{-25, -135, 0}, 30}, {{-80, 10, 0}, 200}};
    const DzBox3 box(DzVec3(-500, 0, -300), DzVec3(700, 200, 900));
    for (const Case& c : cases) {
        DzBasicCamera camera(6, false);
        camera.getXRotControl()->setValue(c.rotation.x());
        camera.getYRotControl()->setValue(c.rotation.y());
        ASSERT_TRUE(camera.setFocalLength(c.focal));
        ASSERT_TRUE(camera.frame(box, 480.0f));
        const QMatrix4x4 view = camera.getViewMatrix();
        const QVector3D centre = view.map(box.getCenter().toQVector3D());
        EXPECT_NEAR(centre.x(), 0.0f, 1e-2f);
        EXPECT_NEAR(centre.y(), 0.0f, 1e-2f);
        const float halfTan = float(std::tan(camera.getFieldOfView() * M_PI / 360.0));
        float largest = 0.0f;
        for (int corner = 0; corner < 8; ++corner) {
            const QVector3D p = view.map(
                QVector3D(corner & 1 ? 700 : -500, corner & 2 ? 200 : 0, corner & 4 ? 900 : -300));
            ASSERT_LT(p.z(), 0.0f) << "corner behind the camera";
            // The frame is 36 x 24 mm: 1.5 times as wide as high.
            const float y = std::abs(p.y() / -p.z()) / halfTan;
            const float x = std::abs(p.x() / -p.z()) / (1.5f * halfTan);
            EXPECT_LE(std::max(x, y), 1.0f) << "corner " << corner << " out of the view";
            largest = std::max({largest, x, y});
        }
        // Fills the view: the box is not a speck in it.
        EXPECT_GT(largest, 0.3f);
    }
    DzBasicCamera camera;
    EXPECT_FALSE(camera.frame(DzBox3(), 480.0f));
    EXPECT_FALSE(camera.frame(box, 0.0f));
    EXPECT_FALSE(camera.setFocalLength(0.0f));
    EXPECT_NEAR(DzBasicCamera::fieldOfViewFor(DzBasicCamera::focalLengthFor(45.0f)), 45.0f, 1e-4f);
}

} // namespace
} // namespace morvane::testing
