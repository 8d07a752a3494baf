#include "props/ui/prop_display_lists.h"

#include "props/ui/obj_draw.h"
#include "props/obj_model.h"

namespace morvane {

namespace {

// Flat and material: the material falls away, so a prop is flat shaded in
// whatever colour the viewport sets for the item.
constexpr int kPropDrawMode = kObjFlat | kObjMaterial;

} // namespace

bool PropDisplayLists::compile(int slot, const QStringList& objFiles, ObjFacts& facts,
                               Notifier& notifier, QStringList& console) {
    m_failures = 0;
    if (!inRange(slot))
        return false;
    if (m_lists[slot] != 0)
        glDeleteLists(m_lists[slot], 1);
    const GLuint list = glGenLists(1);
    m_lists[slot] = list;
    if (list == 0)
        return false;

    glNewList(list, GL_COMPILE);
    for (const QString& path : objFiles) {
        std::unique_ptr<ObjModel> model = readObjModel(path.trimmed(), facts, notifier, console);
        if (!model) {
            ++m_failures;
            break;
        }
        computeFacetNormals(*model);
        drawObjModel(*model, correctDrawMode(*model, kPropDrawMode));
    }
    glEndList();

    if (m_failures > 0) {
        glDeleteLists(list, 1);
        m_lists[slot] = 0;
        return false;
    }
    return true;
}

void PropDisplayLists::call(int slot) const {
    if (inRange(slot) && m_lists[slot] != 0)
        glCallList(m_lists[slot]);
}

GLuint PropDisplayLists::list(int slot) const {
    return inRange(slot) ? m_lists[slot] : 0;
}

void PropDisplayLists::deleteAll(bool /*objTerrainPresent*/) {
    for (GLuint& list : m_lists) {
        if (list != 0)
            glDeleteLists(list, 1);
        list = 0;
    }
    m_currentSlot = 0;
}

} // namespace morvane
