// The preset reader on any bytes: values land in their controls' ranges,
// gradients are names of the list, a file naming no key changes nothing,
// and what it read is written back and read again unchanged.

#include "fuzz_support.h"

#include "common/notifier.h"
#include "common/seed_source.h"
#include "recipe/preset_file.h"
#include "recipe/recipe_keys.h"

#include <utility>
#include <vector>

namespace {

using namespace morvane;

struct RecordingNotifier : Notifier {
    std::vector<std::pair<QString, QString>> messages;
    void warn(const QString& title, const QString& text) override {
        messages.emplace_back(title, text);
    }
};

const QString kNativeDir = QStringLiteral("/plugins/morvanePX/presets");

PresetReadOptions optionsFor(PresetType type) {
    PresetReadOptions options;
    options.type = type;
    options.nativePresetsDir = kNativeDir;
    options.gradientNames = QStringList{"alpine.bmp", "australia 2.bmp", "black and white.bmp",
                             "volcanic.bmp"};
    return options;
}

void checkRanges(TerrainRecipe& recipe, const PresetReadOptions& options) {
    for (const RecipeKey& key : recipeKeys()) {
        if (key.kind == KeyKind::Gradient) {
            FUZZ_CHECK(options.gradientNames.contains(*key.text(recipe)));
        } else if (!key.isText()) {
            const int value = *key.number(recipe);
            if (key.kind == KeyKind::CheckState)
                FUZZ_CHECK(value == 0 || value == 2);
            else if (key.kind != KeyKind::Member)
                FUZZ_CHECK(key.clamp(value) == value);
        }
    }
}

} // namespace

int morvane::fuzz::presetReaderOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text = fuzz::bytesOf(data, size);
    // The last byte picks the preset type, so both share one corpus.
    const PresetType type = size > 0 && (data[size - 1] & 1) ? PresetType::Native
                                                              : PresetType::User;
    const PresetReadOptions options = optionsFor(type);
    SequenceSeedSource seeds(7);
    const TerrainRecipe before = TerrainRecipe::startup(seeds);
    TerrainRecipe recipe = before;
    RecordingNotifier notifier;
    const PresetReadResult result = readPresetText(text, recipe, options, notifier);

    FUZZ_CHECK(result.opened);
    FUZZ_CHECK(result.linesApplied <= text.count('\n') + 1);
    if (result.linesApplied == 0)
        FUZZ_CHECK(recipe == before);
    checkRanges(recipe, options);

    // One warning per gradient key at most, and only the documented one.
    FUZZ_CHECK(notifier.messages.size() ==
               std::size_t(result.gradient1Missing) + std::size_t(result.gradient2Missing));
    for (const auto& [title, message] : notifier.messages)
        FUZZ_CHECK(title == "Error" &&
                   message == "Gradient file not found, defaulting to first one");

    // Image names: unchanged, cleared, or (native) resolved in its folder.
    const QString* const beforeNames[] = {&before.inputs[0].noiseImageFile,
                                          &before.inputs[1].noiseImageFile, &before.combiner.noiseImageFile};
    const QString* const afterNames[] = {&recipe.inputs[0].noiseImageFile, &recipe.inputs[1].noiseImageFile,
                                         &recipe.combiner.noiseImageFile};
    for (int i = 0; i < 3; ++i) {
        const QString& name = *afterNames[i];
        if (type == PresetType::Native && name != *beforeNames[i] && !name.isEmpty())
            FUZZ_CHECK(name.startsWith(kNativeDir + '/'));
        FUZZ_CHECK(!name.contains('\n') && !name.contains('='));
    }

    // Whatever was read, saved and read back, is the same recipe.
    if (presetCanStore(recipe)) {
        const QByteArray saved = presetText(recipe);
        TerrainRecipe again = recipe;
        RecordingNotifier quiet;
        const PresetReadResult reread = readPresetText(saved, again, optionsFor(PresetType::User),
                                                       quiet);
        FUZZ_CHECK(reread.linesApplied == int(recipeKeys().size()));
        FUZZ_CHECK(quiet.messages.empty());
        FUZZ_CHECK(again == recipe);
    }
    return 0;
}

MORVANE_FUZZ_TARGET(presetReaderOneInput)
