#pragma once

#include "pipeline/pipeline_view.h"

#include <QPointer>

namespace morvane {

class C1;
class D1;
class FF;
class I1;

// Routes the evaluation's previews to the node panels: the inputs to the two
// INPUT panels, the deformers to the two DEFORMER panels, the control noise
// to COMBINER and the final map to the final stage, which also carries the
// refresh button. Panels not set yet (or gone) are skipped.
class PanelPipelineView : public PipelineView {
  public:
    void setPanels(I1* input1, I1* input2, D1* deformer1, D1* deformer2, C1* combiner,
                   FF* finalStage);

    void showPreview(PreviewSlot slot, const QString& pictureFile) override;
    void setRefreshButtonVisible(bool visible) override;

  private:
    QPointer<I1> m_inputs[2];
    QPointer<D1> m_deformers[2];
    QPointer<C1> m_combiner;
    QPointer<FF> m_final;
};

} // namespace morvane
