#pragma once

#include "pipeline/terrain_erosion.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_paths.h"
#include "pipeline/pipeline_state.h"
#include "plugin/ui/morvane_folders.h"
#include "plugin/ui/morvane_window.h"
#include "plugin/ui/panel_pipeline_view.h"
#include "plugin/ui/viewport_pan.h"
#include "plugin/ui/viewport_tools.h"
#include "plugin/ui/window_progress.h"
#include "plugin/ui/window_widgets.h"
#include "common/random_source.h"
#include "sky/sky_state.h"
#include "sky/ui/sky_panel.h"
#include "viewport/viewport_state.h"

#include <QWidget>

#include <memory>

class QTimer;

namespace morvane {

class GLTerrain;
class ItemEditController;
class ViewportDock;
class myLibrary;

// Everything one window build owns. The window goes first when a build is
// destroyed: the panels refer to the driver and the state, the viewport to
// the state and the viewport state.
struct MorvaneWindow::Build {
    MorvaneFolders folders;
    PipelinePaths paths;
    PipelineState state;
    ViewportState viewport;
    WindowProgress progress;
    PanelPipelineView view;
    std::unique_ptr<TerrainErosion> eroder;
    std::unique_ptr<GenerationDriver> driver;
    WindowWidgets w;
    ViewportTools tools;
    ViewportDock* dock = nullptr; // child of the window
    GLTerrain* gl = nullptr;      // child of glFrame for the life of the build
    QTimer* wheelTimer = nullptr; // child of the viewport
    ItemEditController* editing = nullptr; // child of the viewport
    myLibrary* library = nullptr; // child of the window
    int depthBufferBits = 24;     // what the viewport asks for
    PanSliderMemory panVertical;
    PanSliderMemory panHorizontal;
    SkyState sky;
    SkyPanel skyPanel;
    std::unique_ptr<QWidget> window;

    ~Build() { window.reset(); }
};

} // namespace morvane
