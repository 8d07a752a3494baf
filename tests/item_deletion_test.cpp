#include "pipeline_fixture.h"

#include "props/item_deletion.h"
#include "viewport/viewport_state.h"

#include <tuple>

namespace morvane {
namespace {

using testing::RecordingProgress;

// Four items numbered 0 to 3 with 10, 20, 30 and 40 triangles on a
// terrain of 1000, painted with the prop in slot 2.
class ItemDeletionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            ItemRecord item;
            item.itemNumber = i;
            item.triangleCount = 10 * (i + 1);
            view.items.push_back(item);
        }
        view.triangleCounter = 1100;
        view.currentProp.path = QStringLiteral("/props/tree.pp2");
        view.currentProp.modelSlot = 2;
    }
    std::vector<int> numbers() const {
        std::vector<int> out;
        for (const ItemRecord& item : view.items)
            out.push_back(item.itemNumber);
        return out;
    }

    ViewportState view;
    RecordingProgress progress;
};

TEST_F(ItemDeletionTest, DeletingTheSelectedItemKeepsLaterItemNumbers) {
    view.selectedItem = 2;
    EXPECT_TRUE(deleteSelectedItem(view, progress));
    EXPECT_EQ(numbers(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(std::make_pair(view.triangleCounter, view.selectedItem), std::make_pair(1080, -1));
    EXPECT_EQ(progress.events, QStringList{"status:object deleted"});

    // No selection, or one past the end of the list: nothing happens.
    for (int selection : {-1, 0, 4, 100}) {
        view.selectedItem = selection;
        EXPECT_FALSE(deleteSelectedItem(view, progress)) << selection;
        EXPECT_EQ(view.items.size(), 3u);
    }
    EXPECT_EQ(progress.events.size(), 1);
}

TEST_F(ItemDeletionTest, DeletingTheLastItemNamesTheCountBefore) {
    view.selectedItem = 1;
    EXPECT_TRUE(deleteLastItem(view, progress));
    EXPECT_EQ(numbers(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(std::make_pair(view.triangleCounter, view.selectedItem), std::make_pair(1060, -1));
    EXPECT_EQ(progress.events, QStringList{"status:object #4 deleted"});
    view.items.clear();
    EXPECT_FALSE(deleteLastItem(view, progress));
    EXPECT_EQ(progress.events.size(), 1);
}

TEST_F(ItemDeletionTest, DeletingAllRestartsTheCounterAtTheTerrainAndDropsTheProp) {
    view.selectedItem = 3;
    deleteAllItems(view, kGeneratedTerrainTriangles, progress);
    EXPECT_EQ(std::make_tuple(view.items.size(), view.triangleCounter, view.selectedItem,
                              view.currentProp.modelSlot, view.currentProp.path.isEmpty()),
              std::make_tuple(size_t(0), 522242, -1, 0, true));
    EXPECT_EQ(progress.events, QStringList{"status:all objects deleted"});
}

TEST_F(ItemDeletionTest, SilentDeletionEmptiesTheListAndResetsAPropInUse) {
    struct Row {
        const char* what;
        bool items;
        int slot;
        bool removed, reset;
        int counter;
    };
    const Row rows[] = {
        {"items and a prop", true, 2, true, true, 0},
        {"items, no prop slot", true, 0, true, false, 0},
        {"no items, a prop", false, 5, false, true, 1100},
        {"nothing", false, 0, false, false, 1100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SetUp();
        if (!row.items)
            view.items.clear();
        view.currentProp.modelSlot = row.slot;
        view.selectedItem = row.items ? 2 : -1;
        const SilentDeletion done = deleteAllItemsSilently(view);
        EXPECT_EQ(std::make_pair(done.itemsRemoved, done.propReset),
                  std::make_pair(row.removed, row.reset));
        EXPECT_EQ(std::make_tuple(view.items.size(), view.selectedItem, view.triangleCounter,
                                  view.currentProp.modelSlot, view.currentProp.path.isEmpty()),
                  std::make_tuple(size_t(0), -1, row.counter, 0, row.reset));
        view.items.clear(); // SetUp() adds the four items again
    }
    EXPECT_TRUE(progress.events.isEmpty());
}

} // namespace
} // namespace morvane
