#pragma once

#include <QPalette>
#include <QString>

namespace morvane::theme {

// The dark palette every widget of the window inherits.
QPalette windowPalette();
// The window-wide style sheet: controller tabs, scroll bars, node cards,
// tool tips and the window's own buttons. Panels key their own sheets by
// object name and win where both say something. The bottom buttons keep
// their colours in sheets of their own; the shape comes from here.
QString windowStyleSheet();

// The two pan sliders beside and under the viewport: a thin groove with a
// handle that stands out from it.
QString panSliderStyle();

QString busyOverlayStyle();
QString statusLineStyle();
QString autoButtonStyle(bool automaticMode);
QString resetButtonStyle();
QString quitButtonStyle();

} // namespace morvane::theme
