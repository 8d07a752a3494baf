#include "plugin/ui/window_geometry.h"
#include "plugin/ui/window_theme.h"
#include "plugin/ui/window_widgets.h"
#include "hostexport/ui/create_tab.h"
#include "props/ui/populate_controls.h"
#include "props/ui/populate_help.h"

#include "recipe/panels/C1.h"
#include "recipe/panels/D1.h"
#include "recipe/panels/FF.h"
#include "recipe/panels/I1.h"
#include "recipe/panels/presets_library.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace morvane {

namespace {

// The viewport frame (the viewport over its tools) and the room the
// vertical pan slider takes beside it.
constexpr int kViewportSide = 760;
constexpr int kViewportAreaWidth = 778;
constexpr int kViewportAreaHeight = 760;
// The bottom bar: one 21-pixel line at the foot of the frame.
constexpr int kBottomBarY = kNominalHeight - 21;
constexpr int kBottomButtonY = kNominalHeight - 19;

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QFrame* card(const char* name) {
    auto* frame = named(new QFrame, name);
    frame->setProperty("morvaneCard", true);
    return frame;
}

QPushButton* actionButton(const QString& text, const char* name) {
    auto* button = named(new QPushButton(text), name);
    button->setProperty("morvaneAction", true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QPushButton* bottomButton(QWidget* parent, const QString& text, const char* name, int x,
                          const QString& style) {
    auto* button = named(new QPushButton(text, parent), name);
    button->setGeometry(x, kBottomButtonY, 56, 17);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(style);
    QFont font = button->font();
    font.setPixelSize(10);
    font.setBold(true);
    button->setFont(font);
    return button;
}

QWidget* viewportSlot(const char* name) {
    auto* slot = named(new QWidget, name);
    slot->setFixedSize(kViewportAreaWidth, kViewportAreaHeight);
    return slot;
}

// Page layout of the three pages that show the viewport: the viewport slot
// with what goes under it on the left, the page's own column on the right.
QVBoxLayout* splitPage(QWidget* page, QWidget* slot, QLayout* right) {
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(2, 4, 2, 2);
    row->setSpacing(4);
    auto* left = new QVBoxLayout;
    left->setSpacing(10);
    left->addWidget(slot);
    row->addLayout(left);
    row->addLayout(right, 1);
    return left;
}

QGroupBox* nodeCard(QWidget* panel, const char* name) {
    auto* group = named(new QGroupBox, name);
    group->setProperty("morvaneCard", true);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    return group;
}

} // namespace

void buildWindowFrame(WindowWidgets& w, const QString& resourcesDir) {
    w.ecoWin = named(new QWidget(nullptr, Qt::Window), "ecoWin");
    w.ecoWin->setWindowModality(Qt::WindowModal);
    w.ecoWin->setPalette(theme::windowPalette());
    w.ecoWin->setAutoFillBackground(true);
    w.ecoWin->setStyleSheet(theme::windowStyleSheet());

    auto* outer = new QVBoxLayout(w.ecoWin);
    outer->setContentsMargins(0, 0, 0, 0);
    w.ecoScrollArea = named(new QScrollArea, "ecoScrollArea");
    w.ecoScrollArea->setFrameShape(QFrame::NoFrame);
    w.ecoScrollArea->setAlignment(Qt::AlignCenter);
    outer->addWidget(w.ecoScrollArea);

    w.ecoFrame = named(new QFrame, "ecoFrame");
    w.ecoFrame->setFixedSize(kNominalWidth, kNominalHeight);
    w.ecoFrame->setStyleSheet(
        QStringLiteral("QFrame#ecoFrame { background-color:rgba(40,40,40,255); border:1px solid "
                       "rgba(82,82,82,255); }"));
    w.ecoScrollArea->setWidget(w.ecoFrame);

    w.ecoGridLayout = new QGridLayout(w.ecoFrame);
    w.ecoGridLayout->setObjectName(QStringLiteral("ecoGridLayout"));
    w.ecoGridLayout->setContentsMargins(2, 3, 2, kNominalHeight - kBottomBarY + 3);
    w.mainController = named(new QTabWidget, "mainController");
    w.mainController->setUsesScrollButtons(false);
    w.ecoGridLayout->addWidget(w.mainController, 0, 0);
    w.terrainTab = named(new QWidget, "terrainTab");
    w.populateTab = named(new QWidget, "populateTab");
    w.genesisTab = named(new QWidget, "genesisTab");
    w.presetsTab = named(new QWidget, "presetsTab");
    w.setupTab = named(new QWidget, "setupTab");
    w.aboutTab = named(new QWidget, "aboutTab");
    w.viewportSlots[0] = viewportSlot("terrainViewportSlot");
    w.viewportSlots[1] = viewportSlot("populateViewportSlot");
    w.viewportSlots[2] = viewportSlot("genesisViewportSlot");

    // Made after the controller so it is stacked above the pages.
    w.viewportArea = named(new QFrame(w.ecoFrame), "glViewportArea");
    w.viewportArea->setFixedSize(kViewportAreaWidth, kViewportAreaHeight);
    w.glFrame = named(new QFrame(w.viewportArea), "glFrame");
    w.glFrame->setGeometry(0, 0, kViewportSide, kViewportSide);
    w.glFrame->setStyleSheet(
        QStringLiteral("QFrame#glFrame { background-color:rgba(40,40,40,255); border:none; }"));
    // Placed and ranged with the viewport they move.
    w.glVSlider = named(new QSlider(Qt::Vertical, w.viewportArea), "glVSlider");
    w.glVSlider->setToolTip(QStringLiteral("drag to pan the view up or down"));
    w.glHSlider = named(new QSlider(Qt::Horizontal, w.glFrame), "glHSlider");
    w.glHSlider->setToolTip(QStringLiteral("drag to pan the view sideways"));
    w.viewportArea->setStyleSheet(theme::panSliderStyle());

    // Bottom bar.
    auto* bar = named(new QFrame(w.ecoFrame), "bottomBar");
    bar->setGeometry(1, kBottomBarY, kNominalWidth - 2, 20);
    bar->setStyleSheet(QStringLiteral("QFrame#bottomBar { background-color:rgba(29,29,29,255); "
                                      "border-top:1px solid rgba(60,60,60,255); }"));
    w.statusLine = named(new QLabel(w.ecoFrame), "statusLine");
    w.statusLine->setGeometry(1, kBottomBarY, 830, 21);
    w.statusLine->setStyleSheet(theme::statusLineStyle());
    w.triangleCounter =
        named(new QLabel(QStringLiteral("triangles: 0"), w.ecoFrame), "triangleCountLabel");
    w.triangleCounter->setGeometry(832, kBottomBarY, 146, 21);
    w.triangleCounter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.triangleCounter->setStyleSheet(
        QStringLiteral("* { background-color:rgba(29,29,29,255); color:rgba(200,200,200,255); "
                       "padding-right:8px; }"));
    w.triangleCounter->hide();
    w.populateHelp = named(new QLabel(w.ecoFrame), "triggerPopulateHelpLabel");
    const QPixmap help(resourcesDir + QStringLiteral("/help.png"));
    if (help.isNull())
        w.populateHelp->setText(QStringLiteral("?"));
    else
        w.populateHelp->setPixmap(
            help.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    // Shrunk to one pixel off POPULATE: that pixel is the icon's empty corner.
    w.populateHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w.populateHelp->setGeometry(kNominalWidth - 216, kBottomButtonY, 1, 1);
    w.autoButton = bottomButton(w.ecoFrame, QStringLiteral("AUTO"), "autoNoiseButton",
                                kNominalWidth - 190, theme::autoButtonStyle(true));
    w.autoButton->setToolTip(QStringLiteral("Set automatic noise updates ON or OFF"));
    w.resetButton = bottomButton(w.ecoFrame, QStringLiteral("RESET"), "resetButton",
                                 kNominalWidth - 130, theme::resetButtonStyle());
    w.quitButton = bottomButton(w.ecoFrame, QStringLiteral("QUIT"), "quitButton",
                                kNominalWidth - 70, theme::quitButtonStyle());

    // Over the viewport while the mouse rests on the help label.
    w.populateHelpFrame = buildPopulateHelpFrame(w.ecoFrame, resourcesDir);
    w.populateHelp->installEventFilter(
        new PopulateLabelHelpFilter(w.populateHelpFrame, w.viewportArea, w.populateHelp));

    // Last, so it covers everything while it is up.
    w.busyOverlay = named(new QLabel(w.ecoFrame), "busyOverlayLabel");
    w.busyOverlay->setGeometry(365, 360, 400, 160);
    w.busyOverlay->setAlignment(Qt::AlignCenter);
    w.busyOverlay->setAutoFillBackground(true);
    w.busyOverlay->setStyleSheet(theme::busyOverlayStyle());
    w.busyOverlay->hide();
}

void fillTerraformPage(WindowWidgets& w) {
    auto* right = new QVBoxLayout;
    auto* scroll = named(new QScrollArea, "terraformScrollArea");
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    w.panelColumn = named(new QWidget, "terraformPanelColumn");
    auto* column = new QVBoxLayout(w.panelColumn);
    column->setContentsMargins(0, 0, 2, 6);
    column->setSpacing(6);
    const char* names[5] = {"input1Group", "input2Group", "deformer1Group", "deformer2Group",
                            "combinerGroup"};
    QWidget* panels[5] = {w.inputs[0], w.inputs[1], w.deformers[0], w.deformers[1], w.combiner};
    for (int i = 0; i < 5; ++i) {
        w.panelGroups[i] = nodeCard(panels[i], names[i]);
        column->addWidget(w.panelGroups[i]);
    }
    w.finalGroup = nodeCard(w.finalStage, "finalGroup");
    column->addWidget(w.finalGroup);
    column->addStretch(1);
    scroll->setWidget(w.panelColumn);
    // The page's own background shows between the cards.
    scroll->viewport()->setAutoFillBackground(false);
    w.panelColumn->setAutoFillBackground(false);
    right->addWidget(scroll);

    QVBoxLayout* left = splitPage(w.terrainTab, w.viewportSlots[0], right);
    auto* actions = new QHBoxLayout;
    actions->setContentsMargins(2, 0, 12, 0);
    w.customControlsFrame = named(new QFrame, "customControlsFrame");
    auto* custom = new QHBoxLayout(w.customControlsFrame);
    custom->setContentsMargins(0, 0, 0, 0);
    custom->setSpacing(8);
    w.loadTerrainObjButton = actionButton(QStringLiteral("LOAD .OBJ"), "loadTerrainObjButton");
    w.savePresetButton = actionButton(QStringLiteral("SAVE PRESET"), "savePresetButton");
    w.savePresetButton->setToolTip(QStringLiteral("save the current recipe as a preset"));
    custom->addWidget(w.loadTerrainObjButton);
    custom->addWidget(w.savePresetButton);
    actions->addWidget(w.customControlsFrame);
    actions->addStretch(1);
    w.terraformButton = named(new QPushButton(QStringLiteral("TERRAFORM !")), "terraformButton");
    w.terraformButton->setCursor(Qt::PointingHandCursor);
    w.terraformButton->setToolTip(QStringLiteral("build the 512 x 512 terrain from the final map"));
    w.terraformButton->setMinimumWidth(240);
    actions->addWidget(w.terraformButton);
    left->addLayout(actions);
    left->addStretch(1);
}

void fillPopulatePage(WindowWidgets& w) {
    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 2, 6, 0);
    QFrame* controls = card("populateControlsFrame");
    auto* form = new QFormLayout(controls);
    form->setContentsMargins(12, 10, 12, 10);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    w.ecoInstances = named(new QSpinBox, "glEcoInstancesSpinBox");
    w.ecoInstances->setRange(1, 1000);
    w.ecoInstances->setValue(5);
    w.ecoInstances->setFixedWidth(96);
    // No style sheet rule names it, so it keeps the dark palette its card
    // (which a rule styles) would not hand down.
    w.ecoInstances->setPalette(theme::windowPalette());
    w.ecoInstances->setToolTip(
        QStringLiteral("set the number of instances to be deployed with each click"));
    form->addRow(
        named(new QLabel(QStringLiteral("eco instances | brush int.")), "glEcoInstancesLabel"),
        w.ecoInstances);
    w.populate = new PopulateControls(form, w.ecoInstances, w.populateTab);
    right->addWidget(controls);
    // Filled by the prop library once the viewport exists.
    w.libraryFrame = named(new QFrame, "LibraryFrame");
    w.libraryFrame->setMinimumHeight(360);
    right->addWidget(w.libraryFrame, 1);
    QVBoxLayout* left = splitPage(w.populateTab, w.viewportSlots[1], right);
    left->addStretch(1);
}

void fillCreatePage(WindowWidgets& w, CreateTab* createTab) {
    auto* right = new QVBoxLayout;
    w.createTab = createTab;
    if (createTab)
        right->addWidget(createTab);
    right->addStretch(1);
    QVBoxLayout* left = splitPage(w.genesisTab, w.viewportSlots[2], right);
    left->addStretch(1);
}

void fillPresetsPage(WindowWidgets& w) {
    auto* layout = new QVBoxLayout(w.presetsTab);
    layout->setContentsMargins(4, 4, 4, 4);
    w.presetsScrollArea = named(new QScrollArea, "presetsScrollArea");
    w.presetsScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.presetsScrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    w.presetsScrollArea->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    w.presetsLibrary = new PresetsLibrary;
    if (w.presetsLibrary->objectName().isEmpty())
        w.presetsLibrary->setObjectName(QStringLiteral("presetsFrame"));
    w.presetsScrollArea->setWidget(w.presetsLibrary);
    layout->addWidget(w.presetsScrollArea);
}

void fillSetupPage(WindowWidgets& w) {
    auto* layout = new QVBoxLayout(w.setupTab);
    layout->setContentsMargins(12, 12, 12, 12);
    w.vboFrame = card("vboFrame");
    auto* row = new QHBoxLayout(w.vboFrame);
    row->setContentsMargins(14, 10, 14, 10);
    w.vboCheckBox =
        named(new QCheckBox(QStringLiteral("use Vertex Buffer Objects:")), "vboCheckBox");
    // The box after its label, as the label's colon asks for.
    w.vboCheckBox->setLayoutDirection(Qt::RightToLeft);
    row->addWidget(w.vboCheckBox);
    row->addStretch(1);
    layout->addWidget(w.vboFrame);
    w.librariesFrame = card("librariesFrame");
    layout->addWidget(w.librariesFrame);
    layout->addStretch(1);
}

void fillAboutPage(WindowWidgets& w, const QString& resourcesDir) {
    auto* layout = new QVBoxLayout(w.aboutTab);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(18);
    auto* logo = named(new QLabel, "aboutLogoLabel");
    logo->setAlignment(Qt::AlignCenter);
    const QPixmap picture(resourcesDir + QStringLiteral("/logo.png"));
    if (picture.isNull()) {
        logo->setText(QStringLiteral("MORVANE"));
        logo->setStyleSheet(QStringLiteral("* { color:rgba(255,195,0,255); font-size:56px; "
                                           "font-weight:bold; }"));
    } else {
        logo->setPixmap(picture);
    }
    auto* text = named(new QLabel(QStringLiteral(
                           "MORVANE 1.1 — shape procedural terrains from noise, populate them "
                           "with props and build the scene in Studio.")),
                       "aboutTextLabel");
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setStyleSheet(QStringLiteral("* { color:rgba(200,200,200,255); font-size:15px; }"));
    layout->addStretch(2);
    layout->addWidget(logo);
    layout->addWidget(text);
    layout->addStretch(3);
}

void addControllerTabs(WindowWidgets& w) {
    // The controller's font is meant for the tab labels; the pages keep the
    // ordinary one.
    const QFont ordinary = QApplication::font();
    const QFont pageFont(ordinary.family(), ordinary.pointSize() > 0 ? ordinary.pointSize() : 9,
                         QFont::Normal, false);
    const std::pair<QWidget*, const char*> tabs[] = {
        {w.terrainTab, "TERRAFORM"}, {w.populateTab, "POPULATE"}, {w.genesisTab, "CREATE"},
        {w.presetsTab, "PRESETS"},   {w.setupTab, "SETUP"},       {w.aboutTab, "ABOUT"}};
    // The controller's style sheet gives it the application's palette; the
    // pages take the window's again.
    const QPalette palette = theme::windowPalette();
    for (const auto& [page, title] : tabs) {
        page->setFont(pageFont);
        page->setPalette(palette);
        w.mainController->addTab(page, QLatin1String(title));
    }
    QFont font(QStringLiteral("Helvetica"), 14);
    font.setBold(true);
    font.setWeight(75);
    w.mainController->setFont(font);
}

void titleNodePanels(WindowWidgets& w) {
    const char* titles[5] = {"INPUT 1", "INPUT 2", "DEFORMER 1", "DEFORMER 2", "COMBINER"};
    for (int i = 0; i < 5; ++i)
        w.panelGroups[i]->setTitle(QLatin1String(titles[i]));
}

} // namespace morvane
