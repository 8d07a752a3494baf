#include "panel_test_util.h"

#include "recipe/panels/presets_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMovie>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdlib>
#include <set>

namespace morvane::testing {
namespace {

const QColor kThumbColour(200, 40, 40);
const QColor kDecoyColour(40, 40, 200);
const QColor kPlaceholderColour(40, 190, 60);

bool sameColour(QRgb pixel, const QColor& expected, int tolerance = 8) {
    return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
           std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
           std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

class PresetsLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_native.isValid() && m_user.isValid() && m_misc.isValid());
        placeholder = m_misc.filePath(QStringLiteral("none.jpg"));
        writePicture(placeholder, kPlaceholderColour, 128);
    }

    QString nativeDir() const { return m_native.path(); }
    QString userDir() const { return m_user.path(); }

    static void touch(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write("# preset\n");
    }

    void build() { frame.build(nativeDir(), userDir(), placeholder); }

    // In creation order, which is the order of the grid.
    QList<QToolButton*> buttons() const { return frame.findChildren<QToolButton*>(); }

    static QRgb iconCentre(const QToolButton* button) {
        return button->icon().pixmap(128, 128).toImage().pixel(64, 64);
    }

    QString placeholder;
    PresetsLibrary frame;

  private:
    QTemporaryDir m_native;
    QTemporaryDir m_user;
    QTemporaryDir m_misc;
};

TEST_F(PresetsLibraryTest, NativeThenUserPresetsFillRowsOfSevenAndARebuildReplacesThem) {
    for (const char* name : {"b.ipf", "A.ipf", "c.ipf", "notes.txt", "b.jpg"})
        touch(nativeDir() + '/' + name);
    for (const char* name : {"y.ipf", "x.ipf"})
        touch(userDir() + '/' + name);
    build();

    QList<QToolButton*> list = buttons();
    ASSERT_EQ(list.size(), 5);
    const QStringList paths = {nativeDir() + "/A.ipf", nativeDir() + "/b.ipf",
                               nativeDir() + "/c.ipf", userDir() + "/x.ipf", userDir() + "/y.ipf"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const QToolButton* button = list[i];
        EXPECT_EQ(button->objectName(), (i < 3 ? "__native__" : "__user__") + paths[i]);
        EXPECT_EQ(button->toolTip(), paths[i]);
        EXPECT_EQ(button->geometry(), QRect(20 + 156 * i, 14, 128, 128));
        const char* border =
            i < 3 ? "border-color: rgba(25,25,25,255);" : "border-color: rgba(255,195,0,255);";
        EXPECT_TRUE(button->styleSheet().contains(QLatin1String(border)))
            << button->styleSheet().toStdString();
    }
    EXPECT_EQ(frame.width(), 1150);
    EXPECT_TRUE(sameColour(frame.grab().toImage().pixel(5, 5), QColor(95, 95, 95), 0));

    const QPointer<QToolButton> old = list[0];
    for (const char* name : {"d.ipf", "e.ipf"})
        touch(nativeDir() + '/' + name);
    touch(userDir() + "/w.ipf");
    build();
    EXPECT_TRUE(old.isNull());
    list = buttons();
    ASSERT_EQ(list.size(), 8);
    std::set<QString> names;
    for (const QToolButton* button : list) {
        names.insert(button->objectName());
        EXPECT_TRUE(button->isVisibleTo(&frame)) << button->objectName().toStdString();
    }
    EXPECT_EQ(names.size(), 8u);
    EXPECT_EQ(list[5]->objectName(), "__user__" + userDir() + "/w.ipf");
    EXPECT_EQ(list[6]->pos(), QPoint(956, 14));
    EXPECT_EQ(list[7]->pos(), QPoint(20, 162));
}

TEST_F(PresetsLibraryTest, ThumbnailIsTheNameUpToItsFirstDotOrThePlaceholder) {
    EXPECT_EQ(PresetsLibrary::thumbnailFor("/data/my.presets/a.b.ipf"), "/data/my.presets/a.jpg");
    EXPECT_EQ(PresetsLibrary::thumbnailFor("canyon.ipf"), "canyon.jpg");

    touch(nativeDir() + "/a.b.ipf");
    writePicture(nativeDir() + "/a.jpg", kThumbColour, 128);
    writePicture(nativeDir() + "/a.b.jpg", kDecoyColour, 128);
    touch(nativeDir() + "/bare.ipf");
    build();
    const QList<QToolButton*> list = buttons();
    ASSERT_EQ(list.size(), 2);
    EXPECT_TRUE(sameColour(iconCentre(list[0]), kThumbColour));
    EXPECT_TRUE(sameColour(iconCentre(list[1]), kPlaceholderColour));
}

TEST_F(PresetsLibraryTest, ScrollingReachesTheLastOfAHundredPresets) {
    for (int i = 0; i < 100; ++i)
        touch(nativeDir() + QStringLiteral("/p%1.ipf").arg(i, 3, 10, QLatin1Char('0')));
    // The window may or may not let the scroll area resize its content.
    for (bool resizable : {false, true}) {
        SCOPED_TRACE(resizable);
        QScrollArea area;
        area.setWidgetResizable(resizable);
        auto* library = new PresetsLibrary;
        area.setWidget(library);
        area.resize(1180, 600);
        library->build(nativeDir(), userDir(), placeholder);
        area.show();
        QCoreApplication::processEvents();

        const QList<QToolButton*> list = library->findChildren<QToolButton*>();
        ASSERT_EQ(list.size(), 100);
        QToolButton* last = list.back();
        EXPECT_EQ(last->pos(), QPoint(20 + 156, 14 + 14 * 148));
        EXPECT_EQ(library->width(), 1150);
        EXPECT_GE(library->height(), last->geometry().bottom() + 1);

        area.ensureWidgetVisible(last, 0, 0);
        const QRect inViewport(last->mapTo(area.viewport(), QPoint(0, 0)), last->size());
        EXPECT_TRUE(area.viewport()->rect().contains(inViewport))
            << inViewport.y() << " in viewport of height " << area.viewport()->height();
    }
}

TEST_F(PresetsLibraryTest, ClickAsksToLoadThePresetWithItsType) {
    // A tag inside a folder name must not change what the button stands for.
    const QString tagged = nativeDir() + "/__user__shelf";
    ASSERT_TRUE(QDir().mkpath(tagged));
    touch(tagged + "/native.ipf");
    touch(userDir() + "/mine.ipf");
    frame.build(tagged, userDir(), placeholder);
    QSignalSpy spy(&frame, &PresetsLibrary::loadPresetRequested);

    const QList<QToolButton*> list = buttons();
    ASSERT_EQ(list.size(), 2);
    list[1]->click();
    list[0]->click();
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy[0], (QVariantList{userDir() + "/mine.ipf", 1}));
    EXPECT_EQ(spy[1], (QVariantList{tagged + "/native.ipf", 0}));
}

// The pictures the generator writes into the source resources folder.
const QString kResources = QStringLiteral(MORVANE_SOURCE_DIR "/resources/");

// Row of the brightest pixel in a column: the plotted line is the lightest
// thing in a profile picture.
int lineRow(const QImage& plot, int column) {
    int best = 0;
    for (int y = 1; y < plot.height(); ++y)
        if (qGray(plot.pixel(column, y)) > qGray(plot.pixel(column, best)))
            best = y;
    return best;
}

TEST(ResourcesTest, ProfilePlotsFollowTheirProfiles) {
    // Every plot is there and fits its 28-pixel preset button.
    for (const auto& [stem, count] : {std::pair{"curve_", 17}, std::pair{"terrace_", 16}})
        for (int i = 0; i < count; ++i) {
            const QString path = kResources + stem + QString::number(i) + ".jpg";
            EXPECT_EQ(QImage(path).size(), QSize(28, 28)) << path.toStdString();
        }

    // Curve 2 is a valley: high at both ends, at the bottom in the middle.
    const QImage valley(kResources + "curve_2.jpg");
    EXPECT_LE(lineRow(valley, 4), 7);
    EXPECT_LE(lineRow(valley, 23), 7);
    EXPECT_GE(lineRow(valley, 13), 21);
    EXPECT_GT(qGray(valley.pixel(13, lineRow(valley, 13))), 170);
    EXPECT_LT(qGray(valley.pixel(14, 6)), 70); // only background above the floor

    // Terrace 1 holds every input below 0 at 0 and rises to 1 at the right.
    const QImage terrace(kResources + "terrace_1.jpg");
    EXPECT_NEAR(lineRow(terrace, 6), 13.5, 2.0);
    EXPECT_LE(lineRow(terrace, 24), 5);

    // Profile 0 is no profile: a plain diagonal, fainter than a real plot.
    const QImage none(kResources + "curve_0.jpg");
    EXPECT_NEAR(lineRow(none, 6), 21, 2);
    EXPECT_NEAR(lineRow(none, 21), 6, 2);
    EXPECT_LT(qGray(none.pixel(6, lineRow(none, 6))), 150);
}

TEST(ResourcesTest, PluginFolderHasTheMenuIconAndPresetPlaceholder) {
    const QString px = QStringLiteral(MORVANE_PX_DIR "/");
    for (const auto& [installed, source] :
         {std::pair{"icon.png", "icon.png"}, std::pair{"library/none.jpg", "none.jpg"},
          std::pair{"resources/wait.gif", "wait.gif"}}) {
        QFile copy(px + installed), original(kResources + source);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << installed;
        ASSERT_TRUE(original.open(QIODevice::ReadOnly)) << source;
        EXPECT_EQ(copy.readAll(), original.readAll()) << installed;
    }
}

TEST(ResourcesTest, WaitAnimationLoopsThroughSeveralFrames) {
    QMovie movie(kResources + "wait.gif");
    ASSERT_TRUE(movie.isValid());
    EXPECT_GT(movie.frameCount(), 1);
    EXPECT_EQ(movie.loopCount(), -1); // forever
    ASSERT_TRUE(movie.jumpToFrame(0));
    const QImage first = movie.currentImage();
    ASSERT_TRUE(movie.jumpToNextFrame());
    EXPECT_NE(first, movie.currentImage());
    // Transparent around the spinner, opaque on it.
    EXPECT_EQ(qAlpha(first.pixel(32, 32)), 0);
    EXPECT_EQ(qAlpha(first.pixel(32, 12)), 255);
}

} // namespace
} // namespace morvane::testing
