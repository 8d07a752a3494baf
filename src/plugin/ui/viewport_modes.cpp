#include "plugin/ui/viewport_modes.h"

#include "plugin/ui/viewport_tools.h"
#include "recipe/panels/panel_style.h"

#include <QAbstractSlider>
#include <QFrame>
#include <QPushButton>

namespace morvane {

QString modeButtonStyle(const QString& buttonName, bool highlighted) {
    const char* colour = highlighted ? style::kBlue : style::kDark;
    return QStringLiteral("QPushButton#") + buttonName +
           QStringLiteral(" { \nborder-width: 1px;\nborder-style: solid;\nbackground-color: "
                          "rgba(") +
           QLatin1String(colour) +
           QStringLiteral(");\ncolor: rgba(255,255,255,255);\npadding:0px; margin:0px;\n"
                          "border-color: rgba(128,128,128,255);\nfont-size:12px;\n"
                          "font-weight:bold;\n}");
}

std::optional<GLMode> modeForButton(const QString& buttonName) {
    if (buttonName == QLatin1String("glPaintButton"))
        return GLMode::Paint;
    if (buttonName == QLatin1String("glEditButton"))
        return GLMode::Edit;
    if (buttonName == QLatin1String("glTerrainButton"))
        return GLMode::Terrain;
    if (buttonName == QLatin1String("glSkyButton"))
        return GLMode::SkyDome;
    return std::nullopt;
}

void switchGLMode(GLMode mode, ViewportTools& tools, ViewportState& state,
                  QWidget* perpVsNormalSlider) {
    QPushButton* const buttons[] = {tools.paintButton, tools.editButton, tools.terrainButton,
                                    tools.skyButton};
    for (QPushButton* button : buttons)
        button->setStyleSheet(modeButtonStyle(button->objectName(), false));
    QPushButton* chosen = buttons[int(mode) - 1];
    chosen->setStyleSheet(modeButtonStyle(chosen->objectName(), true));

    // Only EDIT keeps the picked item.
    if (mode != GLMode::Edit) {
        state.selectedItem = -1;
        tools.editPanel->hide();
    }
    if (mode == GLMode::Terrain) {
        if (auto* slider = qobject_cast<QAbstractSlider*>(perpVsNormalSlider))
            slider->setValue(slider->minimum());
    }
    const bool sky = mode == GLMode::SkyDome;
    tools.toolFrame->setVisible(!sky);
    tools.modifierToolsFrame->setVisible(!sky);
    tools.skyPanel->setVisible(sky);
    state.mode = mode;
}

} // namespace morvane
