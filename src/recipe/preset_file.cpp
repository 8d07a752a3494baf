#include "recipe/preset_file.h"

#include "common/notifier.h"
#include "common/safe_file.h"
#include "recipe/control_visibility.h"
#include "recipe/node_types.h"
#include "recipe/recipe_keys.h"

#include <QFile>
#include <QImage>

#include <algorithm>
#include <climits>
#include <cstring>

namespace morvane {

namespace {

const QString kNone = QStringLiteral("none");

// The accessors take a mutable recipe; the writer only reads through them.
int numberOf(const RecipeKey& key, const TerrainRecipe& recipe) {
    return *key.number(const_cast<TerrainRecipe&>(recipe));
}
const QString& textOf(const RecipeKey& key, const TerrainRecipe& recipe) {
    return *key.text(const_cast<TerrainRecipe&>(recipe));
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int atoiRange(const char* p, const char* end) {
    while (p != end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    // Accumulating stops once past the int range, so any number of digits
    // saturates instead of overflowing.
    constexpr long long kLimit = 1LL + INT_MAX;
    long long value = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        if (value <= kLimit)
            value = value * 10 + (*p - '0');
    }
    if (negative)
        return value >= kLimit ? INT_MIN : int(-value);
    return value > INT_MAX ? INT_MAX : int(value);
}

bool holdsUnstorable(const QString& name) {
    return name.contains(QLatin1Char('=')) || name.contains(QLatin1Char('\n')) ||
           name.contains(QLatin1Char('\r'));
}

int longestKeyName() {
    static const int longest = [] {
        int n = 0;
        for (const RecipeKey& key : recipeKeys())
            n = std::max(n, int(key.name.toUtf8().size()));
        return n;
    }();
    return longest;
}

bool isInputTypeField(const int* field, const TerrainRecipe& recipe) {
    return field == &recipe.inputs[0].type || field == &recipe.inputs[1].type;
}

void applyNumber(const RecipeKey& key, int value, TerrainRecipe& recipe) {
    int* field = key.number(recipe);
    switch (key.kind) {
    case KeyKind::CheckState:
        *field = value == 0 ? 0 : 2;
        return;
    case KeyKind::Member:
        *field = value;
        return;
    case KeyKind::Number:
    case KeyKind::NoiseSize: {
        const int clamped = key.clamp(value);
        // The panel reacts to a type change by pinning the window; a preset
        // must leave the recipe as the panel would.
        const bool typeChanges = isInputTypeField(field, recipe) && *field != clamped;
        *field = clamped;
        if (typeChanges)
            applyWindowPin(recipe, inputTypeAt(clamped));
        return;
    }
    case KeyKind::Gradient:
    case KeyKind::ImageFile:
        return;
    }
}

void applyLine(const char* line, const char* end, TerrainRecipe& recipe,
               const PresetReadOptions& options, Notifier& notifier, PresetReadResult& result) {
    const char* eq = static_cast<const char*>(std::memchr(line, '=', size_t(end - line)));
    if (!eq)
        return;
    // Pieces are the non-empty runs between "=": the key, then the value.
    const char* keyBegin = line;
    while (keyBegin != end && *keyBegin == '=')
        ++keyBegin;
    const char* keyEnd = keyBegin;
    while (keyEnd != end && *keyEnd != '=')
        ++keyEnd;
    if (keyEnd == keyBegin || keyEnd - keyBegin > longestKeyName())
        return;
    const char* valueBegin = keyEnd;
    while (valueBegin != end && *valueBegin == '=')
        ++valueBegin;
    const char* valueEnd = valueBegin;
    while (valueEnd != end && *valueEnd != '=')
        ++valueEnd;

    const RecipeKey* key = findRecipeKey(QString::fromUtf8(keyBegin, int(keyEnd - keyBegin)));
    if (!key)
        return;
    ++result.linesApplied;

    if (!key->isText()) {
        applyNumber(*key, atoiRange(valueBegin, valueEnd), recipe);
        return;
    }
    const QString value = QString::fromUtf8(valueBegin, int(valueEnd - valueBegin));
    QString& name = *key->text(recipe);
    if (key->kind == KeyKind::Gradient) {
        if (options.gradientNames.contains(value)) {
            name = value;
            return;
        }
        if (!options.gradientNames.isEmpty())
            name = options.gradientNames.first();
        bool& missing = key->index == 0 ? result.gradient1Missing : result.gradient2Missing;
        // One box per key: a damaged file repeating the line must not open
        // a modal box per line.
        if (!missing)
            notifier.warn(QStringLiteral("Error"),
                          QStringLiteral("Gradient file not found, defaulting to first one"));
        missing = true;
        return;
    }
    if (value == kNone)
        return;
    // An empty value means no image; resolving it would name the folder.
    if (options.type == PresetType::Native && !value.isEmpty())
        name = options.nativePresetsDir + QLatin1Char('/') + value;
    else
        name = value;
}

} // namespace

int presetAtoi(const QByteArray& value) {
    return atoiRange(value.constData(), value.constData() + value.size());
}

QByteArray presetText(const TerrainRecipe& recipe) {
    QByteArray text;
    for (const RecipeKey& key : recipeKeys()) {
        text += key.name.toUtf8();
        text += '=';
        if (!key.isText()) {
            text += QByteArray::number(numberOf(key, recipe));
        } else {
            QString value = textOf(key, recipe);
            if (key.kind == KeyKind::ImageFile && value.isEmpty())
                value = kNone;
            value.replace(QLatin1Char('\n'), QLatin1Char(' '));
            value.replace(QLatin1Char('\r'), QLatin1Char(' '));
            text += value.toUtf8();
        }
        text += '\n';
    }
    return text;
}

bool presetCanStore(const TerrainRecipe& recipe) {
    for (const RecipeKey& key : recipeKeys()) {
        if (key.isText() && holdsUnstorable(textOf(key, recipe)))
            return false;
    }
    return true;
}

bool writePresetFile(const TerrainRecipe& recipe, const QString& path) {
    // A preset that would read back different names is not saved at all,
    // rather than saved wrong.
    if (!presetCanStore(recipe))
        return false;
    return writeFileSafely(path, presetText(recipe));
}

bool writePresetThumbnail(const QString& texturePicture, const QString& thumbnailPath) {
    const QImage picture(texturePicture);
    if (picture.isNull())
        return false;
    const QImage thumbnail =
        picture.scaled(128, 128, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return savePictureSafely(thumbnail, thumbnailPath, "JPG", 100);
}

PresetReadResult readPresetText(const QByteArray& text, TerrainRecipe& recipe,
                                const PresetReadOptions& options, Notifier& notifier) {
    PresetReadResult result;
    result.opened = true;
    const char* p = text.constData();
    const char* const end = p + text.size();
    while (p != end) {
        const char* newline = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* lineEnd = newline ? newline : end;
        const char* contentEnd = lineEnd;
        if (contentEnd != p && contentEnd[-1] == '\r')
            --contentEnd;
        applyLine(p, contentEnd, recipe, options, notifier, result);
        p = newline ? newline + 1 : end;
    }
    return result;
}

PresetReadResult readPresetFile(const QString& path, TerrainRecipe& recipe,
                                const PresetReadOptions& options, Notifier& notifier) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readPresetText(file.readAll(), recipe, options, notifier);
}

} // namespace morvane
