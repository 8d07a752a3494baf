#include "props/obj_model.h"

namespace morvane {

// The reader never loads materials, so colour and material always fall away.
int correctDrawMode(const ObjModel& model, int mode, QStringList* warnings) {
    constexpr std::size_t kMaterialCount = 0;
    auto drop = [&](int bit, const char* warning) {
        mode &= ~bit;
        if (warnings)
            *warnings << QString::fromLatin1(warning);
    };
    if ((mode & kObjFlat) && model.facetNormals.size() <= 1)
        drop(kObjFlat, "glmDraw() warning: flat render mode requested with no facet normals "
                       "defined.\n");
    if ((mode & kObjSmooth) && model.normals.size() <= 1)
        drop(kObjSmooth, "glmDraw() warning: smooth render mode requested with no normals "
                         "defined.\n");
    if ((mode & kObjTexture) && model.texcoords.size() <= 1)
        drop(kObjTexture, "glmDraw() warning: texture render mode requested with no texture "
                          "coordinates defined.\n");
    if ((mode & kObjFlat) && (mode & kObjSmooth))
        drop(kObjFlat, "glmDraw() warning: flat render mode requested and smooth render mode "
                       "requested (using smooth).\n");
    if ((mode & kObjColour) && kMaterialCount == 0)
        drop(kObjColour, "glmDraw() warning: color render mode requested with no materials "
                         "defined.\n");
    if ((mode & kObjMaterial) && kMaterialCount == 0)
        drop(kObjMaterial, "glmDraw() warning: material render mode requested with no "
                           "materials defined.\n");
    if ((mode & kObjColour) && (mode & kObjMaterial))
        drop(kObjColour, "glmDraw() warning: color and material render mode requested using "
                         "only material mode.\n");
    return mode;
}

} // namespace morvane
