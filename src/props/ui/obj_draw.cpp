#include "props/ui/obj_draw.h"

#include "common/event_log.h"
#include "props/obj_model.h"

#include <QStringList>

#include <cstdio>

namespace morvane {

namespace {

// Entry 0 of each array is unused; an index past the end (a model built by
// hand) is drawn as that entry rather than read from beyond the array.
template <typename T>
const T& entry(const std::vector<T>& values, std::uint32_t index) {
    static const T zero{};
    if (index < values.size())
        return values[index];
    return values.empty() ? zero : values[0];
}

} // namespace

void drawObjModel(const ObjModel& model, int correctedMode) {
    const bool flat = correctedMode & kObjFlat;
    const bool smooth = correctedMode & kObjSmooth;
    const bool texture = correctedMode & kObjTexture;
    if (correctedMode & kObjColour)
        glEnable(GL_COLOR_MATERIAL);
    else if (correctedMode & kObjMaterial)
        glDisable(GL_COLOR_MATERIAL);

    for (const ObjGroup& group : model.groups) {
        glBegin(GL_TRIANGLES);
        for (std::uint32_t t : group.triangles) {
            if (t >= model.triangles.size())
                continue;
            const ObjTriangle& triangle = model.triangles[t];
            if (flat)
                glNormal3fv(entry(model.facetNormals, triangle.facetNormal).data());
            for (int corner = 0; corner < 3; ++corner) {
                if (smooth)
                    glNormal3fv(entry(model.normals, triangle.normals[corner]).data());
                if (texture)
                    glTexCoord2fv(entry(model.texcoords, triangle.texcoords[corner]).data());
                glVertex3fv(entry(model.vertices, triangle.vertices[corner]).data());
            }
        }
        glEnd();
    }
}

GLuint compileTerrainList(const ObjModel& model, int mode, EventLog& log) {
    const GLuint list = glGenLists(1);
    if (list == 0)
        return 0;
    log.write(QStringLiteral("terrain DL stored in slot #%1\n").arg(list));
    QStringList warnings;
    const int corrected = correctDrawMode(model, mode, &warnings);
    for (const QString& warning : warnings)
        std::fputs(warning.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    glNewList(list, GL_COMPILE);
    drawObjModel(model, corrected);
    glEndList();
    return list;
}

} // namespace morvane
