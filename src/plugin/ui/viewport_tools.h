#pragma once

#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRect;
class QSlider;
class QSpinBox;
class QWidget;

namespace morvane {

// The controls under the 3D viewport: mode buttons and reset view, camera
// and light sliders, texture buttons and switches, the modifier tool strip,
// the item edit panel and the place the sky panel will take.
struct ViewportTools {
    QFrame* area = nullptr;               // `glToolArea`, the 200 pixels under the viewport
    QFrame* modeFrame = nullptr;          // `glModeFrame`
    QPushButton* terrainButton = nullptr; // `glTerrainButton`
    QPushButton* paintButton = nullptr;   // `glPaintButton`
    QPushButton* editButton = nullptr;    // `glEditButton`
    QPushButton* skyButton = nullptr;     // `glSkyButton`
    QPushButton* resetViewButton = nullptr;

    // The viewport tool frame: hidden in SKY DOME mode.
    QFrame* toolFrame = nullptr; // `glToolFrame`
    QSlider* cameraSpeedSlider = nullptr;
    QLabel* cameraSpeedLabel = nullptr;
    QSlider* lightPitchSlider = nullptr;
    QLabel* lightPitchLabel = nullptr;
    QSlider* lightAzimuthSlider = nullptr;
    QLabel* lightAzimuthLabel = nullptr;
    QSlider* lightIntensitySlider = nullptr;
    QLabel* lightIntensityLabel = nullptr;
    QPushButton* referenceTextureButton = nullptr;
    QPushButton* maskTextureButton = nullptr;
    QCheckBox* referenceTextureCheckBox = nullptr;
    QCheckBox* maskTextureCheckBox = nullptr;
    QCheckBox* maskDisplayCheckBox = nullptr;

    QFrame* modifierToolsFrame = nullptr;     // `glModifierToolsFrame`
    QPushButton* boundingBoxButton = nullptr; // `glEnableBoundingBoxFeatureButton`
    QPushButton* itemStackButton = nullptr;   // `glItemStackButton`
    QPushButton* belowZeroButton = nullptr;   // `glDeformBelowZeroButton`
    QPushButton* repositionButton = nullptr;  // `glRepositionItemsButton`

    // Undo and redo of sculpting, painting and item edits, under reset view.
    QPushButton* undoButton = nullptr; // `glUndoButton`
    QPushButton* redoButton = nullptr; // `glRedoButton`

    // Shown while an item is picked in EDIT mode.
    QFrame* editPanel = nullptr;   // `glEditPanelFrame`
    QSpinBox* xRotation = nullptr; // `glXRotCurrentSpinBox`
    QSpinBox* yRotation = nullptr;
    QSpinBox* zRotation = nullptr;
    QSpinBox* xScale = nullptr; // `glscaleCurrentXSpinBox`
    QSpinBox* yScale = nullptr;
    QSpinBox* zScale = nullptr;
    QSpinBox* yOffset = nullptr; // `glYOffsetSpinBox`

    // Empty until the sky controls exist; shown in SKY DOME mode only.
    QFrame* skyPanel = nullptr; // `glSkyPanelFrame`
};

// Camera speed slider start: 2 on Windows, 5 elsewhere.
int cameraSpeedStart();

// Builds the tool area as a child of `parent` at `geometry`. Sliders start
// at their start values and labels read accordingly; nothing is connected.
// `resourcesDir` holds the tool icons.
ViewportTools buildViewportTools(QWidget* parent, const QRect& geometry,
                                 const QString& resourcesDir);

// The bounding-box button's style: highlighted while the navigation proxy
// option is on.
QString boundingBoxButtonStyle(bool on);

// A tool toggle's style: its picture from the resources folder on the
// highlight colour while on, on the normal colour while off.
QString toolToggleStyle(const QString& objectName, const QString& imageFile, bool on);

} // namespace morvane
