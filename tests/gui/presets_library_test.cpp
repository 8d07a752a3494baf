#include "panel_test_util.h"

#include "recipe/panels/presets_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPointer>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdlib>

namespace morvane::testing {
namespace {

const QColor kThumbColour(200, 40, 40);
const QColor kDecoyColour(40, 40, 200);
const QColor kPlaceholderColour(40, 190, 60);

bool sameColour(QRgb pixel, const QColor& expected) {
    return std::abs(qRed(pixel) - expected.red()) + std::abs(qGreen(pixel) - expected.green()) +
               std::abs(qBlue(pixel) - expected.blue()) <= 24;
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

    static void touch(const QString& path) { ASSERT_TRUE(writeFile(path)) << path.toStdString(); }

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

    QStringList names;
    for (const QToolButton* button : buttons())
        names << button->objectName();
    const QString native = "__native__" + nativeDir(), user = "__user__" + userDir();
    EXPECT_EQ(names, QStringList({native + "/A.ipf", native + "/b.ipf", native + "/c.ipf",
                                  user + "/x.ipf", user + "/y.ipf"}));

    const QPointer<QToolButton> old = buttons()[0];
    for (const char* name : {"d.ipf", "e.ipf"})
        touch(nativeDir() + '/' + name);
    touch(userDir() + "/w.ipf");
    build();
    EXPECT_TRUE(old.isNull());
    const QList<QToolButton*> list = buttons();
    ASSERT_EQ(list.size(), 8);
    for (const QToolButton* button : list)
        EXPECT_TRUE(button->isVisibleTo(&frame)) << button->objectName().toStdString();
    EXPECT_EQ(list[5]->objectName(), "__user__" + userDir() + "/w.ipf");
    EXPECT_EQ(list[7]->pos().y(), list[0]->pos().y() + 148); // the eighth starts row two
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

} // namespace
} // namespace morvane::testing
