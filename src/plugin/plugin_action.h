#pragma once

#include "dzcreateitemaction.h"

#include <QString>

namespace morvane {
class MorvaneWindow;
}

// "New MORVANE Scene Objects...": the create-item action the host lists in
// its Create menu. Running it opens the MORVANE window; the window's slots
// are reachable through the action, so the host's scripts can drive it.
class DzMorvanePluginAction : public DzCreateItemAction {
    Q_OBJECT
public:
    DzMorvanePluginAction();
    ~DzMorvanePluginAction() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    // The host plug-ins path, with Windows separators on Windows.
    virtual QString getPluginPath() const;
    bool isWindowOpen() const;

    // Forwarded to the window; nothing happens while it is closed.
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
    void resetView();
    void setVBOState(int state);
    void loadCustomTerrain();
    void panVertical(int value);
    void panVerticalValueChanged(int value);
    void panVerticalReset();
    void panHorizontal(int value);
    void panHorizontalValueChanged(int value);
    void panHorizontalReset();
    // Loads a prop as a double click in the library tree does; 0 when it
    // is ready to paint, else the failure's code, -1 while the window is
    // closed.
    int loadProp(const QString& pp2File);
    void addPoserLibrary();
    void discardPoserLibrary();
    // "regen sky texture": writes the sky map of the chosen size.
    void regenerateSkyDomeTexture();

    // "CREATE Studio SCENE !": builds the host scene from the window's
    // terrain, items, sky and CREATE settings, as the button does.
    void createDAZScene();
    // The per-node steps of a build: the exported terrain <name>.obj of the
    // maps folder as the terrain node; a prop file loaded and placed under
    // it; the last node cloned and placed. Positions in scene units, scales
    // as factors; the overall scale is not applied.
    void loadTerrainOBJ(float x, float y, float z, int xRot, int yRot, int zRot, float scale,
                        const QString& terrainName);
    void loadPP2(float x, float y, float z, int xRot, int yRot, int zRot, float scale,
                 float scaleX, float scaleY, float scaleZ, const QString& oFile);
    void duplicateNode(int i, float X, float Y, float Z, int xRot, int yRot, int zRot,
                       float scale, float scaleX, float scaleY, float scaleZ);
    // The normal map slots of the CREATE tab.
    void generateFinalNormalMap(bool isFinal, bool manualUpdate);
    void generateFinalNormalMap();
    void generateFinalNormalCustomSize();
    void setNormalMapControls();
    void setNormalMapControls(const QString& item);

protected slots:
    // Opens the window, or raises it when it is open already.
    void executeAction() override;

private:
    morvane::MorvaneWindow* openWindow() const;

    // <plug-ins path>/morvanePX. A Windows build would keep a "\" twin for
    // the host's calls; here both spellings are this one.
    QString m_pluginFolder;
    morvane::MorvaneWindow* m_window = nullptr; // child of the action, made on first run
};
