#include "../pipeline_fixture.h"

#include "props/ui/obj_draw.h"
#include "props/obj_model.h"
#include "props/ui/prop_display_lists.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <memory>

namespace morvane {
namespace {

using testing::RecordingLog;
using testing::RecordingNotifier;

constexpr int kSide = 64;
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);

// A compatibility context on an offscreen surface, drawing into a 64 x 64
// framebuffer object.
class ObjDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_surface.create();
        ASSERT_TRUE(m_context.create());
        ASSERT_TRUE(m_context.makeCurrent(&m_surface));
        m_framebuffer = std::make_unique<QOpenGLFramebufferObject>(
            kSide, kSide, QOpenGLFramebufferObject::CombinedDepthStencil);
        ASSERT_TRUE(m_framebuffer->bind());
    }

    QString write(const QString& name, const QByteArray& text) {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(testing::writeFile(path, text));
        return path;
    }
    // A square in the z = 0 plane facing the viewer, x from x0 to x1 and y
    // from -0.5 to 0.5.
    QString writeSquare(const QString& name, float x0, float x1) {
        const QString text = "v %1 -0.5 0\nv %2 -0.5 0\nv %2 0.5 0\nv %1 0.5 0\nf 1 2 3 4\n";
        return write(name, text.arg(x0).arg(x1).toUtf8());
    }

    // Clears to black and runs `draw` unlit in red, looking down -z at the
    // square from -1 to 1.
    template <typename Draw> QImage render(Draw draw) {
        glViewport(0, 0, kSide, kSide);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glColor3f(1.0f, 0.0f, 0.0f);
        draw();
        glFinish();
        return m_framebuffer->toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Pixel at normalised device coordinates (x, y).
    static QRgb at(const QImage& image, double x, double y) {
        return image.pixel(int((x + 1.0) / 2.0 * kSide), int((1.0 - y) / 2.0 * kSide));
    }

    ObjFacts facts;
    RecordingNotifier notifier;
    QStringList console;

private:
    QTemporaryDir m_dir;
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer; // destroyed first, context current
};

TEST_F(ObjDrawTest, PropListDrawsEveryFileAndAFailingFileLeavesNoList) {
    const QString left = writeSquare("left.obj", -0.9f, -0.1f);
    const QString right = writeSquare("right.obj", 0.1f, 0.9f);
    PropDisplayLists lists;
    ASSERT_TRUE(lists.compile(3, {"  " + left, right + " \t"}, facts, notifier, console));
    const GLuint old = lists.list(3);
    ASSERT_NE(old, 0u);
    EXPECT_EQ(facts.propTriangleCount, 4);
    EXPECT_TRUE(notifier.messages.empty());
    const QImage image = render([&] { lists.call(3); });
    EXPECT_EQ(at(image, -0.5, 0.0), kRed);
    EXPECT_EQ(at(image, 0.0, 0.0), kBlack);

    // Slots outside the table are refused and draw nothing.
    EXPECT_FALSE(lists.compile(256, {left}, facts, notifier, console));
    EXPECT_FALSE(lists.compile(-1, {left}, facts, notifier, console));
    const QImage nothing = render([&] { lists.call(256); lists.call(-5); });
    EXPECT_EQ(at(nothing, -0.5, 0.0), kBlack);

    const QString missing = left + ".gone";
    EXPECT_FALSE(lists.compile(3, {left, missing, left}, facts, notifier, console));
    EXPECT_EQ(lists.failureCount(), 1);
    EXPECT_EQ(lists.list(3), 0u);
    EXPECT_FALSE(glIsList(old));
    ASSERT_EQ(notifier.messages.size(), 1u); // the third file was not tried
    EXPECT_EQ(notifier.messages[0].second, "Error loading file: " + missing);
    EXPECT_EQ(at(render([&] { lists.call(3); }), -0.5, 0.0), kBlack);
}

TEST_F(ObjDrawTest, TerrainListIsLoggedDrawnInTheCorrectedModeAndOutlivesDeleteAll) {
    const QString square = writeSquare("terrain.obj", -0.5f, 0.5f);
    auto terrain = readObjModel(square, facts, notifier, console);
    ASSERT_TRUE(terrain);
    computeVertexNormals(*terrain, 90.0f);
    RecordingLog log;
    const GLuint list = compileTerrainList(*terrain, kObjSmooth | kObjTexture | kObjMaterial, log);
    ASSERT_NE(list, 0u);
    EXPECT_EQ(log.lines, QStringList{QStringLiteral("terrain DL stored in slot #%1\n").arg(list)});
    const QImage image = render([&] { glCallList(list); });
    EXPECT_EQ(at(image, 0.0, 0.0), kRed);
    EXPECT_EQ(at(image, 0.8, 0.0), kBlack);

    PropDisplayLists lists;
    ASSERT_TRUE(lists.compile(0, {square}, facts, notifier, console));
    ASSERT_TRUE(lists.compile(255, {square}, facts, notifier, console));
    const GLuint first = lists.list(0);
    const GLuint last = lists.list(255);
    lists.setCurrentSlot(17);
    lists.deleteAll(true);
    EXPECT_EQ(lists.currentSlot(), 0);
    EXPECT_EQ(lists.list(255), 0u);
    EXPECT_FALSE(glIsList(first) || glIsList(last));
    EXPECT_TRUE(glIsList(list));
}

// What a mode sends shows in the current normal and texture coordinate the
// last corner leaves behind.
TEST_F(ObjDrawTest, ModeChoosesFacetOrFileNormalsAndTextureCoordinates) {
    auto model = readObjModel(write("tilted.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                                  "vn 1 0 0\nvn 0 1 0\nvt 0.25 0.75\n"
                                                  "f 1/1/1 2/1/1 3/1/2\n"),
                              facts, notifier, console);
    ASSERT_TRUE(model);
    computeFacetNormals(*model);
    GLfloat normal[3];
    GLfloat texcoord[4];

    glNormal3f(9.0f, 9.0f, 9.0f);
    drawObjModel(*model, kObjFlat);
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_FLOAT_EQ(normal[2], 1.0f); // the facet's own normal

    drawObjModel(*model, kObjSmooth | kObjTexture);
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_FLOAT_EQ(normal[1], 1.0f); // the last corner's file normal
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texcoord);
    EXPECT_EQ(std::make_pair(texcoord[0], texcoord[1]), std::make_pair(0.25f, 0.75f));
}

} // namespace
} // namespace morvane
