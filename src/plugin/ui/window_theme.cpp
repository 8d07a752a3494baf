#include "plugin/ui/window_theme.h"

#include "recipe/panels/panel_style.h"

namespace morvane::theme {

QPalette windowPalette() {
    QPalette palette;
    const QColor window(60, 60, 60);
    const QColor base(34, 34, 34);
    const QColor text(220, 220, 220);
    const QColor muted(110, 110, 110);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, QColor(44, 44, 44));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(58, 58, 58));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(255, 195, 0));
    palette.setColor(QPalette::Highlight, QColor(71, 120, 247));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::ToolTipBase, QColor(30, 30, 30));
    palette.setColor(QPalette::ToolTipText, QColor(240, 240, 240));
    palette.setColor(QPalette::Light, QColor(90, 90, 90));
    palette.setColor(QPalette::Midlight, QColor(75, 75, 75));
    palette.setColor(QPalette::Mid, QColor(48, 48, 48));
    palette.setColor(QPalette::Dark, QColor(30, 30, 30));
    palette.setColor(QPalette::Shadow, QColor(15, 15, 15));
    palette.setColor(QPalette::Link, QColor(255, 195, 0));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, muted);
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(44, 44, 44));
    return palette;
}

QString windowStyleSheet() {
    const QString accent = style::rgba(style::kAccent);
    QString sheet = QStringLiteral(R"(
QTabWidget#mainController::pane {
    background-color: rgba(46,46,46,255);
    border: 1px solid rgba(72,72,72,255);
    border-top: 2px solid %1;
    top: -1px;
}
QTabWidget#mainController > QTabBar::tab {
    background-color: rgba(50,50,50,255);
    color: rgba(175,175,175,255);
    border: 1px solid rgba(72,72,72,255);
    border-bottom: none;
    border-top-left-radius: 4px;
    border-top-right-radius: 4px;
    padding: 6px 18px 5px 18px;
    margin-right: 2px;
}
QTabWidget#mainController > QTabBar::tab:selected {
    background-color: %1;
    color: rgba(25,25,25,255);
    border-color: %1;
}
QTabWidget#mainController > QTabBar::tab:hover:!selected:enabled {
    color: %1;
    background-color: rgba(62,62,62,255);
}
QTabWidget#mainController > QTabBar::tab:disabled {
    color: rgba(92,92,92,255);
    background-color: rgba(44,44,44,255);
}
QScrollBar:vertical {
    background: rgba(30,30,30,255);
    width: 11px;
    margin: 0px;
}
QScrollBar:horizontal {
    background: rgba(30,30,30,255);
    height: 11px;
    margin: 0px;
}
QScrollBar::handle:vertical {
    background: %1;
    min-height: 36px;
    border-radius: 4px;
    margin: 2px;
}
QScrollBar::handle:horizontal {
    background: %1;
    min-width: 36px;
    border-radius: 4px;
    margin: 2px;
}
QScrollBar::add-line, QScrollBar::sub-line {
    width: 0px;
    height: 0px;
}
QScrollBar::add-page, QScrollBar::sub-page {
    background: none;
}
QScrollArea {
    background: transparent;
    border: none;
}
QToolTip {
    background-color: rgba(28,28,28,255);
    color: rgba(240,240,240,255);
    border: 1px solid %1;
    padding: 4px;
}
QGroupBox[morvaneCard="true"] {
    background: transparent;
    border: none;
    margin: 0px;
    padding: 0px;
}
QGroupBox[morvaneCard="true"]::title {
    color: transparent;
    width: 0px;
    height: 0px;
}
QFrame[morvaneCard="true"] {
    background-color: rgba(40,40,40,255);
    border: 1px solid rgba(28,28,28,255);
    border-radius: 4px;
}
QFrame[morvaneCard="true"] QLabel, QFrame[morvaneCard="true"] QCheckBox {
    color: rgba(210,210,210,255);
    background: transparent;
    border: none;
}
QFrame[morvaneCard="true"] QCheckBox::indicator {
    width: 13px;
    height: 13px;
    border: 1px solid rgba(110,110,110,255);
    border-radius: 2px;
    background-color: rgba(28,28,28,255);
}
QFrame[morvaneCard="true"] QCheckBox::indicator:checked {
    background-color: %1;
    border-color: %1;
}
QPushButton[morvaneAction="true"] {
    background-color: rgba(52,52,52,255);
    color: rgba(225,225,225,255);
    border: 1px solid rgba(92,92,92,255);
    border-radius: 4px;
    padding: 6px 16px;
    font-weight: bold;
}
QPushButton[morvaneAction="true"]:hover:enabled {
    border-color: %1;
    color: %1;
}
QPushButton[morvaneAction="true"]:pressed {
    background-color: rgba(36,36,36,255);
}
QPushButton[morvaneAction="true"]:disabled {
    color: rgba(100,100,100,255);
    border-color: rgba(66,66,66,255);
}
QPushButton#autoNoiseButton, QPushButton#resetButton, QPushButton#quitButton {
    border: 1px solid rgba(0,0,0,120);
    border-radius: 2px;
}
QPushButton#terraformButton {
    background-color: %1;
    color: rgba(25,25,25,255);
    border: none;
    border-radius: 5px;
    padding: 10px 28px;
    font-size: 18px;
    font-weight: bold;
}
QPushButton#terraformButton:hover:enabled {
    background-color: rgba(255,212,70,255);
}
QPushButton#terraformButton:pressed {
    background-color: rgba(215,160,0,255);
}
QPushButton#terraformButton:disabled {
    background-color: rgba(80,80,80,255);
    color: rgba(130,130,130,255);
}
)");
    return sheet.arg(accent);
}

QString panSliderStyle() {
    QString sheet = QStringLiteral(R"(
QSlider#glVSlider, QSlider#glHSlider {
    background: transparent;
}
QSlider#glVSlider::groove:vertical {
    width: 4px;
    background: rgba(24,24,24,255);
    border-radius: 2px;
}
QSlider#glHSlider::groove:horizontal {
    height: 4px;
    background: rgba(24,24,24,255);
    border-radius: 2px;
}
QSlider#glVSlider::handle:vertical {
    height: 22px;
    margin: 0 -5px;
    background: %1;
    border-radius: 3px;
}
QSlider#glHSlider::handle:horizontal {
    width: 22px;
    margin: -5px 0;
    background: %1;
    border-radius: 3px;
}
QSlider#glVSlider::handle:hover, QSlider#glHSlider::handle:hover {
    background: rgba(255,212,70,255);
}
)");
    return sheet.arg(style::rgba(style::kAccent));
}

QString busyOverlayStyle() {
    return QStringLiteral("* { padding:16px; background-color:rgba(50,50,50,200); "
                          "border-width: 1px; border-style: solid; "
                          "border-color: rgba(128,128,128,255); font-size:32px; width:580px; "
                          "text-align:center; color:") +
           style::rgba(style::kLight) + QStringLiteral("}");
}

QString statusLineStyle() {
    return QStringLiteral("* { background-color:rgba(29,29,29,255); "
                          "color:rgba(248,196,95,255); padding-left:6px; }");
}

QString autoButtonStyle(bool automaticMode) {
    if (!automaticMode)
        return QStringLiteral("* { background-color:rgb(95,95,95); "
                              "color:rgba(255,255,255,255)  }");
    return QStringLiteral("* { background-color:") + style::rgba(style::kAccent) +
           QStringLiteral("; color:rgba(25,25,25,255) }");
}

QString resetButtonStyle() {
    return QStringLiteral("* { background-color:rgb(77,116,255); color:rgba(200,200,200,255) }");
}

QString quitButtonStyle() {
    return QStringLiteral("* { background-color:rgb(165,26,28); color:rgba(200,200,200,255) }");
}

} // namespace morvane::theme
