#include "props/obj_model.h"

#include <cmath>

namespace morvane {

namespace {

using Vec3 = std::array<float, 3>;

constexpr double kPi = 3.14159265358979323846;

// Unit length, or (0, 0, 0) where there is no direction to keep (a
// degenerate triangle, an empty sum, overflowing coordinates): never NaN.
Vec3 normalised(double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0) || !std::isfinite(length))
        return {0.0f, 0.0f, 0.0f};
    return {float(x / length), float(y / length), float(z / length)};
}

double dot(const Vec3& a, const Vec3& b) {
    return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2];
}

const Vec3 kZero{0.0f, 0.0f, 0.0f};

const Vec3& vertexAt(const ObjModel& model, std::uint32_t index) {
    return index < model.vertices.size() ? model.vertices[index] : kZero;
}

const Vec3& facetNormalOf(const ObjModel& model, const ObjTriangle& triangle) {
    return triangle.facetNormal < model.facetNormals.size()
               ? model.facetNormals[triangle.facetNormal]
               : kZero;
}

} // namespace

void computeFacetNormals(ObjModel& model) {
    model.facetNormals.assign(model.triangles.size() + 1, kZero);
    for (std::size_t t = 0; t < model.triangles.size(); ++t) {
        ObjTriangle& triangle = model.triangles[t];
        const Vec3& a = vertexAt(model, triangle.vertices[0]);
        const Vec3& b = vertexAt(model, triangle.vertices[1]);
        const Vec3& c = vertexAt(model, triangle.vertices[2]);
        const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
        const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
        model.facetNormals[t + 1] = normalised(u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                               u[0] * v[1] - u[1] * v[0]);
        triangle.facetNormal = std::uint32_t(t + 1);
    }
}

void computeVertexNormals(ObjModel& model, float angleDegrees) {
    if (model.facetNormals.size() != model.triangles.size() + 1)
        computeFacetNormals(model);
    const double cosAngle = std::cos(double(angleDegrees) * kPi / 180.0);
    const std::size_t vertexCount = model.vertexCount();

    // The triangles at each vertex, newest in front, as one flat array with
    // an offset per vertex (a terrain has hundreds of thousands of vertices).
    // A triangle that names a vertex twice is listed there once.
    auto usesBefore = [](const ObjTriangle& triangle, int corner) {
        for (int earlier = 0; earlier < corner; ++earlier)
            if (triangle.vertices[earlier] == triangle.vertices[corner])
                return true;
        return false;
    };
    std::vector<std::size_t> offsets(vertexCount + 2, 0);
    for (const ObjTriangle& triangle : model.triangles)
        for (int corner = 0; corner < 3; ++corner) {
            const std::uint32_t v = triangle.vertices[corner];
            if (v >= 1 && v <= vertexCount && !usesBefore(triangle, corner))
                ++offsets[v + 1];
        }
    for (std::size_t v = 1; v < offsets.size(); ++v)
        offsets[v] += offsets[v - 1];
    std::vector<std::uint32_t> members(offsets.back());
    std::vector<std::size_t> fill(offsets.begin(), offsets.end() - 1);
    for (std::size_t t = model.triangles.size(); t-- > 0;) {
        const ObjTriangle& triangle = model.triangles[t];
        for (int corner = 0; corner < 3; ++corner) {
            const std::uint32_t v = triangle.vertices[corner];
            if (v >= 1 && v <= vertexCount && !usesBefore(triangle, corner))
                members[fill[v]++] = std::uint32_t(t);
        }
    }

    std::vector<Vec3> normals;
    normals.reserve(vertexCount + 1);
    normals.push_back(kZero);
    model.smoothedNormals.assign(vertexCount, kZero);
    for (ObjTriangle& triangle : model.triangles)
        triangle.normals = {0, 0, 0};

    auto setCornerNormals = [](ObjTriangle& triangle, std::uint32_t vertex, std::uint32_t normal) {
        for (int corner = 0; corner < 3; ++corner)
            if (triangle.vertices[corner] == vertex)
                triangle.normals[corner] = normal;
    };

    std::vector<char> shared;
    for (std::uint32_t v = 1; v <= vertexCount; ++v) {
        const std::size_t begin = offsets[v];
        const std::size_t end = offsets[v + 1];
        if (begin == end)
            continue;
        const Vec3& first = facetNormalOf(model, model.triangles[members[begin]]);
        shared.assign(end - begin, 0);
        double sum[3] = {0.0, 0.0, 0.0};
        for (std::size_t m = begin; m < end; ++m) {
            const Vec3& facet = facetNormalOf(model, model.triangles[members[m]]);
            if (dot(facet, first) > cosAngle) {
                shared[m - begin] = 1;
                for (int axis = 0; axis < 3; ++axis)
                    sum[axis] += facet[axis];
            }
        }
        const Vec3 average = normalised(sum[0], sum[1], sum[2]);
        const auto averageIndex = std::uint32_t(normals.size());
        normals.push_back(average);
        model.smoothedNormals[v - 1] = average;
        for (std::size_t m = begin; m < end; ++m) {
            ObjTriangle& triangle = model.triangles[members[m]];
            if (shared[m - begin]) {
                setCornerNormals(triangle, v, averageIndex);
            } else {
                // A crease: this corner keeps the triangle's own direction.
                setCornerNormals(triangle, v, std::uint32_t(normals.size()));
                normals.push_back(facetNormalOf(model, triangle));
            }
        }
    }
    model.normals = std::move(normals);
}

} // namespace morvane
