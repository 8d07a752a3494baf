#include "window_fixture.h"

#include "common/random_source.h"
#include "pipeline/pipeline_state.h"
#include "props/pp2_reader.h"
#include "props/prop_loading.h"
#include "props/terrain_cell.h"
#include "props/ui/prop_display_lists.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace morvane::testing {
namespace {

// "good" holds props (referenced, inline, two broken); "bare" has no Runtime folder.
class PropLibraryTest : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        good = m_root.filePath("good");
        bare = m_root.filePath("bare");
        props = good + "/Runtime/Libraries/Props";
        ASSERT_TRUE(QDir().mkpath(props));
        ASSERT_TRUE(QDir().mkpath(good + "/Runtime/Geometries"));
        ASSERT_TRUE(QDir().mkpath(bare));
        ASSERT_TRUE(writeFile(good + "/Runtime/Geometries/cube.obj",
                              "v -1 0 -1\nv 1 0 -1\nv 1 2 -1\nv -1 2 -1\n"
                              "v -1 0 1\nv 1 0 1\nv 1 2 1\nv -1 2 1\n"
                              "f 1 2 3 4\nf 5 8 7 6\nf 1 5 6 2\nf 4 3 7 8\n"));
        crate = prop("crate.pp2",
                     "prop crate\n\t{\n\tobjFileGeom 0 0 :Runtime:Geometries:cube.obj\n\t}\n");
        flat = prop("flat.pp2", "prop flat\n\t{\n\tgeomCustom\n\t\t{\n\t\tnumbVerts 3\n"
                                "\t\tv 0 0 0\n\t\tv 4 0 0\n\t\tv 0 0 3\n\t\tf 1 2 3\n\t\t}\n\t}\n");
        empty = prop("empty.pp2", "prop empty\n\t{\n\t}\n");
        lost = prop("lost.pp2", "objFileGeom 0 0 :Runtime:Geometries:gone.obj\n");
        environment.contentDirectories = QStringList{good, bare};
        environment.random = &random;
        openWindowWithViewport();
    }
    QString prop(const QString& name, const QByteArray& text) const {
        const QString path = props + '/' + name;
        EXPECT_TRUE(writeFile(path, text));
        return path;
    }
    QString status() const { return find<QLabel>("statusLine")->text(); }
    QListWidget* list(const char* name) const { return find<QListWidget>(name); }
    QTreeView* tree() const { return find<QTreeView>("libTree"); }
    // The tree's row of a file, once the file-system model has read it.
    QModelIndex treeIndex(const QString& path) const {
        auto* model = qobject_cast<QFileSystemModel*>(tree()->model());
        QModelIndex index;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            index = model->index(path);
            return index.isValid() && model->rowCount(tree()->rootIndex()) > 0;
        }));
        return index;
    }
    QStringList texts(QListWidget* widget) const {
        QStringList all;
        for (int i = 0; i < widget->count(); ++i)
            all << widget->item(i)->text();
        return all;
    }

    SequenceRandomSource random{3};
    QString good, bare, props, crate, flat, empty, lost;
};

TEST_F(PropLibraryTest, LibraryWithoutPropsFolderHidesTheTreeAndWarns) {
    EXPECT_EQ(texts(list("libraryList")), QStringList({good, bare}));
    EXPECT_EQ(tree()->rootIndex(), treeIndex(props));

    list("libraryList")->setCurrentRow(1);
    const QString warning = "Warning: library " + bare + " not found, or no Runtime folder in it!";
    EXPECT_TRUE(tree()->isHidden());
    EXPECT_EQ(status(), warning);
    EXPECT_TRUE(readFile(dataDir() + "/logFile.txt").contains((warning + "\n").toUtf8()));

    list("libraryList")->setCurrentRow(0);
    EXPECT_FALSE(tree()->isHidden());
    EXPECT_EQ(status(), "");
}

TEST_F(PropLibraryTest, DoubleClickLoadsThePropIntoTheNextSlotForPainting) {
    controller()->setTabEnabled(1, true);
    controller()->setCurrentIndex(1);
    const QModelIndex index = treeIndex(crate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree()->visualRect(index).isValid(); }));
    const QPoint at = tree()->visualRect(index).center();
    // The sky's stars drew from the window's sequence already: continue from here.
    SequenceRandomSource expected = random;
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, at);

    const CurrentProp& prop = view->currentProp;
    EXPECT_EQ(prop.path, crate);
    EXPECT_EQ(prop.colour, drawPropColour(expected));
    EXPECT_EQ(prop.boxMax, (std::array<float, 3>{1, 2, 1}));
    EXPECT_EQ(prop.triangleCount, 8);
    EXPECT_EQ(view->mode, GLMode::Paint);
    EXPECT_EQ(status(), "loaded prop: " + crate + " in slot #1");
    EXPECT_NE(gl->propLists().list(1), 0u);

    // The frame highlights the prop in hand until a deletion drops it.
    auto* frame = window->window()->findChild<QFrame*>("propFrame");
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->styleSheet().contains("71,120,247,255"));
    gl->deleteAllObjectsSilent();
    EXPECT_FALSE(frame->styleSheet().contains("71,120,247,255"));
}

TEST_F(PropLibraryTest, FailedLoadShowsItsBoxAndGivesTheSlotBack) {
    ASSERT_EQ(window->loadProp(crate), 0);
    const std::tuple<QString, int, const char*> cases[] = {
        {empty, kPp2NoReference,
         "There was a problem loading this prop: no reference to external obj's found."},
        {lost, kPp2ObjMissing,
         "There was a problem loading this prop: one or more obj files not found."}};
    for (const auto& [file, result, box] : cases) {
        SCOPED_TRACE(file.toStdString());
        prompts.warnings.clear();
        EXPECT_EQ(window->loadProp(file), result);
        ASSERT_EQ(prompts.warnings.size(), 1u);
        EXPECT_EQ(prompts.warnings[0].second, box);
        EXPECT_EQ(gl->propLists().currentSlot(), 1);
        EXPECT_FALSE(view->currentProp.chosen());
        EXPECT_EQ(view->mode, GLMode::Edit);
    }
    // The freed slot goes to the next prop.
    EXPECT_EQ(window->loadProp(flat), 0);
    EXPECT_EQ(view->currentProp.modelSlot, 2);
}

TEST_F(PropLibraryTest, FullSlotTableRefusesTheLoadAndKeepsThePropInHand) {
    ASSERT_EQ(window->loadProp(crate), 0);
    gl->propLists().setCurrentSlot(kLastPropSlot);
    view->currentProp.modelSlot = kLastPropSlot;
    const CurrentProp before = view->currentProp;

    EXPECT_EQ(window->loadProp(flat), kPropSlotsFull);
    ASSERT_EQ(prompts.warnings.size(), 1u);
    EXPECT_EQ(prompts.warnings[0].second,
              "There was a problem loading this prop: all 255 prop slots are in use. Delete all "
              "items to free them.");
    EXPECT_EQ(gl->propLists().currentSlot(), kLastPropSlot);
    EXPECT_EQ(view->currentProp.path, before.path);

    // Deleting every prop list frees the table again.
    gl->makeCurrent();
    gl->propLists().deleteAll();
    EXPECT_EQ(window->loadProp(flat), 0);
    EXPECT_EQ(view->currentProp.modelSlot, 1);
}

// End to end: a shipped tree stood on the terrain draws tall, green, mid-view.
TEST_F(PropLibraryTest, ShippedTreeShowsInTheViewportWhereItsItemStands) {
    find<QPushButton>("terraformButton")->click();
    ASSERT_TRUE(pipeline->terrainExists);
    const QString pine =
        QStringLiteral(MORVANE_SOURCE_DIR) +
        "/host/content/MORVANE Samples/Runtime/Libraries/Props/MORVANE/Pine Tree.pp2";
    ASSERT_EQ(window->loadProp(pine), 0);
    view->mode = GLMode::Edit; // no thumbnail over the picture
    gl->updateGL();
    const QImage bare = gl->grabFrameBuffer();

    const int size = pipeline->finalStage.terrainSize();
    const std::array<float, 2> grid = gridPoint(size, 0.0f, 0.0f);
    const std::optional<TerrainCell> cell = terrainCellAt(pipeline->terrain, grid[0], grid[1]);
    ASSERT_TRUE(cell);
    ItemRecord item;
    const CurrentProp& in = view->currentProp;
    item.position = {0.0f, surfaceAt(pipeline->terrain, *cell).height, 0.0f};
    item.propFile = pine;
    item.modelSlot = in.modelSlot;
    item.colour = {0.2f, 1.0f, 0.2f};
    item.boxMin = in.boxMin, item.boxMax = in.boxMax, item.triangleCount = in.triangleCount;
    view->items.push_back(item);
    gl->updateGL();
    const QImage painted = gl->grabFrameBuffer();

    ASSERT_EQ(bare.size(), painted.size());
    QRect changed;
    int greener = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            const QRgb before = bare.pixel(x, y), after = painted.pixel(x, y);
            if (before == after)
                continue;
            changed |= QRect(x, y, 1, 1);
            greener += qGreen(after) > qRed(after) + 20 && qGreen(after) > qBlue(after) + 20;
        }
    ASSERT_FALSE(changed.isEmpty());
    // About 9 m on a terrain of 100: a few dozen pixels high.
    EXPECT_GT(changed.height(), 20);
    EXPECT_LT(changed.height(), 200);
    EXPECT_GT(changed.height(), changed.width());
    EXPECT_LT(std::abs(changed.center().x() - painted.width() / 2), 30);
    EXPECT_GT(greener, changed.width() * changed.height() / 5);
}

} // namespace
} // namespace morvane::testing
