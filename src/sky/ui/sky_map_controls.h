#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;

namespace morvane {

class Notifier;
class ProgressSink;
class RandomSource;
struct PipelinePaths;
struct SkyState;

// The terrain (group) name the sky map's file takes: the text of
// `createDAZTerrainNameLineEdit` in `window` when it exists, else "my
// Terrain 1", the default group name.
QString skyMapGroupName(const QWidget* window);

// What the sky map is made from and where it reports.
struct SkyMapContext {
    SkyState& sky;
    RandomSource& stars;
    const PipelinePaths& paths;    // the maps folder
    ProgressSink& progress;
    Notifier& notifier;
    int threads = 0;
};

// The sky map's size list and "regen sky texture". They belong on the
// CREATE tab; until it exists they sit in the sky panel.
class SkyMapControls : public QWidget {
    Q_OBJECT
public:
    SkyMapControls(const SkyMapContext& context, QWidget* parent = nullptr);

    QComboBox* sizeComboBox() const { return m_size; }
    QPushButton* generateButton() const { return m_generate; }
    // Where the last map went (empty before the first).
    QString lastMapFile() const { return m_lastFile; }

public slots:
    // Any item but "no thanks" enables the button.
    void setSkydomeControls(const QString& item);
    // Writes maps/<name>_skyDome.jpg at the chosen size; nothing on "no
    // thanks".
    void regenerateSkyDomeTexture();

private:
    SkyMapContext m_context;
    QComboBox* m_size = nullptr;
    QPushButton* m_generate = nullptr;
    QString m_lastFile;
    bool m_running = false;
};

} // namespace morvane
