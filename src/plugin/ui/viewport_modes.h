#pragma once

#include "viewport/viewport_state.h"

#include <QString>

#include <optional>

class QWidget;

namespace morvane {

struct ViewportTools;

// A mode button's style sheet, in the normal or the highlight colour.
QString modeButtonStyle(const QString& buttonName, bool highlighted);

// The mode a mode button selects; nothing for any other name.
std::optional<GLMode> modeForButton(const QString& buttonName);

// The mode switch: restyles the four buttons, clears the selection and
// hides the edit panel for PAINT, TERRAIN and SKY DOME, swaps the tool
// frames for the sky panel in SKY DOME mode and back in the others, and
// sets the mode. TERRAIN also returns `perpVsNormalSlider` (the painting
// slider; null while it does not exist) to its minimum. Focus is the
// caller's.
void switchGLMode(GLMode mode, ViewportTools& tools, ViewportState& state,
                  QWidget* perpVsNormalSlider);

} // namespace morvane
