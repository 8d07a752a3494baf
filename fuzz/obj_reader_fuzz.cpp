// The OBJ reader on any bytes: every index a triangle or group holds lies
// inside its array, the groups hold each triangle once, and the normal
// passes that follow a read keep those promises.

#include "fuzz_support.h"

#include "props/obj_model.h"

#include <cmath>
#include <vector>

namespace {

using namespace morvane;

void checkIndices(const ObjModel& model) {
    FUZZ_CHECK(!model.vertices.empty() && !model.normals.empty() && !model.texcoords.empty());
    const std::size_t vertices = model.vertices.size() - 1;
    const std::size_t normals = model.normals.size() - 1;
    const std::size_t texcoords = model.texcoords.size() - 1;
    for (const ObjTriangle& triangle : model.triangles) {
        for (int corner = 0; corner < 3; ++corner) {
            FUZZ_CHECK(triangle.vertices[corner] >= 1 && triangle.vertices[corner] <= vertices);
            FUZZ_CHECK(triangle.normals[corner] <= normals);
            FUZZ_CHECK(triangle.texcoords[corner] <= texcoords);
        }
        FUZZ_CHECK(triangle.facetNormal < model.facetNormals.size() ||
                   (triangle.facetNormal == 0 && model.facetNormals.empty()));
    }
    std::vector<int> owners(model.triangles.size(), 0);
    for (const ObjGroup& group : model.groups)
        for (std::uint32_t t : group.triangles) {
            FUZZ_CHECK(t < model.triangles.size());
            ++owners[t];
        }
    for (int count : owners)
        FUZZ_CHECK(count == 1);
}

} // namespace

int morvane::fuzz::objReaderOneInput(const std::uint8_t* data, std::size_t size) {
    ObjFacts facts;
    facts.loaded = true;
    QStringList console;
    std::unique_ptr<ObjModel> model =
        readObjModelText(fuzz::bytesOf(data, size), QStringLiteral("fuzz.obj"), facts, console);
    if (!model)
        return 0;
    FUZZ_CHECK(!model->groups.empty() && model->groups.back().name == "default");
    FUZZ_CHECK(facts.propTriangleCount == int(model->triangles.size()));
    checkIndices(*model);
    for (std::size_t v = 1; v < model->vertices.size(); ++v)
        for (int axis = 0; axis < 3; ++axis) {
            const float value = model->vertices[v][axis];
            if (!std::isnan(value))
                FUZZ_CHECK(facts.boxMin[axis] <= value && value <= facts.boxMax[axis]);
        }

    // What the custom terrain does after a read.
    computeFacetNormals(*model);
    FUZZ_CHECK(model->facetNormals.size() == model->triangles.size() + 1);
    computeVertexNormals(*model, 90.0f);
    FUZZ_CHECK(model->smoothedNormals.size() == model->vertexCount());
    checkIndices(*model);
    const int mode = correctDrawMode(*model, 22);
    FUZZ_CHECK((mode & ~22) == 0);
    return 0;
}

MORVANE_FUZZ_TARGET(objReaderOneInput)
