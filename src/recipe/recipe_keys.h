#pragma once

#include "recipe/terrain_recipe.h"

#include <QString>

#include <vector>

namespace morvane {

// How a preset key's value reaches the recipe.
enum class KeyKind {
    Number,     // an integer control: clamped to its range
    Member,     // a seed or profile number: taken as is
    CheckState, // 0 unchecked, anything else checked (stored as 2)
    NoiseSize,  // noiseSize and the Round Edge keys: all set the noise size
    Gradient,   // a gradient file name
    ImageFile,  // an image file name, "none" when empty
};

struct RecipeKey {
    QString name;
    KeyKind kind;
    int minimum;
    int maximum;
    int defaultValue; // of a default-constructed recipe (seeds: as the panels start)
    int* (*number)(TerrainRecipe&);      // Number, Member, CheckState, NoiseSize
    QString* (*text)(TerrainRecipe&);    // Gradient, ImageFile
    int index;                           // which input/deformer (0 or 1), else 0

    bool isText() const { return kind == KeyKind::Gradient || kind == KeyKind::ImageFile; }
    // Clamps for Number and NoiseSize keys; other kinds pass through.
    int clamp(int value) const;
};

// The 70 preset keys in the order the preset writer uses.
const std::vector<RecipeKey>& recipeKeys();
// nullptr for an unknown key (exact, case-sensitive match).
const RecipeKey* findRecipeKey(const QString& name);

} // namespace morvane
