#include "props/item_deletion.h"

#include "common/progress_sink.h"
#include "viewport/viewport_state.h"

namespace morvane {

namespace {

void resetCurrentProp(ViewportState& view) {
    view.currentProp.modelSlot = 0;
    view.currentProp.path.clear();
}

} // namespace

bool deleteSelectedItem(ViewportState& view, ProgressSink& progress) {
    // A selection past the end (the list shrank under it) deletes nothing.
    if (!view.selected())
        return false;
    const auto at = view.items.begin() + (view.selectedItem - 1);
    view.triangleCounter -= at->triangleCount;
    view.items.erase(at);
    view.selectedItem = -1;
    progress.setStatusText(QStringLiteral("object deleted"));
    return true;
}

bool deleteLastItem(ViewportState& view, ProgressSink& progress) {
    if (view.items.empty())
        return false;
    view.triangleCounter -= view.items.back().triangleCount;
    progress.setStatusText(QStringLiteral("object #") + QString::number(view.items.size()) +
                           QStringLiteral(" deleted"));
    view.items.pop_back();
    view.selectedItem = -1;
    return true;
}

void deleteAllItems(ViewportState& view, int terrainTriangles, ProgressSink& progress) {
    view.items.clear();
    resetCurrentProp(view);
    view.selectedItem = -1;
    view.triangleCounter = terrainTriangles;
    progress.setStatusText(QStringLiteral("all objects deleted"));
}

SilentDeletion deleteAllItemsSilently(ViewportState& view) {
    SilentDeletion done;
    if (!view.items.empty()) {
        view.items.clear();
        view.selectedItem = -1;
        view.triangleCounter = 0;
        done.itemsRemoved = true;
    }
    if (view.currentProp.modelSlot >= 1) {
        resetCurrentProp(view);
        done.propReset = true;
    }
    return done;
}

} // namespace morvane
