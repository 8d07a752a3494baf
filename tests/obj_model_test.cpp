#include "props/obj_model.h"

#include "pipeline_fixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <random>
#include <string>
#include <tuple>

namespace morvane {
namespace {

using testing::RecordingNotifier;
using Vec3 = std::array<float, 3>;
using Corners = std::array<std::uint32_t, 3>;

class ObjModelTest : public ::testing::Test {
protected:
    QString write(const QByteArray& text) {
        const QString path = m_dir.filePath("model.obj");
        QFile::remove(path); // a new file: truncating ones is slow over thousands of rewrites
        EXPECT_TRUE(testing::writeFile(path, text));
        return path;
    }
    std::unique_ptr<ObjModel> read(const QByteArray& text) {
        return readObjModel(write(text), facts, notifier, console);
    }

    ObjFacts facts;
    RecordingNotifier notifier;
    QStringList console;

private:
    QTemporaryDir m_dir;
};

const QByteArray kFiveVertices = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0.5 2 0\nv 0 1 0\n";

// One kind of corner index (vertices, texcoords or normals) of every triangle.
std::vector<Corners> corners(const ObjModel& model,
                             Corners ObjTriangle::*kind = &ObjTriangle::vertices) {
    std::vector<Corners> all;
    for (const ObjTriangle& triangle : model.triangles)
        all.push_back(triangle.*kind);
    return all;
}

Vec3 cornerNormal(const ObjModel& model, std::size_t t, int corner) {
    return model.normals[model.triangles[t].normals[corner]];
}

void expectNear(const Vec3& actual, const Vec3& expected) {
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_NEAR(actual[axis], expected[axis], 1e-6) << "axis " << axis;
}

// Negative indices count back from the latest entry at the time of the
// face; groups are matched by exact name and listed newest first.
TEST_F(ObjModelTest, FacesAreFannedIntoGroupsAndNegativeIndicesCountBack) {
    const auto model = read("v 0 0 0\nv 1 0 0\nv 1 1 0\nvt 0 0\nvt 1 1\nf -3/-2 -2/-1 -1/-1\n"
                            "v 0.5 2 0\nv 0 1 0\ng rocks\r\nf 1 2 3 4 5\ng Rocks\nf -5 -3 -1\n"
                            "g rocks\nf 1 2 3\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(corners(*model), (std::vector<Corners>{{1, 2, 3}, {1, 2, 3}, {1, 3, 4},
                                                           {1, 4, 5}, {1, 3, 5}, {1, 2, 3}}));
    EXPECT_EQ(model->triangles[0].texcoords, (Corners{1, 2, 2}));
    EXPECT_EQ(model->vertices[4], (Vec3{0.5f, 2.0f, 0.0f}));
    ASSERT_EQ(model->groups.size(), 3u);
    EXPECT_EQ(QStringList({model->groups[0].name, model->groups[2].name}),
              QStringList({"Rocks", "default"}));
    EXPECT_EQ(model->groups[1].triangles, (std::vector<std::uint32_t>{1, 2, 3, 5}));
    EXPECT_EQ(facts.propTriangleCount, 6);
    EXPECT_TRUE(facts.loaded && console.isEmpty());
}

TEST_F(ObjModelTest, EachFaceReadsItsCornersInTheFormatOfItsFirstCorner) {
    const auto model = read(kFiveVertices + "vt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\nvn 0 1 0\n"
                                            "f 1//2 2//1 3//2\nf 3/3/1 4/2/2 5/1/1\n"
                                            "f 1/1 2/2 3/3 4 5\n"); // "4" ends the face
    ASSERT_TRUE(model);
    EXPECT_EQ(corners(*model, &ObjTriangle::texcoords),
              (std::vector<Corners>{{0, 0, 0}, {3, 2, 1}, {1, 2, 3}}));
    EXPECT_EQ(corners(*model, &ObjTriangle::normals),
              (std::vector<Corners>{{2, 1, 2}, {1, 2, 1}, {0, 0, 0}}));
    EXPECT_EQ(model->texcoords[2], (std::array<float, 2>{1.0f, 0.0f}));
}

TEST_F(ObjModelTest, FacesOutsideTheArraysAreDroppedAndReportedOncePerFile) {
    // Index 0, past the last vertex, before the first, normal past the last,
    // too large for any integer.
    const auto model = read("v 0 0 0\nv 1 0 0\nv 1 1 0\nvn 0 0 1\nf 1 2 3\nf 0 1 2\nf 1 2 4\n"
                            "f -4 -1 -2\nf 1//1 2//2 3//1\nf 1 2 99999999999999999999\nf 3 2 1\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(corners(*model), (std::vector<Corners>{{1, 2, 3}, {3, 2, 1}}));
    EXPECT_EQ(model->groups[0].triangles.size(), 2u);
    EXPECT_EQ(facts.propTriangleCount, 2);
    EXPECT_EQ(console, QStringList{"dropped 5 faces with indices outside the model\n"});

    // A prop of several files counts all their triangles and keeps the last box.
    ASSERT_TRUE(read("v 2 -1 5\nv 4 3 6\nv 3 0 -2\nf 1 2 3\n"));
    EXPECT_EQ(std::make_tuple(facts.propTriangleCount, facts.boxMin, facts.boxMax),
              std::make_tuple(3, Vec3{2.0f, -1.0f, -2.0f}, Vec3{4.0f, 3.0f, 6.0f}));
}

TEST_F(ObjModelTest, UnreadableFilesUnknownTokensAndMaterialsAreReported) {
    facts.loaded = true;
    const QString path = write("") + ".missing";
    EXPECT_FALSE(readObjModel(path, facts, notifier, console));
    EXPECT_FALSE(facts.loaded);
    using Messages = decltype(notifier.messages);
    EXPECT_EQ(notifier.messages, (Messages{{"Error", "Error loading file: " + path}}));

    EXPECT_FALSE(read(kFiveVertices + "usemtl bark\nf 1 2 3\nvp 0.5\n"));
    EXPECT_EQ(console, QStringList{"glmFirstPass(): Unknown token \"vp\".\n"});

    console.clear();
    const auto model = read("mtllib tree.mtl other.mtl\n" + kFiveVertices +
                            "g trunk\nusemtl bark\nf 1 2 3\nusemtl leaves\n");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->materialLibrary, "tree.mtl");
    EXPECT_EQ(console, (QStringList{"glmFindMaterial():  can't find material \"bark\".\n",
                                    "glmFindMaterial():  can't find material \"leaves\".\n"}));
}

// Three outward cube faces meet at vertex 1 (normals -z, -x, -y); a
// degenerate face on a line has a zero normal; vertex 9 is unused.
TEST_F(ObjModelTest, VertexNormalsShareWithinTheAngleAndKeepCreases) {
    const QByteArray corner = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nv 1 1 0\nv 0 1 1\nv 1 0 1\n"
                              "v 2 0 0\nv 9 9 9\nf 1 3 5 2\nf 1 4 6 3\nf 1 2 7 4\nf 1 2 8\n";
    auto model = read(corner);
    ASSERT_TRUE(model);
    computeVertexNormals(*model, 90.0f); // computes the facet normals first
    ASSERT_EQ(model->facetNormals.size(), 8u);
    EXPECT_EQ(model->facetNormals[7], (Vec3{0.0f, 0.0f, 0.0f}));
    // 90 degrees keeps perpendicular faces as creases.
    for (std::size_t t = 0; t < 6; ++t)
        for (int c = 0; c < 3; ++c)
            expectNear(cornerNormal(*model, t, c), model->facetNormals[t + 1]);
    ASSERT_EQ(model->smoothedNormals.size(), 9u);
    EXPECT_EQ(model->smoothedNormals[8], (Vec3{0.0f, 0.0f, 0.0f}));

    model = read(corner);
    computeVertexNormals(*model, 100.0f);
    const float third = -1.0f / std::sqrt(3.0f);
    expectNear(cornerNormal(*model, 0, 0), {third, third, third});
    expectNear(cornerNormal(*model, 2, 0), {third, third, third});
}

TEST_F(ObjModelTest, DrawModeDropsWhatTheModelCannotHonour) {
    const QByteArray triangle = "v 0 0 0\nv 1 0 0\nv 1 0 1\nf 1 3 2\n";
    auto terrain = read(triangle);
    ASSERT_TRUE(terrain);
    computeVertexNormals(*terrain, 90.0f);
    QStringList warnings;
    EXPECT_EQ(correctDrawMode(*terrain, kObjFlat | kObjSmooth | kObjTexture, &warnings),
              kObjSmooth);
    EXPECT_EQ(warnings, (QStringList{"glmDraw() warning: texture render mode requested with no "
                                     "texture coordinates defined.\n",
                                     "glmDraw() warning: flat render mode requested and smooth "
                                     "render mode requested (using smooth).\n"}));
    // Nothing computed: neither flat nor smooth.
    EXPECT_EQ(correctDrawMode(*read(triangle), kObjFlat | kObjSmooth | kObjMaterial), 0);
}

// Whatever the bytes, the reader and the normal operations stay inside
// their arrays and produce a model whose indices all point at entries.
TEST_F(ObjModelTest, MutatedFilesNeverBreakTheReader) {
    const std::string seed = "# prop\nmtllib a.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 1\n"
                             "vt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\nvn 0 1 0\ng top\nusemtl m\n"
                             "f 1/1/1 2/2/1 3/3/2 4/1/2\nf -1 -2 -3\ng\nf 1//1 3//2 4//1\n"
                             "f 2/3 3/2 4/1\n";
    const std::vector<std::string> pieces = {
        " ", "\n", "\r\n", "/", "//", "-", "0", "-1", "7", "4294967297", "99999999999999999999",
        "1e39", "nan", "inf", "f", "f ", "v ", "vn ", "vt ", "g ", "usemtl", "mtllib", "#",
        std::string(1, '\0'), "\t", "+"};
    std::mt19937 rng(20240917);
    int models = 0;
    for (int round = 0; round < 1000; ++round) {
        std::string text = seed;
        for (int e = 0, edits = 1 + int(rng() % 12); e < edits; ++e) {
            const std::size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
            switch (rng() % 4) {
            case 0: text.insert(at, pieces[rng() % pieces.size()]); break;
            case 1: text.erase(at, 1 + rng() % 6); break;
            case 2: if (at < text.size()) text[at] = char(rng() % 256); break;
            default: text.insert(at, text.substr(rng() % (text.size() + 1), rng() % 40));
            }
        }
        console.clear();
        auto model = read(QByteArray(text.data(), int(text.size())));
        if (!model) {
            ASSERT_EQ(console.size(), 1) << text;
            ASSERT_TRUE(console[0].startsWith("glmFirstPass(): Unknown token")) << text;
            continue;
        }
        ++models;
        std::size_t grouped = 0;
        for (const ObjGroup& group : model->groups) {
            grouped += group.triangles.size();
            for (std::uint32_t t : group.triangles)
                ASSERT_LT(t, model->triangles.size()) << text;
        }
        ASSERT_EQ(grouped, model->triangles.size()) << text;
        for (const ObjTriangle& triangle : model->triangles)
            for (int c = 0; c < 3; ++c) {
                ASSERT_GE(triangle.vertices[c], 1u) << text;
                ASSERT_LE(triangle.vertices[c], model->vertexCount()) << text;
                ASSERT_LT(triangle.normals[c], model->normals.size()) << text;
                ASSERT_LT(triangle.texcoords[c], model->texcoords.size()) << text;
            }
        computeVertexNormals(*model, float(rng() % 181));
        ASSERT_EQ(model->smoothedNormals.size(), model->vertexCount());
        for (const ObjTriangle& triangle : model->triangles)
            for (int c = 0; c < 3; ++c) {
                ASSERT_GE(triangle.normals[c], 1u) << text;
                ASSERT_LT(triangle.normals[c], model->normals.size()) << text;
            }
        for (const Vec3& normal : model->facetNormals)
            for (float component : normal)
                ASSERT_FALSE(std::isnan(component)) << text;
        correctDrawMode(*model, 31);
    }
    EXPECT_GT(models, 650); // most files must stay readable, or the loop tests little
}

} // namespace
} // namespace morvane
