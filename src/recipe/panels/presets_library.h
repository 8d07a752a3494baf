#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QToolButton;

namespace morvane {

// The PRESETS tab's frame: one 128 x 128 thumbnail button per preset, the
// plug-in's native presets first, then the user's, seven to a row. Object
// names carry the group tag and the full path ("__native__/.../a.ipf",
// "__user__/.../b.ipf"); a click asks for that preset to be loaded.
class PresetsLibrary : public QWidget {
    Q_OBJECT
public:
    explicit PresetsLibrary(QWidget* parent = nullptr);

    // Removes the buttons of the previous build, lists both folders
    // ("*.ipf", by name ignoring case) and makes one button per preset.
    // `placeholder` is the picture shown for a preset without thumbnail.
    // The frame grows to hold every row.
    void build(const QString& nativeFolder, const QString& userFolder,
               const QString& placeholder);

    // Top-left corner of the button of the i-th preset.
    static QPoint buttonPosition(int i);
    // The thumbnail of a preset: the file name up to its first "." + ".jpg".
    static QString thumbnailFor(const QString& presetFile);

signals:
    // presetType 0: a native preset, 1: a user preset.
    void loadPresetRequested(const QString& presetFile, int presetType);

public slots:
    // Connected to every button's clicked(): decodes the sender's name.
    void presetItemClicked();

private:
    void addButton(int index, const QString& folder, const QString& fileName, bool user,
                   const QString& placeholder);
    void fitRows(int presetCount);

    QList<QToolButton*> m_buttons;
};

} // namespace morvane
