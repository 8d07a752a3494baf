#pragma once

#include "dzimporter.h"

class DzShape;

// Wavefront OBJ files, read with Assimp. Settings:
//  "Preset"        the file's unit: "DAZ Studio (1 unit = 1cm)" (default),
//                  "Lightwave (1 unit = 1m)", "Poser (1 unit = 8ft)"
//  "Scale"         percent applied on top of the unit (default 100)
//  "SwapYZ"        the file is Z-up: y and z swap (faces keep facing out)
//  "IncludeG"      "g" groups become face groups (else one, "default")
//  "IncludeVT"     texture coordinates are kept
//  "IncludeUsemtl" "usemtl" names become material groups (else one, "default")
//  "IncludeMtllib" the material library gives colours and colour maps
//  "RunSilent"     accepted; this importer never asks
class DZCORE_EXPORT DzObjImporter : public DzImporter {
    Q_OBJECT
public:
    explicit DzObjImporter(QObject* parent = nullptr);

    QString getDescription() const override;
    QStringList getExtensions() const override;
    void getDefaultOptions(DzFileIOSettings* settings) const override;

    // A new facet shape (the caller owns it) with one default material per
    // material group; `groupIndex` -1 reads every group of the file, another
    // value only that face group. Null, with the reason on the console, when
    // the file cannot be read, holds no faces, or the settings are invalid.
    DzShape* readGeometry(const QString& path, int groupIndex,
                          const DzFileIOSettings* settings) const;

    // Centimetres per file unit for a preset name; 0 for an unknown one.
    static double unitOfPreset(const QString& preset);
};
