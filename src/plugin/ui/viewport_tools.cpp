#include "plugin/ui/viewport_tools.h"

#include "plugin/platform.h"
#include "plugin/ui/viewport_modes.h"
#include "recipe/panels/panel_style.h"
#include "recipe/panels/panel_widgets.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace morvane {

namespace {

constexpr int kModeButtonWidth = 100;
constexpr int kModeButtonHeight = 24;
constexpr int kModeFrameWidth = 108;

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A dark card like the node cards, its controls styled by its own sheet.
QFrame* toolCard(const char* name, QWidget* parent) {
    auto* card = named(new QFrame(parent), name);
    card->setProperty("morvaneCard", true);
    card->setStyleSheet(panel::cardStyleSheet(QLatin1String(name)) + QLatin1Char('#') +
                        QLatin1String(name) +
                        QStringLiteral(" QCheckBox { color: rgba(200,200,200,255); "
                                       "font-size: 10px; }\n"));
    return card;
}

QPushButton* historyButton(QWidget* frame, const char* name, const char* text, const char* tip,
                           int x);
QPushButton* toolToggle(QWidget* frame, const char* name, const char* image, const char* tip,
                        const QString& resourcesDir);

QPushButton* modeButton(QWidget* frame, const char* name, const char* text, const char* tip,
                        int y) {
    auto* button = named(new QPushButton(QLatin1String(text), frame), name);
    button->setGeometry(4, y, kModeButtonWidth, kModeButtonHeight);
    button->setToolTip(QLatin1String(tip));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(modeButtonStyle(button->objectName(), false));
    // The style sets a bold 12 px font; a condensed face keeps "TERRAIN
    // MODE" inside the 100 pixels.
    QFont font = button->font();
    font.setStretch(QFont::Condensed);
    button->setFont(font);
    return button;
}

// A labelled horizontal slider that never takes the keyboard focus: keys
// belong to the viewport.
QSlider* toolSlider(QVBoxLayout* column, QWidget* card, const char* name, const char* labelName,
                    int minimum, int maximum, int start, QLabel** label) {
    *label = named(new QLabel(card), labelName);
    auto* slider = named(new QSlider(Qt::Horizontal, card), name);
    slider->setRange(minimum, maximum);
    slider->setValue(start);
    slider->setFocusPolicy(Qt::NoFocus);
    column->addWidget(*label);
    column->addWidget(slider);
    return slider;
}

QSpinBox* editSpinBox(QWidget* card, const char* name, int minimum, int maximum, const char* tip) {
    auto* spin = named(new QSpinBox(card), name);
    spin->setRange(minimum, maximum);
    spin->setAlignment(Qt::AlignRight);
    spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spin->setToolTip(QLatin1String(tip));
    spin->setFixedWidth(48);
    return spin;
}

QLabel* cardHeader(const char* text, const char* name, QWidget* card) {
    return panel::sectionHeader(QLatin1String(text), QLatin1String(name), card);
}

void buildModeFrame(ViewportTools& t, QWidget* area) {
    t.modeFrame = named(new QFrame(area), "glModeFrame");
    t.modeFrame->setFixedWidth(kModeFrameWidth);
    t.terrainButton =
        modeButton(t.modeFrame, "glTerrainButton", "TERRAIN MODE", "enter terrain Mode", 4);
    t.paintButton = modeButton(t.modeFrame, "glPaintButton", "PAINT MODE", "enter paint Mode", 32);
    t.editButton = modeButton(t.modeFrame, "glEditButton", "EDIT MODE", "enter edit Mode", 60);
    t.skyButton = modeButton(t.modeFrame, "glSkyButton", "SKY DOME", "enter skydome Mode", 88);
    t.resetViewButton =
        named(new QPushButton(QStringLiteral("reset view"), t.modeFrame), "glResetViewButton");
    t.resetViewButton->setGeometry(4, 118, kModeButtonWidth, kModeButtonHeight);
    t.resetViewButton->setToolTip(QStringLiteral("look at the whole terrain, or at the picked "
                                                 "item"));
    t.resetViewButton->setFocusPolicy(Qt::NoFocus);
    t.resetViewButton->setCursor(Qt::PointingHandCursor);
    t.resetViewButton->setStyleSheet(
        QStringLiteral("QPushButton#glResetViewButton { border:1px solid ") +
        style::rgba(style::kAccent) +
        QStringLiteral("; border-radius:2px; background-color:rgba(36,36,36,255); color:") +
        style::rgba(style::kAccent) +
        QStringLiteral("; font-size:11px; font-weight:bold; padding:0px; margin:0px; }\n"
                       "QPushButton#glResetViewButton:hover { background-color:") +
        style::rgba(style::kAccent) + QStringLiteral("; color:rgba(25,25,25,255); }"));
    t.undoButton = historyButton(t.modeFrame, "glUndoButton", "undo",
                                 "undo the last stroke or item change (Ctrl+Z)", 4);
    t.redoButton = historyButton(t.modeFrame, "glRedoButton", "redo",
                                 "redo what was undone (Ctrl+Shift+Z)", 4 + kModeButtonWidth / 2 + 2);
}

QFrame* buildViewCard(ViewportTools& t, QWidget* parent) {
    QFrame* card = toolCard("glViewCard", parent);
    card->setFixedWidth(236);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(10, 6, 10, 8);
    column->setSpacing(1);
    column->addWidget(cardHeader("CAMERA AND LIGHT", "glViewHeaderLabel", card));
    const int speed = cameraSpeedStart();
    t.cameraSpeedSlider = toolSlider(column, card, "glCameraSpeedSlider", "glCameraSpeedLabel", 1,
                                     20, speed, &t.cameraSpeedLabel);
    t.cameraSpeedLabel->setText(QStringLiteral("camera speed: ") + QString::number(speed));
    t.cameraSpeedSlider->setToolTip(QStringLiteral("how far each mouse, wheel or key event "
                                                   "moves the camera"));
    t.lightPitchSlider = toolSlider(column, card, "glLightPitchSlider", "glLightPitchLabel", 0, 90,
                                    90, &t.lightPitchLabel);
    t.lightPitchLabel->setText(QStringLiteral("openGL light pitch: 90") + QChar(0x00B0));
    t.lightAzimuthSlider = toolSlider(column, card, "glLightAzimuthSlider", "glLightAzimuthLabel",
                                      0, 360, 45, &t.lightAzimuthLabel);
    t.lightAzimuthLabel->setText(QStringLiteral("openGL light azimuth: 45") + QChar(0x00B0));
    t.lightIntensitySlider =
        toolSlider(column, card, "glLightIntensitySlider", "glLightIntensityLabel", 0, 100, 100,
                   &t.lightIntensityLabel);
    t.lightIntensityLabel->setText(QStringLiteral("openGL light intensity: 100%"));
    column->addStretch(1);
    return card;
}

QFrame* buildTextureCard(ViewportTools& t, QWidget* parent) {
    QFrame* card = toolCard("glTextureCard", parent);
    card->setFixedWidth(178);
    auto* grid = new QGridLayout(card);
    grid->setContentsMargins(10, 6, 10, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(5);
    grid->addWidget(cardHeader("TERRAIN TEXTURES", "glTextureHeaderLabel", card), 0, 0, 1, 2);

    t.referenceTextureButton =
        named(new QPushButton(QStringLiteral("reference..."), card), "glReferenceTextureButton");
    t.referenceTextureButton->setToolTip(
        QStringLiteral("drape a picture over the terrain as a reference"));
    t.referenceTextureCheckBox =
        named(new QCheckBox(QStringLiteral("on"), card), "glReferenceTextureCheckBox");
    t.referenceTextureCheckBox->setToolTip(QStringLiteral("show the reference texture"));

    t.maskTextureButton =
        named(new QPushButton(QStringLiteral("mask..."), card), "glMaskTextureButton");
    t.maskTextureButton->setToolTip(
        QStringLiteral("load a mask picture: painting keeps to its light parts"));
    t.maskTextureCheckBox =
        named(new QCheckBox(QStringLiteral("on"), card), "glMaskTextureCheckBox");
    t.maskTextureCheckBox->setToolTip(QStringLiteral("honour the mask while painting"));
    t.maskDisplayCheckBox =
        named(new QCheckBox(QStringLiteral("show mask on terrain"), card), "glMaskDisplayCheckBox");
    t.maskDisplayCheckBox->setToolTip(QStringLiteral("draw the mask over the terrain"));

    for (QWidget* w : {static_cast<QWidget*>(t.referenceTextureButton),
                       static_cast<QWidget*>(t.maskTextureButton),
                       static_cast<QWidget*>(t.referenceTextureCheckBox),
                       static_cast<QWidget*>(t.maskTextureCheckBox),
                       static_cast<QWidget*>(t.maskDisplayCheckBox)})
        w->setFocusPolicy(Qt::NoFocus);
    t.referenceTextureButton->setCursor(Qt::PointingHandCursor);
    t.maskTextureButton->setCursor(Qt::PointingHandCursor);

    grid->addWidget(t.referenceTextureButton, 1, 0);
    grid->addWidget(t.referenceTextureCheckBox, 1, 1);
    grid->addWidget(t.maskTextureButton, 2, 0);
    grid->addWidget(t.maskTextureCheckBox, 2, 1);
    grid->addWidget(t.maskDisplayCheckBox, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(4, 1);
    return card;
}

void buildModifierTools(ViewportTools& t, QWidget* parent, const QString& resourcesDir) {
    t.modifierToolsFrame = toolCard("glModifierToolsFrame", parent);
    t.modifierToolsFrame->setFixedWidth(36);
    auto* column = new QVBoxLayout(t.modifierToolsFrame);
    column->setContentsMargins(5, 8, 5, 8);
    column->setSpacing(6);
    t.boundingBoxButton =
        named(new QPushButton(t.modifierToolsFrame), "glEnableBoundingBoxFeatureButton");
    t.boundingBoxButton->setFixedSize(24, 24);
    t.boundingBoxButton->setIcon(QIcon(resourcesDir + QStringLiteral("/tool_bounding_all.png")));
    t.boundingBoxButton->setIconSize(QSize(20, 20));
    t.boundingBoxButton->setToolTip(
        QStringLiteral("enable/disable bounding boxes during camera action"));
    t.boundingBoxButton->setFocusPolicy(Qt::NoFocus);
    t.boundingBoxButton->setCursor(Qt::PointingHandCursor);
    t.boundingBoxButton->setStyleSheet(boundingBoxButtonStyle(false));
    column->addWidget(t.boundingBoxButton, 0, Qt::AlignHCenter);
    t.itemStackButton = toolToggle(t.modifierToolsFrame, "glItemStackButton", "tool_stack.png",
                                   "allow to stack items over each other", resourcesDir);
    t.belowZeroButton = toolToggle(t.modifierToolsFrame, "glDeformBelowZeroButton",
                                   "tool_below0.png", "allow deforming terrain below 0",
                                   resourcesDir);
    t.repositionButton =
        toolToggle(t.modifierToolsFrame, "glRepositionItemsButton", "tool_reposition.png",
                   "reposition items at the proper height", resourcesDir);
    for (QPushButton* button : {t.itemStackButton, t.belowZeroButton, t.repositionButton})
        column->addWidget(button, 0, Qt::AlignHCenter);
    column->addStretch(1);
}

void buildEditPanel(ViewportTools& t, QWidget* parent) {
    t.editPanel = toolCard("glEditPanelFrame", parent);
    t.editPanel->setFixedWidth(196);
    auto* grid = new QGridLayout(t.editPanel);
    grid->setContentsMargins(10, 6, 10, 8);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    grid->addWidget(cardHeader("PICKED ITEM", "glEditHeaderLabel", t.editPanel), 0, 0, 1, 4);
    const char* axes[3] = {"x", "y", "z"};
    for (int i = 0; i < 3; ++i) {
        auto* axis = new QLabel(QLatin1String(axes[i]), t.editPanel);
        axis->setAlignment(Qt::AlignCenter);
        grid->addWidget(axis, 1, i + 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("rotation"), t.editPanel), 2, 0);
    t.xRotation = editSpinBox(t.editPanel, "glXRotCurrentSpinBox", -359, 359,
                              "change selected item X-Rot angle");
    t.yRotation = editSpinBox(t.editPanel, "glYRotCurrentSpinBox", -359, 359,
                              "change selected item Y-Rot angle");
    t.zRotation = editSpinBox(t.editPanel, "glZRotCurrentSpinBox", -359, 359,
                              "change selected item Z-Rot angle");
    grid->addWidget(t.xRotation, 2, 1);
    grid->addWidget(t.yRotation, 2, 2);
    grid->addWidget(t.zRotation, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("scale %"), t.editPanel), 3, 0);
    t.xScale = editSpinBox(t.editPanel, "glscaleCurrentXSpinBox", -1000, 1000,
                           "decrease/increase item X scale");
    t.yScale = editSpinBox(t.editPanel, "glscaleCurrentYSpinBox", -1000, 1000,
                           "decrease/increase item Y scale");
    t.zScale = editSpinBox(t.editPanel, "glscaleCurrentZSpinBox", -1000, 1000,
                           "decrease/increase item Z scale");
    grid->addWidget(t.xScale, 3, 1);
    grid->addWidget(t.yScale, 3, 2);
    grid->addWidget(t.zScale, 3, 3);
    grid->addWidget(new QLabel(QStringLiteral("height"), t.editPanel), 4, 0);
    t.yOffset = editSpinBox(t.editPanel, "glYOffsetSpinBox", -999999, 999999,
                            "offset the item on the Y axis");
    t.yOffset->setFixedWidth(100);
    grid->addWidget(t.yOffset, 4, 1, 1, 3);
    grid->setRowStretch(5, 1);
    for (QSpinBox* spin :
         {t.xRotation, t.yRotation, t.zRotation, t.xScale, t.yScale, t.zScale, t.yOffset})
        spin->setValue(0);
    t.editPanel->hide();
}

QPushButton* toolToggle(QWidget* frame, const char* name, const char* image, const char* tip,
                        const QString& resourcesDir) {
    auto* button = named(new QPushButton(frame), name);
    button->setFixedSize(24, 24);
    button->setToolTip(QLatin1String(tip));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(
        toolToggleStyle(button->objectName(), resourcesDir + QLatin1Char('/') + image, false));
    return button;
}

QPushButton* historyButton(QWidget* frame, const char* name, const char* text, const char* tip,
                           int x) {
    auto* button = named(new QPushButton(QLatin1String(text), frame), name);
    button->setGeometry(x, 148, kModeButtonWidth / 2 - 2, kModeButtonHeight - 2);
    button->setToolTip(QLatin1String(tip));
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setEnabled(false);
    const QString id = QLatin1Char('#') + button->objectName();
    button->setStyleSheet(
        QStringLiteral("QPushButton") + id +
        QStringLiteral(" { border:1px solid rgb(128,128,128); border-radius:2px; "
                       "background-color:rgba(36,36,36,255); color:rgba(220,220,220,255); "
                       "font-size:10px; padding:0px; margin:0px; }\nQPushButton") +
        id + QStringLiteral(":disabled { color:rgba(100,100,100,255); }\nQPushButton") + id +
        QStringLiteral(":hover:enabled { background-color:") + style::rgba(style::kBlue) +
        QStringLiteral("; }"));
    return button;
}

} // namespace

int cameraSpeedStart() {
    return kPlatformName == QLatin1String("Windows") ? 2 : 5;
}

QString boundingBoxButtonStyle(bool on) {
    return QStringLiteral("QPushButton#glEnableBoundingBoxFeatureButton { border:1px solid "
                          "rgb(128,128,128); border-radius:2px; padding:0px; margin:0px; "
                          "background-color:") +
           style::rgba(on ? style::kBlue : style::kDark) + QStringLiteral("; }");
}

QString toolToggleStyle(const QString& objectName, const QString& imageFile, bool on) {
    return QStringLiteral("QPushButton#") + objectName +
           QStringLiteral(" { border:1px solid rgb(128,128,128); border-radius:2px; padding:2px; "
                          "margin:0px; background-color:") +
           style::rgba(on ? style::kBlue : style::kDark) + QStringLiteral("; image:url(") +
           imageFile + QStringLiteral("); }");
}

ViewportTools buildViewportTools(QWidget* parent, const QRect& geometry,
                                 const QString& resourcesDir) {
    ViewportTools t;
    t.area = named(new QFrame(parent), "glToolArea");
    t.area->setGeometry(geometry);
    auto* row = new QHBoxLayout(t.area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    buildModeFrame(t, t.area);
    row->addWidget(t.modeFrame);

    t.toolFrame = named(new QFrame(t.area), "glToolFrame");
    auto* tools = new QHBoxLayout(t.toolFrame);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(6);
    tools->addWidget(buildViewCard(t, t.toolFrame));
    tools->addWidget(buildTextureCard(t, t.toolFrame));
    row->addWidget(t.toolFrame);

    buildModifierTools(t, t.area, resourcesDir);
    row->addWidget(t.modifierToolsFrame);

    // Last of the tools: showing it takes room from the stretch at the end
    // and moves nothing else.
    buildEditPanel(t, t.area);
    row->addWidget(t.editPanel);

    t.skyPanel = toolCard("glSkyPanelFrame", t.area);
    t.skyPanel->hide();
    // The sky panel, when shown, takes all the room; otherwise the spacer does.
    row->addWidget(t.skyPanel, 1);
    row->addStretch(0);
    return t;
}

} // namespace morvane
