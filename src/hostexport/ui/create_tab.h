#pragma once

#include "hostexport/scene_creator.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMovie;
class QPushButton;
class QSlider;

namespace morvane {

class GenerationDriver;
class SkyMapControls;

// The CREATE tab's controls: group name, export options, sky dome and
// normal-map settings with the normal map's preview, the status label with
// its wait animation, and "CREATE Studio SCENE !". It is also the build's
// SceneStatus: the label and the animation show how the build goes.
class CreateTab : public QWidget, public SceneStatus {
    Q_OBJECT
public:
    // `resourcesDir` holds "wait.gif".
    CreateTab(GenerationDriver& driver, const QString& resourcesDir, QWidget* parent = nullptr);

    // The sky map list and its "regen sky texture" take the "add skydome: "
    // row.
    void setSkyMapControls(SkyMapControls* controls);

    QString groupName() const;
    // What the controls ask of a build; the caller adds the terrain and the
    // viewport's parts.
    SceneRequest request() const;
    // 0 for "no thanks".
    int normalMapSize() const;
    int textureSize() const;

    QPushButton* createButton() const { return m_create; }
    QComboBox* textureSizeComboBox() const { return m_textureSize; }
    QCheckBox* subdivisionCheckBox() const { return m_subdivision; }
    QCheckBox* boundingBoxesCheckBox() const { return m_boundingBoxes; }
    QLabel* statusLabel() const { return m_holdOn; }

    void setStatusText(const QString& text) override;
    void setWaiting(bool waiting) override;

signals:
    void createSceneRequested();

public slots:
    // "no thanks" hides the bump slider, the preview and "regen normal map".
    void setNormalMapControls();
    // The size list changed: controls as above, and a new preview for a size.
    void setNormalMapControls(const QString& item);
    // The preview (not final) or the export's map (final); `manualUpdate`
    // re-evaluates the graph first whatever the sizes.
    void generateFinalNormalMap(bool isFinal, bool manualUpdate);
    void generateFinalNormalMap();
    void generateFinalNormalCustomSize();

private:
    void showPreview();

    GenerationDriver& m_driver;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_subdivision = nullptr;
    QComboBox* m_textureSize = nullptr;
    QCheckBox* m_boundingBoxes = nullptr;
    QWidget* m_skyRow = nullptr;
    SkyMapControls* m_skyMap = nullptr;
    QSlider* m_morph = nullptr;
    QLabel* m_morphValue = nullptr;
    QComboBox* m_normalSize = nullptr;
    QSlider* m_bump = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_regenNormal = nullptr;
    QLabel* m_holdOn = nullptr;
    QLabel* m_holdOnGif = nullptr;
    QMovie* m_wait = nullptr;
    QPushButton* m_create = nullptr;
    bool m_waiting = false;
};

} // namespace morvane
