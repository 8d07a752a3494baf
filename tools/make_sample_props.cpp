// Writes the sample content library the host ships: low-poly props as Poser
// prop files (.pp2) with their OBJ geometry and a thumbnail rendered beside
// each. Usage: make_sample_props <content folder>, e.g.
// "host/content/MORVANE Samples".
//
// Sizes are worked in metres (the scene unit: a terrain of size 100 is
// 100 m across) and written in Poser units, 1 unit = 8 ft = 2.4384 m, which
// the viewport scales back, so a tree painted at 100 % stands 7 to 9 m high.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

constexpr double kMetresPerPoserUnit = 2.4384;
constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(Vec a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec normalised(Vec a) {
    const double length = std::sqrt(dot(a, a));
    return length > 0 ? a * (1.0 / length) : a;
}

// A small deterministic generator, so the committed files can be remade
// byte for byte.
class Jitter {
  public:
    explicit Jitter(unsigned seed) : m_state(seed * 2654435761u + 1u) {}
    // Uniform in [-1, 1].
    double next() {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 23) - 1.0;
    }

  private:
    unsigned m_state;
};

struct Triangle {
    std::array<int, 3> v;
    QColor colour;
};

struct Group {
    QString name;
    std::vector<Triangle> triangles;
};

// One prop: vertices in metres, triangles grouped by part.
struct Mesh {
    std::vector<Vec> vertices;
    std::vector<Group> groups;

    Group& group(const QString& name) {
        for (Group& g : groups)
            if (g.name == name)
                return g;
        groups.push_back({name, {}});
        return groups.back();
    }
    int add(Vec v) {
        vertices.push_back(v);
        return int(vertices.size()) - 1;
    }
    int triangleCount() const {
        int count = 0;
        for (const Group& g : groups)
            count += int(g.triangles.size());
        return count;
    }
};

// Adds a part and turns each of its triangles to face away from the part's
// centre, so every part is wound counter-clockwise seen from outside (the
// viewport culls back faces). Two-sided parts (blades) get both windings.
class Part {
  public:
    Part(Mesh& mesh, const QString& group, QColor colour, bool twoSided = false)
        : m_mesh(mesh), m_group(group), m_colour(colour), m_twoSided(twoSided),
          m_first(int(mesh.vertices.size())) {}
    ~Part() { finish(); }

    int add(Vec v) { return m_mesh.add(v); }
    void tri(int a, int b, int c) { m_triangles.push_back({{a, b, c}, m_colour}); }
    void quad(int a, int b, int c, int d) {
        tri(a, b, c);
        tri(a, c, d);
    }
    // An inner point when the vertex average is not (a bent part).
    void setCentre(Vec centre) {
        m_centre = centre;
        m_haveCentre = true;
    }

  private:
    void finish() {
        Vec centre = m_centre;
        if (!m_haveCentre) {
            for (int i = m_first; i < int(m_mesh.vertices.size()); ++i)
                centre = centre + m_mesh.vertices[std::size_t(i)];
            centre = centre * (1.0 / std::max(1, int(m_mesh.vertices.size()) - m_first));
        }
        Group& group = m_mesh.group(m_group);
        for (Triangle t : m_triangles) {
            const Vec a = m_mesh.vertices[std::size_t(t.v[0])];
            const Vec b = m_mesh.vertices[std::size_t(t.v[1])];
            const Vec c = m_mesh.vertices[std::size_t(t.v[2])];
            const Vec normal = cross(b - a, c - a);
            const Vec middle = (a + b + c) * (1.0 / 3.0);
            if (!m_twoSided && dot(normal, middle - centre) < 0)
                std::swap(t.v[1], t.v[2]);
            group.triangles.push_back(t);
            if (m_twoSided) {
                std::swap(t.v[1], t.v[2]);
                group.triangles.push_back(t);
            }
        }
    }

    Mesh& m_mesh;
    QString m_group;
    QColor m_colour;
    bool m_twoSided;
    int m_first;
    Vec m_centre;
    bool m_haveCentre = false;
    std::vector<Triangle> m_triangles;
};

// A frustum along `axis` from `base`: radius r0 at the base, r1 at the top
// (0 makes a cone), with the caps asked for.
void frustum(Mesh& mesh, const QString& group, QColor colour, Vec base, Vec axis, double r0,
             double r1, int segments, bool bottomCap, bool topCap, Jitter* jitter = nullptr,
             double roughness = 0.0) {
    Part part(mesh, group, colour);
    const Vec up = normalised(axis);
    const Vec helper = std::abs(up.y) < 0.9 ? Vec{0, 1, 0} : Vec{1, 0, 0};
    const Vec side = normalised(cross(up, helper));
    const Vec other = cross(up, side);
    const Vec top = base + axis;
    std::vector<int> low, high;
    for (int i = 0; i < segments; ++i) {
        const double angle = 2 * kPi * i / segments;
        const double wobble = jitter ? 1.0 + roughness * jitter->next() : 1.0;
        const Vec ring = side * std::cos(angle) + other * std::sin(angle);
        low.push_back(part.add(base + ring * (r0 * wobble)));
        if (r1 > 0)
            high.push_back(part.add(top + ring * (r1 * wobble)));
    }
    const int apex = r1 > 0 ? -1 : part.add(top);
    for (int i = 0; i < segments; ++i) {
        const int j = (i + 1) % segments;
        if (apex >= 0)
            part.tri(low[std::size_t(i)], low[std::size_t(j)], apex);
        else
            part.quad(low[std::size_t(i)], low[std::size_t(j)], high[std::size_t(j)],
                      high[std::size_t(i)]);
    }
    if (bottomCap) {
        const int centre = part.add(base);
        for (int i = 0; i < segments; ++i)
            part.tri(centre, low[std::size_t((i + 1) % segments)], low[std::size_t(i)]);
    }
    if (topCap && r1 > 0) {
        const int centre = part.add(top);
        for (int i = 0; i < segments; ++i)
            part.tri(centre, high[std::size_t(i)], high[std::size_t((i + 1) % segments)]);
    }
}

// A lumpy ellipsoid: an icosahedron split `splits` times (80 triangles at
// one split), each vertex pushed in or out a little.
void blob(Mesh& mesh, const QString& group, QColor colour, Vec centre, Vec radii, int splits,
          Jitter& jitter, double roughness) {
    const double t = (1.0 + std::sqrt(5.0)) / 2.0;
    std::vector<Vec> points = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0},
                               {0, -1, t}, {0, 1, t}, {0, -1, -t}, {0, 1, -t},
                               {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    std::vector<std::array<int, 3>> faces = {
        {0, 11, 5},  {0, 5, 1},  {0, 1, 7},  {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
        {11, 10, 2}, {10, 7, 6}, {7, 1, 8},  {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
        {3, 8, 9},   {4, 9, 5},  {2, 4, 11}, {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
    for (Vec& p : points)
        p = normalised(p);
    for (int s = 0; s < splits; ++s) {
        std::vector<std::array<int, 3>> finer;
        auto middle = [&](int a, int b) {
            // Shared edges must share their middle vertex.
            const Vec m = normalised((points[std::size_t(a)] + points[std::size_t(b)]) * 0.5);
            for (std::size_t i = 0; i < points.size(); ++i)
                if (dot(points[i] - m, points[i] - m) < 1e-12)
                    return int(i);
            points.push_back(m);
            return int(points.size()) - 1;
        };
        for (const auto& f : faces) {
            const int ab = middle(f[0], f[1]), bc = middle(f[1], f[2]), ca = middle(f[2], f[0]);
            finer.push_back({f[0], ab, ca});
            finer.push_back({f[1], bc, ab});
            finer.push_back({f[2], ca, bc});
            finer.push_back({ab, bc, ca});
        }
        faces = finer;
    }
    Part part(mesh, group, colour);
    part.setCentre(centre);
    std::vector<int> ids;
    for (const Vec& p : points) {
        const double lump = 1.0 + roughness * jitter.next();
        ids.push_back(part.add(centre + Vec{p.x * radii.x, p.y * radii.y, p.z * radii.z} * lump));
    }
    for (const auto& f : faces)
        part.tri(ids[std::size_t(f[0])], ids[std::size_t(f[1])], ids[std::size_t(f[2])]);
}

// An axis-aligned box without its bottom face when it stands on the ground.
void box(Mesh& mesh, const QString& group, QColor colour, Vec low, Vec high, bool bottom = true) {
    Part part(mesh, group, colour);
    int c[8];
    for (int i = 0; i < 8; ++i)
        c[i] = part.add({i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z});
    part.quad(c[2], c[3], c[7], c[6]); // top
    part.quad(c[0], c[1], c[3], c[2]); // -z
    part.quad(c[4], c[5], c[7], c[6]); // +z
    part.quad(c[0], c[4], c[6], c[2]); // -x
    part.quad(c[1], c[5], c[7], c[3]); // +x
    if (bottom)
        part.quad(c[0], c[1], c[5], c[4]);
}

// ---- The props --------------------------------------------------------------

const QColor kBark(110, 78, 50), kDarkBark(86, 62, 42), kPine(46, 104, 62), kLeaves(82, 140, 58),
    kBush(70, 128, 66), kStone(128, 126, 120), kGrass(118, 168, 72), kWood(150, 112, 72),
    kCut(196, 160, 110), kWall(222, 206, 170), kRoof(160, 62, 48), kDoor(98, 66, 44),
    kGlass(120, 160, 196), kBrick(140, 80, 64);

Mesh pineTree() {
    Mesh mesh;
    Jitter jitter(1);
    frustum(mesh, "trunk", kBark, {0, 0, 0}, {0, 2.2, 0}, 0.28, 0.14, 8, false, false);
    const double tiers[][3] = {{1.6, 2.3, 3.0}, {3.3, 1.8, 2.8}, {4.9, 1.35, 2.6}, {6.4, 0.9, 2.5}};
    for (const auto& tier : tiers)
        frustum(mesh, "needles", kPine, {0, tier[0], 0}, {0, tier[2], 0}, tier[1], 0.0, 14, true,
                false, &jitter, 0.12);
    return mesh;
}

Mesh oakTree() {
    Mesh mesh;
    Jitter jitter(2);
    frustum(mesh, "trunk", kBark, {0, 0, 0}, {0, 3.6, 0}, 0.42, 0.26, 8, false, true);
    frustum(mesh, "trunk", kBark, {0, 2.8, 0}, {1.3, 1.6, 0.3}, 0.18, 0.08, 6, false, true);
    frustum(mesh, "trunk", kBark, {0, 3.0, 0}, {-1.1, 1.5, -0.6}, 0.17, 0.08, 6, false, true);
    const double crowns[][4] = {{0, 5.3, 0, 2.2},
                                {1.6, 4.8, 0.5, 1.6},
                                {-1.5, 4.9, -0.7, 1.6},
                                {0.4, 4.7, -1.5, 1.5},
                                {-0.4, 4.9, 1.5, 1.5}};
    for (const auto& c : crowns)
        blob(mesh, "leaves", kLeaves, {c[0], c[1], c[2]}, {c[3], c[3] * 0.85, c[3]}, 1, jitter,
             0.12);
    return mesh;
}

Mesh bush() {
    Mesh mesh;
    Jitter jitter(3);
    const double parts[][4] = {
        {0, 0.6, 0, 0.75}, {0.55, 0.45, 0.2, 0.55}, {-0.45, 0.5, -0.25, 0.6}};
    for (const auto& p : parts)
        blob(mesh, "leaves", kBush, {p[0], p[1], p[2]}, {p[3], p[3] * 0.8, p[3]}, 1, jitter, 0.15);
    return mesh;
}

Mesh rock() {
    Mesh mesh;
    Jitter jitter(4);
    blob(mesh, "stone", kStone, {0, 0.55, 0}, {1.0, 0.62, 0.8}, 2, jitter, 0.14);
    return mesh;
}

Mesh grassTuft() {
    Mesh mesh;
    Jitter jitter(5);
    const int blades = 14;
    for (int i = 0; i < blades; ++i) {
        const double angle = 2 * kPi * i / blades + 0.3 * jitter.next();
        const double lean = 0.12 + 0.08 * jitter.next();
        const double height = 0.45 + 0.12 * jitter.next();
        const Vec out{std::cos(angle), 0, std::sin(angle)};
        const Vec across{-out.z, 0, out.x};
        const Vec root = out * 0.05;
        Part part(mesh, "blades", kGrass, true);
        const int a = part.add(root + across * 0.025);
        const int b = part.add(root - across * 0.025);
        const Vec bend = root + out * (lean * 0.4) + Vec{0, height * 0.55, 0};
        const int c = part.add(bend - across * 0.018);
        const int d = part.add(bend + across * 0.018);
        const int tip = part.add(root + out * lean + Vec{0, height, 0});
        part.quad(a, b, c, d);
        part.tri(d, c, tip);
    }
    return mesh;
}

Mesh stump() {
    Mesh mesh;
    frustum(mesh, "bark", kDarkBark, {0, 0, 0}, {0, 0.55, 0}, 0.48, 0.4, 12, false, false);
    {
        // The sawn top, in the colour of fresh wood.
        Part cut(mesh, "cut", kCut);
        cut.setCentre({0, 0, 0});
        const int middle = cut.add({0, 0.55, 0});
        int previous = cut.add({0.4, 0.55, 0});
        const int first = previous;
        for (int i = 1; i <= 12; ++i) {
            const double angle = 2 * kPi * i / 12;
            const int next =
                i == 12 ? first : cut.add({0.4 * std::cos(angle), 0.55, 0.4 * std::sin(angle)});
            cut.tri(middle, previous, next);
            previous = next;
        }
    }
    for (int i = 0; i < 5; ++i) {
        const double angle = 2 * kPi * i / 5 + 0.4;
        const Vec out{std::cos(angle), 0, std::sin(angle)};
        frustum(mesh, "bark", kDarkBark, out * 0.3 + Vec{0, 0.18, 0}, out * 0.55 + Vec{0, -0.18, 0},
                0.12, 0.04, 5, false, true);
    }
    return mesh;
}

Mesh fencePost() {
    Mesh mesh;
    box(mesh, "post", kWood, {-0.07, 0, -0.07}, {0.07, 1.15, 0.07}, false);
    {
        Part cap(mesh, "post", kWood);
        const int a = cap.add({-0.07, 1.15, -0.07}), b = cap.add({0.07, 1.15, -0.07});
        const int c = cap.add({0.07, 1.15, 0.07}), d = cap.add({-0.07, 1.15, 0.07});
        const int top = cap.add({0, 1.27, 0});
        cap.setCentre({0, 1.17, 0});
        cap.tri(a, b, top);
        cap.tri(b, c, top);
        cap.tri(c, d, top);
        cap.tri(d, a, top);
    }
    for (double y : {0.35, 0.85})
        box(mesh, "rails", kWood, {-1.2, y, 0.07}, {1.2, y + 0.1, 0.12});
    return mesh;
}

Mesh smallHouse() {
    Mesh mesh;
    const double w = 3.0, d = 2.5, wall = 2.8, ridge = 4.9, eave = 0.35;
    box(mesh, "walls", kWall, {-w, 0, -d}, {w, wall, d}, false);
    {
        Part gables(mesh, "walls", kWall);
        gables.setCentre({0, wall, 0});
        for (double z : {-d, d}) {
            const int a = gables.add({-w, wall, z}), b = gables.add({w, wall, z});
            const int c = gables.add({0, ridge - 0.15, z});
            gables.tri(a, b, c);
        }
    }
    // Two roof slabs from the ridge down past the walls.
    for (double side : {-1.0, 1.0}) {
        Part slab(mesh, "roof", kRoof);
        const double z0 = -d - eave, z1 = d + eave, thick = 0.14;
        const Vec ridgeTop{0, ridge, 0};
        const Vec eaveTop{side * (w + eave), wall - eave * (ridge - wall) / w, 0};
        const Vec down{0, -thick, 0};
        int v[8];
        const Vec corners[4] = {ridgeTop, eaveTop, eaveTop + down, ridgeTop + down};
        for (int i = 0; i < 4; ++i) {
            v[i] = slab.add(corners[i] + Vec{0, 0, z0});
            v[4 + i] = slab.add(corners[i] + Vec{0, 0, z1});
        }
        slab.setCentre((ridgeTop + eaveTop) * 0.5 + Vec{0, -thick / 2, 0});
        slab.quad(v[0], v[1], v[5], v[4]); // top
        slab.quad(v[3], v[2], v[6], v[7]); // underside
        slab.quad(v[1], v[2], v[6], v[5]); // eave edge
        slab.quad(v[0], v[1], v[2], v[3]); // gable ends
        slab.quad(v[4], v[5], v[6], v[7]);
    }
    box(mesh, "chimney", kBrick, {1.2, 3.6, -1.2}, {1.75, 5.5, -0.65});
    box(mesh, "door", kDoor, {-0.5, 0, d}, {0.5, 2.0, d + 0.06}, false);
    for (double x : {-2.0, 2.0})
        box(mesh, "windows", kGlass, {x - 0.45, 1.1, d}, {x + 0.45, 2.0, d + 0.05});
    for (double z : {-1.0, 1.0})
        box(mesh, "windows", kGlass, {w, 1.1, z - 0.45}, {w + 0.05, 2.0, z + 0.45});
    return mesh;
}

// ---- Files --------------------------------------------------------------------

QString poserNumber(double metres) {
    return QString::number(metres / kMetresPerPoserUnit, 'f', 5);
}

// The geometry as OBJ text (faces 1-based), in Poser units.
QByteArray objText(const Mesh& mesh, const QString& title) {
    QString text;
    QTextStream out(&text);
    out << "# MORVANE sample prop: " << title << " (Poser units, 1 = 2.4384 m)\n";
    for (const Vec& v : mesh.vertices)
        out << "v " << poserNumber(v.x) << ' ' << poserNumber(v.y) << ' ' << poserNumber(v.z)
            << '\n';
    for (const Group& group : mesh.groups) {
        out << "g " << group.name << '\n';
        for (const Triangle& t : group.triangles)
            out << "f " << t.v[0] + 1 << ' ' << t.v[1] + 1 << ' ' << t.v[2] + 1 << '\n';
    }
    out.flush();
    return text.toUtf8();
}

// The geometry as an inline block: the OBJ lines, with Poser's counts.
QByteArray inlineBlock(const Mesh& mesh) {
    QString text;
    QTextStream out(&text);
    out << "\tgeomCustom\n\t\t{\n";
    out << "\t\tnumbVerts " << mesh.vertices.size() << '\n';
    out << "\t\tnumbTVerts 0\n\t\tnumbTSets 0\n";
    out << "\t\tnumbElems " << mesh.triangleCount() << '\n';
    out << "\t\tnumbSets " << mesh.triangleCount() * 3 << '\n';
    for (const Vec& v : mesh.vertices)
        out << "\t\tv " << poserNumber(v.x) << ' ' << poserNumber(v.y) << ' ' << poserNumber(v.z)
            << '\n';
    for (const Group& group : mesh.groups) {
        out << "\t\tg " << group.name << '\n';
        for (const Triangle& t : group.triangles)
            out << "\t\tf " << t.v[0] + 1 << ' ' << t.v[1] + 1 << ' ' << t.v[2] + 1 << '\n';
    }
    out << "\t\t}\n";
    out.flush();
    return text.toUtf8();
}

QByteArray pp2Text(const QString& internal, const QString& title, const QByteArray& geometry) {
    QByteArray text;
    text += "{\n\nversion\n\t{\n\tnumber 4.01\n\t}\n\n";
    text += "prop " + internal.toUtf8() + "\n\t{\n\tstorageOffset 0 0.3487 0\n";
    text += geometry;
    text += "\t}\n\n";
    text += "prop " + internal.toUtf8() + "\n\t{\n\tname " + title.toUtf8() + "\n";
    text += "\ton\n\tbend 1\n\tdynamicsLock 1\n\thidden 0\n\taddToMenu 1\n\tcastsShadow 1\n"
            "\tincludeInDepthCue 1\n\tparent UNIVERSE\n\tendPoint 0 0 0\n\torigin 0 0 0\n"
            "\torientation 0 0 0\n\tdisplayOrigin 0\n\tdisplayMode USEPARENT\n"
            "\tcustomMaterial 0\n\tlocked 0\n\tbackfaceCull 0\n\tvisibleInReflections 1\n"
            "\tvisibleInRender 1\n\tshadingRate 0.2\n\tsmoothPolys 1\n\t}\n\n";
    text += "doc\n\t{\n\tappVersion 4.1\n\t}\n}\n";
    return text;
}

// ---- Thumbnail ----------------------------------------------------------------

// Renders the prop from the front right, a little above, orthographic,
// flat shaded with its part colours, on a light backdrop with a soft
// ground shadow. Drawn at four times the size and scaled down for smooth
// edges.
QImage thumbnail(const Mesh& mesh, int size) {
    const int big = size * 4;
    QImage image(big, big, QImage::Format_ARGB32);
    {
        QPainter painter(&image);
        QLinearGradient sky(0, 0, 0, big);
        sky.setColorAt(0, QColor(214, 226, 236));
        sky.setColorAt(1, QColor(168, 176, 182));
        painter.fillRect(image.rect(), sky);
    }

    Vec low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    for (const Vec& v : mesh.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    const Vec centre = (low + high) * 0.5;
    const Vec forward = normalised(Vec{-0.75, -0.42, -1.0});
    const Vec right = normalised(cross(forward, Vec{0, 1, 0}));
    const Vec up = cross(right, forward);
    const Vec light = normalised(Vec{0.5, 0.9, 0.6});

    struct P {
        double x, y, depth;
    };
    std::vector<P> projected;
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const Vec& v : mesh.vertices) {
        const Vec d = v - centre;
        const P p{dot(d, right), dot(d, up), dot(d, forward)};
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        projected.push_back(p);
    }
    const double span = std::max(maxX - minX, maxY - minY);
    const double scale = big * 0.84 / span;
    const double offsetX = big / 2.0 - scale * (minX + maxX) / 2.0;
    const double offsetY = big / 2.0 + scale * (minY + maxY) / 2.0;
    for (P& p : projected) {
        p.x = offsetX + p.x * scale;
        p.y = offsetY - p.y * scale;
    }

    {
        // The ground shadow under the footprint.
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const Vec foot{centre.x, low.y, centre.z};
        const Vec d = foot - centre;
        const QPointF at(offsetX + dot(d, right) * scale, offsetY - dot(d, up) * scale);
        const double radius = scale * std::max(high.x - low.x, high.z - low.z) * 0.62;
        QRadialGradient shade(at, radius);
        shade.setColorAt(0, QColor(40, 40, 40, 120));
        shade.setColorAt(1, QColor(40, 40, 40, 0));
        painter.setBrush(shade);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(at, radius, radius * 0.35);
    }

    std::vector<double> depth(std::size_t(big) * std::size_t(big),
                              std::numeric_limits<double>::max());
    for (const Group& group : mesh.groups)
        for (const Triangle& t : group.triangles) {
            const Vec a = mesh.vertices[std::size_t(t.v[0])];
            const Vec b = mesh.vertices[std::size_t(t.v[1])];
            const Vec c = mesh.vertices[std::size_t(t.v[2])];
            const Vec normal = normalised(cross(b - a, c - a));
            if (dot(normal, forward) > 0)
                continue; // facing away
            const double shade = 0.38 + 0.62 * std::max(0.0, dot(normal, light));
            const QRgb colour = qRgb(int(t.colour.red() * shade), int(t.colour.green() * shade),
                                     int(t.colour.blue() * shade));
            const P& p0 = projected[std::size_t(t.v[0])];
            const P& p1 = projected[std::size_t(t.v[1])];
            const P& p2 = projected[std::size_t(t.v[2])];
            const double area = (p1.x - p0.x) * (p2.y - p0.y) - (p2.x - p0.x) * (p1.y - p0.y);
            if (std::abs(area) < 1e-9)
                continue;
            const int x0 = std::max(0, int(std::floor(std::min({p0.x, p1.x, p2.x}))));
            const int x1 = std::min(big - 1, int(std::ceil(std::max({p0.x, p1.x, p2.x}))));
            const int y0 = std::max(0, int(std::floor(std::min({p0.y, p1.y, p2.y}))));
            const int y1 = std::min(big - 1, int(std::ceil(std::max({p0.y, p1.y, p2.y}))));
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    const double px = x + 0.5, py = y + 0.5;
                    const double w0 =
                        ((p1.x - px) * (p2.y - py) - (p2.x - px) * (p1.y - py)) / area;
                    const double w1 =
                        ((p2.x - px) * (p0.y - py) - (p0.x - px) * (p2.y - py)) / area;
                    const double w2 = 1.0 - w0 - w1;
                    if (w0 < 0 || w1 < 0 || w2 < 0)
                        continue;
                    const double z = w0 * p0.depth + w1 * p1.depth + w2 * p2.depth;
                    double& stored = depth[std::size_t(y) * std::size_t(big) + std::size_t(x)];
                    if (z >= stored)
                        continue;
                    stored = z;
                    image.setPixel(x, y, colour);
                }
        }
    return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make_sample_props: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

struct Sample {
    const char* title;    // the .pp2 and thumbnail name
    const char* geometry; // OBJ name under Runtime/Geometries/MORVANE; null: inline
    Mesh (*build)();
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_props <content folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString props = root + "/Runtime/Libraries/Props/MORVANE";
    const QString geometries = root + "/Runtime/Geometries/MORVANE";
    if (!QDir().mkpath(props) || !QDir().mkpath(geometries)) {
        std::fprintf(stderr, "make_sample_props: cannot make the folders under %s\n", argv[1]);
        return 1;
    }
    const Sample samples[] = {
        {"Pine Tree", "Pine_Tree.obj", pineTree},
        {"Oak Tree", "Oak_Tree.obj", oakTree},
        {"Bush", "Bush.obj", bush},
        {"Rock", "Rock.obj", rock},
        {"Grass Tuft", nullptr, grassTuft},
        {"Stump", "Stump.obj", stump},
        {"Fence Post", nullptr, fencePost},
        {"Small House", "Small_House.obj", smallHouse},
    };
    bool ok = true;
    for (const Sample& sample : samples) {
        const Mesh mesh = sample.build();
        const QString title = QString::fromLatin1(sample.title);
        QString internal = title;
        internal.replace(' ', '_');
        QByteArray geometry;
        if (sample.geometry) {
            const QString name = QString::fromLatin1(sample.geometry);
            ok &= writeBytes(geometries + '/' + name, objText(mesh, title));
            geometry = "\tobjFileGeom 0 0 :Runtime:Geometries:MORVANE:" + name.toUtf8() + "\n";
        } else {
            geometry = inlineBlock(mesh);
        }
        ok &= writeBytes(props + '/' + title + ".pp2",
                         pp2Text("MORVANE_" + internal, title, geometry));
        const QString picture = props + '/' + title + ".png";
        if (!thumbnail(mesh, 128).save(picture, "PNG")) {
            std::fprintf(stderr, "make_sample_props: cannot write %s\n", qPrintable(picture));
            ok = false;
        }
        std::printf("%-12s %4d triangles\n", sample.title, mesh.triangleCount());
    }
    return ok ? 0 : 1;
}
