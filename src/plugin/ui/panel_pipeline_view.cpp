#include "plugin/ui/panel_pipeline_view.h"

#include "recipe/panels/C1.h"
#include "recipe/panels/D1.h"
#include "recipe/panels/FF.h"
#include "recipe/panels/I1.h"

namespace morvane {

void PanelPipelineView::setPanels(I1* input1, I1* input2, D1* deformer1, D1* deformer2,
                                  C1* combiner, FF* finalStage) {
    m_inputs[0] = input1;
    m_inputs[1] = input2;
    m_deformers[0] = deformer1;
    m_deformers[1] = deformer2;
    m_combiner = combiner;
    m_final = finalStage;
}

void PanelPipelineView::showPreview(PreviewSlot slot, const QString& pictureFile) {
    switch (slot) {
    case PreviewSlot::Input1:
    case PreviewSlot::Input2:
        if (I1* panel = m_inputs[slot == PreviewSlot::Input1 ? 0 : 1])
            panel->showPreview(pictureFile);
        break;
    case PreviewSlot::Deformer1:
    case PreviewSlot::Deformer2:
        if (D1* panel = m_deformers[slot == PreviewSlot::Deformer1 ? 0 : 1])
            panel->showPreview(pictureFile);
        break;
    case PreviewSlot::ControlNoise:
        if (m_combiner)
            m_combiner->showPreview(pictureFile);
        break;
    case PreviewSlot::Final:
        if (m_final)
            m_final->showPreview(pictureFile);
        break;
    }
}

void PanelPipelineView::setRefreshButtonVisible(bool visible) {
    if (m_final)
        m_final->setRefreshButtonVisible(visible);
}

} // namespace morvane
