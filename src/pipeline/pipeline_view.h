#pragma once

#include <QString>

namespace morvane {

// The preview labels an evaluation updates.
enum class PreviewSlot { Input1, Input2, Deformer1, Deformer2, ControlNoise, Final };

// What the pipeline shows in the window besides progress texts: the preview
// labels and the refresh button of manual mode. The window implements it;
// headless runs use the null view.
class PipelineView {
public:
    virtual ~PipelineView() = default;
    virtual void showPreview(PreviewSlot slot, const QString& pictureFile) = 0;
    virtual void setRefreshButtonVisible(bool visible) = 0;
};

class NullPipelineView : public PipelineView {
public:
    void showPreview(PreviewSlot, const QString&) override {}
    void setRefreshButtonVisible(bool) override {}
};

} // namespace morvane
