#pragma once

#include "recipe/terrain_recipe.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace morvane {

class Notifier;

// The preset text: 70 "key=value" lines in the writer's key order, numbers
// as plain decimal integers, strings as UTF-8, "none" for an empty image
// file name. A line break inside a name is written as a space, so a name can
// never add lines (keys) of its own.
QByteArray presetText(const TerrainRecipe& recipe);

// Whether every name of the recipe reads back unchanged: the line format
// cannot carry "=", CR or LF inside a value.
bool presetCanStore(const TerrainRecipe& recipe);

// Writes presetText() to `path`, replacing an existing file. Returns false
// when the file cannot be written or presetCanStore() is false (an existing
// file then stays as it was).
bool writePresetFile(const TerrainRecipe& recipe, const QString& path);

// The preset's thumbnail: `texturePicture` ("TFFnoisePreview.jpg") scaled to
// exactly 128 x 128 (aspect ignored, fast scaling), saved as a quality-100
// JPEG. Returns false when the picture cannot be read or the file written.
bool writePresetThumbnail(const QString& texturePicture, const QString& thumbnailPath);

enum class PresetType { Native = 0, User = 1 };

struct PresetReadOptions {
    PresetType type = PresetType::User;
    // Folder of the presets shipped with the plug-in
    // (<plugins>/morvanePX/presets); image names of native presets are
    // resolved against it.
    QString nativePresetsDir;
    // The gradient lists' items in list order (the *.bmp files of the
    // gradients folder, sorted by name).
    QStringList gradientNames;
};

struct PresetReadResult {
    bool opened = false;      // false: the file could not be read (nothing changed)
    int linesApplied = 0;     // lines whose key was known
    bool gradient1Missing = false;
    bool gradient2Missing = false;
};

// Reads a preset into `recipe`. Rules:
// - each line is split at "=" (leading and repeated "=" are one separator);
//   the first piece is the key, the second the value; CR/LF ends dropped;
//   lines without "=" are ignored;
// - keys match exactly and case-sensitively; unknown keys are ignored; the
//   last line of a key wins;
// - numbers convert the atoi way (blanks, sign, digits up to the first
//   non-digit, none gives 0; beyond the int range saturates) and are clamped
//   to the control's range, except seeds and profile numbers;
// - gradient names must be one of options.gradientNames, else the first one
//   is taken with the warning "Gradient file not found, defaulting to first
//   one" (title "Error"), each key its own;
// - image file "none" leaves the name as it is; native presets resolve
//   names against options.nativePresetsDir; an empty value clears the name;
// - an input type line that changes the type applies that type's window pin.
// Keys the file does not name keep their values.
PresetReadResult readPresetFile(const QString& path, TerrainRecipe& recipe,
                                const PresetReadOptions& options, Notifier& notifier);

// The same rules on text already in memory.
PresetReadResult readPresetText(const QByteArray& text, TerrainRecipe& recipe,
                                const PresetReadOptions& options, Notifier& notifier);

// The atoi conversion used for preset values.
int presetAtoi(const QByteArray& value);

} // namespace morvane
