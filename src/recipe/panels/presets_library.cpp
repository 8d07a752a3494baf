#include "recipe/panels/presets_library.h"

#include "recipe/panels/panel_style.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <QToolButton>

namespace morvane {

namespace {

constexpr int kFrameWidth = 1150;
constexpr int kColumns = 7;
constexpr int kColumnPitch = 156;
constexpr int kRowPitch = 148;
constexpr int kLeft = 20;
constexpr int kTop = 14;
constexpr int kButtonSide = 128;

const QString kNativeTag = QStringLiteral("__native__");
const QString kUserTag = QStringLiteral("__user__");

QString borderStyle(const QString& colour) {
    return QStringLiteral("* { \nborder-width: 2px;\nborder-style: solid;\nborder-color: rgba(") +
           colour + QStringLiteral(");\n}");
}

// The folder as it prefixes the object names: "/" separators, ending in "/".
QString folderPrefix(const QString& folder) {
    QString prefix = QDir::fromNativeSeparators(folder);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    return prefix;
}

QStringList presetFiles(const QString& folder) {
    // An empty path would list the working folder.
    if (folder.isEmpty())
        return {};
    return QDir(folder).entryList({QStringLiteral("*.ipf")}, QDir::Files,
                                  QDir::Name | QDir::IgnoreCase);
}

// Tall enough for every row plus the top margin below the last one, so the
// scroll area holding the frame reaches all presets.
int frameHeight(int presetCount) {
    if (presetCount == 0)
        return 2 * kTop;
    return PresetsLibrary::buttonPosition(presetCount - 1).y() + kButtonSide + kTop;
}

} // namespace

PresetsLibrary::PresetsLibrary(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "morvane--PresetsLibrary { background-color: rgba(95,95,95,255); }"));
    setFixedWidth(kFrameWidth);
    fitRows(0);
}

QPoint PresetsLibrary::buttonPosition(int i) {
    return {(i % kColumns) * kColumnPitch + kLeft, (i / kColumns) * kRowPitch + kTop};
}

QString PresetsLibrary::thumbnailFor(const QString& presetFile) {
    const QString name = QFileInfo(presetFile).fileName();
    const QString folder = presetFile.left(presetFile.size() - name.size());
    return folder + name.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".jpg");
}

void PresetsLibrary::build(const QString& nativeFolder, const QString& userFolder,
                           const QString& placeholder) {
    // Qt guards a button deleted from a slot of its own clicked(), so a
    // rebuild may even run while one of these buttons is being clicked.
    qDeleteAll(m_buttons);
    m_buttons.clear();

    int index = 0;
    for (const QString& file : presetFiles(nativeFolder))
        addButton(index++, folderPrefix(nativeFolder), file, false, placeholder);
    for (const QString& file : presetFiles(userFolder))
        addButton(index++, folderPrefix(userFolder), file, true, placeholder);
    fitRows(index);
}

void PresetsLibrary::fitRows(int presetCount) {
    // A minimum rather than a fixed height: a resizable scroll area may still
    // stretch the frame to fill its viewport when there are only a few rows.
    const int height = frameHeight(presetCount);
    setMinimumHeight(height);
    resize(kFrameWidth, height);
}

void PresetsLibrary::addButton(int index, const QString& folder, const QString& fileName,
                               bool user, const QString& placeholder) {
    const QString path = folder + fileName;
    const QString thumbnail = thumbnailFor(path);

    auto* button = new QToolButton(this);
    button->setObjectName((user ? kUserTag : kNativeTag) + path);
    button->setGeometry(QRect(buttonPosition(index), QSize(kButtonSide, kButtonSide)));
    button->setIconSize(QSize(kButtonSide, kButtonSide));
    button->setIcon(QIcon(QFileInfo::exists(thumbnail) ? thumbnail : placeholder));
    button->setStyleSheet(borderStyle(user ? QLatin1String(style::kAccent)
                                           : QStringLiteral("25,25,25,255")));
    button->setToolTip(path);
    connect(button, &QToolButton::clicked, this, &PresetsLibrary::presetItemClicked);
    button->show();
    m_buttons.append(button);
}

void PresetsLibrary::presetItemClicked() {
    auto* button = qobject_cast<QToolButton*>(sender());
    if (!button || !m_buttons.contains(button))
        return;
    // The tag is the name's prefix; matching it anywhere else would misread
    // a folder whose path happens to contain a tag.
    const QString name = button->objectName();
    QString path;
    int type = 0;
    if (name.startsWith(kUserTag)) {
        path = name.mid(kUserTag.size());
        type = 1;
    } else if (name.startsWith(kNativeTag)) {
        path = name.mid(kNativeTag.size());
    } else {
        return;
    }
    emit loadPresetRequested(path, type);
}

} // namespace morvane
