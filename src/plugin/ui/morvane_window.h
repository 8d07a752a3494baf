#pragma once

#include "viewport/viewport_state.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace morvane {

class EventLog;
class FileEventLog;
class HostScene;
class GLTerrain;
struct PipelineState;
class QtUserPrompts;
class RandomSource;
class SeedSource;
class UserPrompts;

// What the window needs from its host.
struct MorvaneEnvironment {
    QString pluginsPath;   // host plug-ins folder; the plug-in folder is <this>/morvanePX
    QString documentsPath; // host documents folder; the data folder is <this with "Studio4" ->
                           // "Studio">/morvanePX
    UserPrompts* prompts = nullptr; // dialogs; null: real Qt dialogs
    SeedSource* seeds = nullptr;    // null: seeds from the clock
    RandomSource* random = nullptr; // painting's and prop colours' draws; null: a fixed sequence
    int threadCount = 0;            // sampling threads, 0 = every core
    QStringList contentDirectories; // the host's Poser content folders, in its order
    // Makes the host scene "CREATE Studio SCENE !" builds into, once, with
    // the window's log and random source; none: the button says there is
    // no host scene.
    std::function<std::unique_ptr<HostScene>(EventLog&, RandomSource&)> hostScene;
};

// The MORVANE window and everything it owns for one build: folders, log
// file, pipeline state and driver, panels, tabs, bottom bar and busy
// overlay. `open()` runs the start-up; QUIT and RESET tear it down (RESET
// builds it again at once). The plug-in action forwards its slots here.
class MorvaneWindow : public QObject {
    Q_OBJECT
  public:
    explicit MorvaneWindow(const MorvaneEnvironment& environment, QObject* parent = nullptr);
    ~MorvaneWindow() override;

    // Runs the start-up and shows the window. Returns false when the
    // documents folder is missing (the error box was shown and the host
    // asked to quit).
    bool open();
    bool isOpen() const;
    // The top-level window `ecoWin`; null when closed.
    QWidget* window() const;
    // What the open window works with; null when closed. For the host's
    // scripts and for tests.
    GLTerrain* viewport() const;
    ViewportState* viewportState() const;
    PipelineState* pipelineState() const;

  protected:
    // Closing `ecoWin` from its title bar asks like QUIT does.
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The window was torn down by QUIT.
    void closed();

  public slots:
    void generatePreviewTerrain();
    void savePreset();
    void loadPreset(const QString& presetFile, int presetType);
    void buildPresetsLibrary();
    void presetItemClicked();
    void setAutoNoiseMode();
    void updateTab(int index);
    void selectedTab(const QString& name);
    void quitMorvane();
    void resetMorvane();
    void m_focusTerrainGL();

    // The viewport: mode buttons (the sender's name picks the mode), reset
    // view, the buffer-object switch, custom OBJ terrains and the two pan
    // sliders.
    void setGLMode();
    void resetView();
    void setVBOState(int state);
    void loadCustomTerrain();
    void panVertical(int value);
    void panVerticalValueChanged(int value);
    void panVerticalReset();
    void panHorizontal(int value);
    void panHorizontalValueChanged(int value);
    void panHorizontalReset();

    // The prop library: loads a .pp2 as a double click in the tree does
    // (0 when it is ready to paint, else the failure's code; -1 while
    // closed), and moves libraries between the SETUP lists.
    int loadProp(const QString& pp2File);
    void addPoserLibrary();
    void discardPoserLibrary();
    // "regen sky texture" (the sky map controls' own slot).
    void regenerateSkyDomeTexture();

    // The CREATE tab: "CREATE Studio SCENE !" and the normal map.
    void createDAZScene();
    void generateFinalNormalMap(bool isFinal, bool manualUpdate);
    void generateFinalNormalMap();
    void generateFinalNormalCustomSize();
    void setNormalMapControls();
    void setNormalMapControls(const QString& item);

  public:
    // The host scene of the CREATE tab's builds; null without a host.
    HostScene* hostScene();
    // The maps folder of the data folder; empty while closed.
    QString mapsDir() const;
    // The morph percentage slider's value; 0 while closed.
    int morphPercentage() const;

  private:
    struct Build;
    enum class Teardown { None, Quit, Reset };

    UserPrompts& prompts();
    SeedSource& seeds();
    RandomSource& random();
    void buildWindow(Build& build);
    // Start-up step 10: the viewport, its wheel timer and its tools.
    void buildViewport(Build& build);
    // Painting, the deletions and the triangle label.
    void connectPainting(Build& build);
    void switchMode(GLMode mode);
    void syncPanels();
    // A terrain exists: POPULATE and CREATE open, POPULATE shown.
    void openTerrainTabs();
    // Switching to CREATE: what a custom terrain allows, the normal map's
    // preview, bounding boxes for heavy scenes.
    void prepareCreateTab();
    // QUIT and RESET after the question: at once, or once the long
    // operation that let the click through has ended.
    void requestTeardown(Teardown kind);
    void runPendingTeardown();
    void teardown(Teardown kind);

    MorvaneEnvironment m_environment;
    // Kept across builds: RESET rewrites the log, only QUIT closes it.
    std::unique_ptr<FileEventLog> m_log;
    std::unique_ptr<QtUserPrompts> m_ownPrompts; // when the host gave none
    std::unique_ptr<SeedSource> m_ownSeeds;      // when the host gave none
    std::unique_ptr<RandomSource> m_ownRandom;   // when the host gave none
    Teardown m_pendingTeardown = Teardown::None;
    bool m_creatingScene = false; // a scene build lets events through
    std::unique_ptr<Build> m_build; // null while closed
    // Kept across builds: it holds the terrain node props are parented to.
    std::unique_ptr<HostScene> m_hostScene;
};

} // namespace morvane
