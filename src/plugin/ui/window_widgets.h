#pragma once

#include <QString>

class QCheckBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSlider;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace morvane {

class C1;
class CreateTab;
class D1;
class FF;
class I1;
class PopulateControls;
class PresetsLibrary;

// The widgets of one window build. The window `ecoWin` owns them all.
struct WindowWidgets {
    QWidget* ecoWin = nullptr;
    QScrollArea* ecoScrollArea = nullptr; // lets a small desktop scroll the fixed frame
    QFrame* ecoFrame = nullptr;
    QGridLayout* ecoGridLayout = nullptr;
    QTabWidget* mainController = nullptr;
    QWidget* terrainTab = nullptr;
    QWidget* populateTab = nullptr;
    QWidget* genesisTab = nullptr;
    QWidget* presetsTab = nullptr;
    QWidget* setupTab = nullptr;
    QWidget* aboutTab = nullptr;
    // Where the viewport area sits on the TERRAFORM, POPULATE and CREATE pages.
    QWidget* viewportSlots[3] = {};

    // The viewport area: glFrame holds the 3D viewport and its tools, the
    // pan sliders run along the viewport's right and bottom edges.
    QFrame* viewportArea = nullptr;
    QFrame* glFrame = nullptr;
    QSlider* glVSlider = nullptr;
    QSlider* glHSlider = nullptr;

    QLabel* statusLine = nullptr;
    QLabel* triangleCounter = nullptr;
    QLabel* populateHelp = nullptr; // `triggerPopulateHelpLabel`
    QPushButton* autoButton = nullptr;
    QPushButton* resetButton = nullptr;
    QPushButton* quitButton = nullptr;
    QLabel* busyOverlay = nullptr;

    // TERRAFORM
    QWidget* panelColumn = nullptr;
    QGroupBox* panelGroups[5] = {}; // INPUT 1, INPUT 2, DEFORMER 1, DEFORMER 2, COMBINER
    QGroupBox* finalGroup = nullptr;
    I1* inputs[2] = {};
    D1* deformers[2] = {};
    C1* combiner = nullptr;
    FF* finalStage = nullptr;
    QFrame* customControlsFrame = nullptr;
    QPushButton* loadTerrainObjButton = nullptr;
    QPushButton* savePresetButton = nullptr;
    QPushButton* terraformButton = nullptr;

    // POPULATE
    QSpinBox* ecoInstances = nullptr; // `glEcoInstancesSpinBox`
    PopulateControls* populate = nullptr; // the painting controls below it
    QFrame* populateHelpFrame = nullptr;  // `HelpLabel`, shown over the viewport
    QFrame* libraryFrame = nullptr;   // `LibraryFrame`: the prop library browser

    // CREATE
    CreateTab* createTab = nullptr;

    // PRESETS
    QScrollArea* presetsScrollArea = nullptr;
    PresetsLibrary* presetsLibrary = nullptr;

    // SETUP
    QFrame* vboFrame = nullptr;
    QCheckBox* vboCheckBox = nullptr;
    QFrame* librariesFrame = nullptr; // the active and disabled prop libraries
};

// The window with its frame, the viewport area, the controller and its six
// empty pages (not yet added as tabs), the bottom bar and the busy overlay.
// `resourcesDir` holds the pictures the window shows.
void buildWindowFrame(WindowWidgets& w, const QString& resourcesDir);

// The node panels on the TERRAFORM page with the buttons under the viewport.
void fillTerraformPage(WindowWidgets& w);
void fillPopulatePage(WindowWidgets& w);
// `createTab` (the CREATE controls) goes beside the viewport.
void fillCreatePage(WindowWidgets& w, CreateTab* createTab);
void fillPresetsPage(WindowWidgets& w);
void fillSetupPage(WindowWidgets& w);
void fillAboutPage(WindowWidgets& w, const QString& resourcesDir);

// Adds the six pages as tabs and gives the controller its font.
void addControllerTabs(WindowWidgets& w);
// Titles the five node panels.
void titleNodePanels(WindowWidgets& w);

} // namespace morvane
