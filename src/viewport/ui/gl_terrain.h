#pragma once

#include "viewport/gl_camera.h"

#include <QGLWidget>
#include <QImage>
#include <QString>

#include <memory>

class QTimer;

namespace morvane {

struct SurfaceHit;
class EventLog;
class ProgressSink;
class UserPrompts;
struct ObjModel;
struct PipelinePaths;
struct PipelineState;
struct TerrainArrays;
struct ViewportState;
struct ItemRecord;
class PropDisplayLists;
class RandomSource;
struct SkyState;

// What the viewport works with: the pipeline state (terrain arrays, terrain
// size, terrain flags), the viewport-wide state (mode, selection, items),
// the user's dialogs, the status line and the log.
struct ViewportContext {
    PipelineState& pipeline;
    ViewportState& viewport;
    UserPrompts& prompts;
    ProgressSink& progress; // status line texts
    EventLog& log;
    const PipelinePaths& paths;
};

// The 3D viewport: draws the generated terrain (client arrays, buffer
// objects, or the decimated proxy while the camera moves) or a custom OBJ
// terrain, the painted items, the brush, the orientation gizmo and the prop
// thumbnail; turns mouse, wheel and keys into camera moves, picking and the
// current mode's action.
class GLTerrain : public QGLWidget {
    Q_OBJECT
public:
    GLTerrain(const QGLFormat& format, const ViewportContext& context, QWidget* parent = nullptr);
    ~GLTerrain() override;

    QSize sizeHint() const override;

    glCamera& camera() { return m_camera; }
    NavigationPosition& navigation() { return m_navigation; }
    float cameraSpeed() const { return m_cameraSpeed; }
    void setCameraSpeed(float speed) { m_cameraSpeed = speed; }
    double farPlane() const { return m_farPlane; }
    // Sets the far plane and re-applies the projection.
    void setFarPlane(double farPlane);

    // After every terrain build: the four blocks of the full set into the
    // array buffer (when buffer objects are in use), buffers grown first if
    // the terrain needs more than they hold. A terrain built before the GL
    // context exists is uploaded when the context is set up.
    void uploadTerrainBuffers();
    // After a deformation: positions and normals only.
    void uploadPositionsAndNormals();

    // Installs an OBJ terrain (facet and smoothed normals computed by the
    // caller) drawn at `scalePercent`, compiling its display list; the log
    // gets "terrain DL stored in slot #<id>". Returns the triangle count.
    int setCustomTerrain(std::unique_ptr<ObjModel> model, float scalePercent);
    // Drops the custom terrain model and its display list.
    void discardCustomTerrain();
    const ObjModel* customTerrain() const { return m_customTerrain.get(); }
    float customTerrainScale() const { return m_customTerrainScale; }

    // The 256 prop display lists (compiled by the prop library).
    PropDisplayLists& propLists();

    // Selection at a widget pixel (the picking pass). Returns the hit count
    // (negative when the selection buffer overflowed) and, in EDIT mode,
    // updates the selection and asks the window to show the edit panel.
    int pick(int x, int y);
    // The world point under a widget pixel, read back from the depth buffer;
    // `depth` receives the depth read there (1.0 on the background).
    std::array<double, 3> surfacePoint(int x, int y, float* depth = nullptr);
    // The same with its depth, as painting takes it.
    SurfaceHit surfaceHit(int x, int y);
    // The colour of the last frame at a widget pixel (red, green, blue in 0..1).
    std::array<float, 3> pixelColour(int x, int y);
    // Triangles of the terrain alone: the OBJ terrain's, or the grid's.
    int terrainTriangles() const;
    // Moves the brush centre to the surface point when it lies on the
    // generated terrain; keeps it otherwise.
    void updateBrushCentre(int x, int y);

    // Textures chosen in the viewport's dialogs.
    const QImage& maskImage() const { return m_maskImage; }
    QString lastImageFolder() const { return m_lastImageFolder; }
    void setLastImageFolder(const QString& folder) { m_lastImageFolder = folder; }

    bool referenceTextureOn() const { return m_referenceOn; }
    bool maskOn() const { return m_maskOn; }
    bool maskDisplayOn() const { return m_maskDisplay; }

    // The selected prop's preview, drawn in PAINT mode (the prop library
    // binds it through the viewport).
    void setPropThumbnail(const QImage& image);

    // The window's sky, drawn in SKY DOME mode and changed by the sky
    // slots; `stars` places new stars. Set before the GL context exists.
    void setSky(SkyState* sky, RandomSource* stars);
    SkyState* sky() const { return m_sky; }

signals:
    // Label texts of the viewport's tool panel.
    void cameraSpeedLabelChanged(const QString& text);
    void lightPitchLabelChanged(const QString& text);
    void lightAzimuthLabelChanged(const QString& text);
    void lightIntensityLabelChanged(const QString& text);
    // Check boxes the texture dialogs tick.
    void referenceTextureLoaded();
    void maskTextureLoaded();
    // The navigation-proxy option changed (the button restyles itself).
    void boundingAllChanged(bool on);
    // Picking in EDIT mode selected an item (show the edit panel) or
    // cleared the selection (hide it).
    void itemPicked(int itemNumber);
    void selectionCleared();
    // Hooks for the painting, item editing and terrain sculpting that come
    // with later work: a left press or drag in the mode that wants it.
    void paintRequested(int x, int y, bool multiple);
    void moveSelectedItemRequested(int x, int y);
    void deformRequested(int x, int y);
    void deleteCurrentObjectRequested();
    // The item list or the terrain changed outside a mouse stroke (a
    // deletion, an edit box, a re-seat): the undo history records a step.
    // Mouse strokes (press to release) are recorded at the release.
    void itemsEdited(const QString& action);
    // The left button went up after a press that acted in the current
    // mode: one sculpt stroke, paint drag or item drag is over.
    void strokeFinished();
    // Ctrl+Z and Ctrl+Shift+Z reached the viewport itself (the window's
    // shortcuts take them first while the window is active).
    void undoRequested();
    void redoRequested();
    // Focus leaves the populate spin boxes when the mouse enters.
    void mouseEnteredViewport();
    // A deletion changed the triangle counter (the label shows it).
    void triangleCounterChanged(int triangles);
    // A deletion asks the prop library to clear its frame highlight, and
    // the window to switch to EDIT mode.
    void propHighlightCleared();
    void editModeRequested();
    // A sky slot changed a parameter: the label of that slider (a
    // SkySlider value) reads `text`.
    void skyLabelChanged(int slider, const QString& text);
    // "reset sky dome": the sky panel moves its sliders to their starts.
    void skyReset();

public slots:
    void glCameraSpeedSliderReleased(int value);
    void glLightPitchSliderReleased(int pitch);
    void glLightAzimuthSliderReleased(int azimuth);
    void glLightIntensitySliderReleased(int intensity);
    void loadReferenceTerrainTexture();
    void loadMaskTerrainTexture();
    void setReferenceTextureOnOffCheckBox(int state);
    void setMaskTextureOnOffCheckBox(int state);
    void setmaskTextureDisplayOnOffCheckBox(int state);
    void switchBoundingAll();
    void wheelTimeout();
    void setGLFocus();
    void focusTerrainGL();
    // The four deletions of painted items; each that deleted something
    // records an undo step through itemsEdited().
    void deleteCurrentObject();
    void deleteLastItem();
    void deleteAllObjects();
    void deleteAllObjectsSilent();
    // The sky panel's sliders and reset.
    void glSunPitchSliderReleased(int value);
    void glSunAzimuthSliderReleased(int value);
    void glrSkyMxSliderReleased(int value);
    void glgSkyMxSliderReleased(int value);
    void glbSkyMxSliderReleased(int value);
    void TurbiditySliderReleased(int value);
    void glHorizonBrightnessSliderReleased(int value);
    void glHorizonLuminanceGradientSliderReleased(int value);
    void glSolarRegionIntensitySliderReleased(int value);
    void glSolarRegionWidthSliderReleased(int value);
    void glBackscatterLightSliderReleased(int value);
    void glStarIntensitySliderReleased(int value);
    void glStarPopulationSliderReleased(int value);
    void glSkyResetButtonClicked();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    struct Gl; // GL objects: buffers, textures, display lists, shader program, light
    enum class Pass { Normal, Selection };

    int terrainSize() const;
    void applyProjection();
    // Buffers: created, grown and filled for the full terrain set.
    void createTerrainBuffers();
    void fillTerrainBuffers();
    bool buffersHoldTerrain() const;
    // Scene drawing, shared by the frame and the picking pass.
    void drawScene(Pass pass);
    void applyLights();
    void drawTerrain();
    void drawCustomTerrain();
    void drawTerrainFromArrays(const TerrainArrays& arrays);
    void drawTerrainFromBuffers();
    void drawItems();
    void drawItemBox(const ItemRecord& item, const std::array<float, 3>& colour);
    void drawBrush();
    void drawGizmo();
    void drawThumbnail();
    // Sky: the sun and the dome at GL set-up, a slider's change, the dome
    // at the start of a SKY DOME frame.
    void setUpSky();
    void changeSky(int slider, int value);
    void rebuildSkyDome(bool newStars);
    void drawSkyDome(double height);
    // Texture dialogs: the chosen file, or empty after the warning.
    QString chooseImage();
    // The chosen image read, or null after a cancel or an unreadable file.
    QImage chooseReadableImage();
    GLuint replaceTexture(GLuint old, const QImage& image);
    void compilePendingTerrainList();

    ViewportContext m_context;
    glCamera m_camera;
    NavigationPosition m_navigation;
    float m_cameraSpeed = 5.0f;
    double m_farPlane = kFarPlaneWithoutTerrain;
    std::unique_ptr<ObjModel> m_customTerrain;
    float m_customTerrainScale = 100.0f;
    QImage m_maskImage;
    QString m_lastImageFolder;
    bool m_referenceOn = false;
    bool m_maskOn = false;
    bool m_maskDisplay = false;
    QPoint m_lastMouse;
    int m_wheelTicks = 0;
    QTimer* m_redrawTimer = nullptr;
    std::unique_ptr<Gl> m_gl;
    SkyState* m_sky = nullptr;
    RandomSource* m_skyStars = nullptr;
};

} // namespace morvane
