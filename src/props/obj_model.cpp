#include "props/obj_model.h"

#include "common/notifier.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

namespace morvane {

namespace {

// ---- Words and numbers over the file's bytes -------------------------------

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Cuts the next line (without its line break) off the front of `text`.
std::string_view takeLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

// Cuts the next blank-delimited word off the front of `line`; empty at the
// end of the line.
std::string_view takeWord(std::string_view& line) {
    std::size_t begin = 0;
    while (begin < line.size() && isBlank(line[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    const std::string_view word = line.substr(begin, end - begin);
    line.remove_prefix(end);
    return word;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

QString toQString(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), int(bytes.size()));
}

// A float at the start of the word, as a scan for "%f" would read it;
// anything unreadable counts as 0.
float wordToFloat(std::string_view word) {
    if (!word.empty() && word.front() == '+')
        word.remove_prefix(1);
    float value = 0.0f;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc() ? value : 0.0f;
}

template <std::size_t N>
std::array<float, N> readFloats(std::string_view rest) {
    std::array<float, N> values{};
    for (float& value : values)
        value = wordToFloat(takeWord(rest));
    return values;
}

// Indices too large for any array become this, so validation drops them.
constexpr long long kHugeIndex = std::numeric_limits<long long>::max();

// Reads a signed integer off the front of `text`. False when no digit.
bool takeInt(std::string_view& text, long long& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* digits = begin;
    bool negative = false;
    if (digits < end && (*digits == '+' || *digits == '-')) {
        negative = *digits == '-';
        ++digits;
    }
    if (digits == end || *digits < '0' || *digits > '9')
        return false;
    unsigned long long magnitude = 0;
    const auto result = std::from_chars(digits, end, magnitude);
    if (result.ec == std::errc::result_out_of_range || magnitude > (1ull << 62))
        value = negative ? -kHugeIndex : kHugeIndex;
    else
        value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    text.remove_prefix(std::size_t(result.ptr - begin));
    return true;
}

bool takeLiteral(std::string_view& text, std::string_view literal) {
    if (text.substr(0, literal.size()) != literal)
        return false;
    text.remove_prefix(literal.size());
    return true;
}

// ---- Faces -----------------------------------------------------------------

// The four corner layouts a face can use; its first corner picks one.
enum class CornerFormat { VertexNormal, VertexTextureNormal, VertexTexture, Vertex };

struct Corner {
    long long vertex = 0;
    long long texcoord = 0;
    long long normal = 0;
};

// Matches the front of the word, ignoring whatever follows, as a scan would.
bool parseCorner(std::string_view word, CornerFormat format, Corner& corner) {
    corner = Corner{};
    switch (format) {
    case CornerFormat::VertexNormal:
        return takeInt(word, corner.vertex) && takeLiteral(word, "//") &&
               takeInt(word, corner.normal);
    case CornerFormat::VertexTextureNormal:
        return takeInt(word, corner.vertex) && takeLiteral(word, "/") &&
               takeInt(word, corner.texcoord) && takeLiteral(word, "/") &&
               takeInt(word, corner.normal);
    case CornerFormat::VertexTexture:
        return takeInt(word, corner.vertex) && takeLiteral(word, "/") &&
               takeInt(word, corner.texcoord);
    case CornerFormat::Vertex:
        return takeInt(word, corner.vertex);
    }
    return false;
}

struct Face {
    CornerFormat format = CornerFormat::Vertex;
    std::vector<Corner> corners;

    std::size_t triangleCount() const { return corners.size() < 3 ? 0 : corners.size() - 2; }
};

// Reads the corners after "f". The first corner chooses the format; the face
// ends at the first corner that does not fit it.
void readFace(std::string_view rest, Face& face) {
    face.corners.clear();
    std::string_view word = takeWord(rest);
    if (word.empty())
        return;
    Corner corner;
    bool found = false;
    for (CornerFormat format : {CornerFormat::VertexNormal, CornerFormat::VertexTextureNormal,
                                CornerFormat::VertexTexture, CornerFormat::Vertex}) {
        if (parseCorner(word, format, corner)) {
            face.format = format;
            found = true;
            break;
        }
    }
    if (!found)
        return;
    face.corners.push_back(corner);
    for (word = takeWord(rest); !word.empty(); word = takeWord(rest)) {
        if (!parseCorner(word, face.format, corner))
            break;
        face.corners.push_back(corner);
    }
}

// A file index as an array index: positive ones may point anywhere in the
// file's array (`total` entries), negative ones count back from the entries
// read so far, -1 being the latest. 0 when outside the array.
std::uint32_t resolveIndex(long long index, std::size_t readSoFar, std::size_t total) {
    constexpr long long kLargest = std::numeric_limits<std::uint32_t>::max();
    long long resolved = index;
    if (index > 0 && static_cast<unsigned long long>(index) > total)
        return 0;
    if (index < 0)
        resolved = static_cast<long long>(readSoFar) + 1 + index;
    return resolved >= 1 && resolved <= kLargest ? std::uint32_t(resolved) : 0;
}

// ---- The two passes -------------------------------------------------------

// Groups in the order the file names them; the model lists them newest first.
struct GroupTable {
    std::vector<std::string> names;
    std::vector<std::size_t> triangleCounts;
    std::unordered_map<std::string, std::size_t> index;

    std::size_t find(std::string_view name) const {
        const auto it = index.find(std::string(name));
        return it == index.end() ? names.size() : it->second;
    }
    std::size_t findOrCreate(std::string_view name) {
        const auto [it, added] = index.emplace(std::string(name), names.size());
        if (added) {
            names.emplace_back(name);
            triangleCounts.push_back(0);
        }
        return it->second;
    }
};

struct Counts {
    std::size_t vertices = 0;
    std::size_t normals = 0;
    std::size_t texcoords = 0;
    std::size_t triangles = 0;
};

// "g name": the rest of the line, blanks and line break removed.
std::string_view groupName(std::string_view rest) {
    return trimmed(rest);
}

// Counts what the file holds and creates its groups. False (with the message
// in `console`) when a word starting with 'v' is none of v, vn, vt.
bool firstPass(std::string_view text, ObjModel& model, GroupTable& groups, Counts& counts,
               QStringList& console) {
    std::size_t current = groups.findOrCreate("default");
    Face face;
    while (!text.empty()) {
        std::string_view rest = takeLine(text);
        const std::string_view token = takeWord(rest);
        if (token.empty())
            continue;
        const char second = token.size() > 1 ? token[1] : '\0';
        switch (token[0]) {
        case 'v':
            if (second == '\0')
                ++counts.vertices;
            else if (second == 'n')
                ++counts.normals;
            else if (second == 't')
                ++counts.texcoords;
            else {
                console << QStringLiteral("glmFirstPass(): Unknown token \"%1\".\n")
                               .arg(toQString(token));
                return false;
            }
            break;
        case 'm': // mtllib: the library is named, never read
            model.materialLibrary = toQString(takeWord(rest));
            break;
        case 'g':
            current = groups.findOrCreate(groupName(rest));
            break;
        case 'f':
            readFace(rest, face);
            groups.triangleCounts[current] += face.triangleCount();
            counts.triangles += face.triangleCount();
            break;
        default: // comments, usemtl and everything else
            break;
        }
    }
    return true;
}

struct SecondPassResult {
    std::size_t trianglesRead = 0;
    std::size_t facesDropped = 0;
};

// Fills the arrays. Faces with an index outside its array are dropped whole
// rather than drawn from memory that is not there.
SecondPassResult secondPass(std::string_view text, ObjModel& model, const GroupTable& groups,
                            std::vector<std::vector<std::uint32_t>>& groupTriangles,
                            std::vector<int>& groupMaterials, const Counts& counts,
                            QStringList& console) {
    SecondPassResult result;
    std::size_t current = groups.find("default");
    Face face;
    while (!text.empty()) {
        std::string_view rest = takeLine(text);
        const std::string_view token = takeWord(rest);
        if (token.empty())
            continue;
        const char second = token.size() > 1 ? token[1] : '\0';
        switch (token[0]) {
        case 'v':
            if (second == '\0')
                model.vertices.push_back(readFloats<3>(rest));
            else if (second == 'n')
                model.normals.push_back(readFloats<3>(rest));
            else if (second == 't')
                model.texcoords.push_back(readFloats<2>(rest));
            break;
        case 'u': // usemtl: no material is ever loaded
            console << QStringLiteral("glmFindMaterial():  can't find material \"%1\".\n")
                           .arg(toQString(takeWord(rest)));
            groupMaterials[current] = 0;
            break;
        case 'g': {
            // The first pass created every group the file names.
            const std::size_t found = groups.find(groupName(rest));
            if (found < groups.names.size())
                current = found;
            break;
        }
        case 'f': {
            readFace(rest, face);
            if (face.corners.size() < 3)
                break;
            const bool hasTexcoords = face.format == CornerFormat::VertexTextureNormal ||
                                      face.format == CornerFormat::VertexTexture;
            const bool hasNormals = face.format == CornerFormat::VertexNormal ||
                                    face.format == CornerFormat::VertexTextureNormal;
            const std::size_t verticesRead = model.vertices.size() - 1;
            const std::size_t normalsRead = model.normals.size() - 1;
            const std::size_t texcoordsRead = model.texcoords.size() - 1;
            bool valid = true;
            for (Corner& corner : face.corners) {
                corner.vertex = resolveIndex(corner.vertex, verticesRead, counts.vertices);
                valid = valid && corner.vertex != 0;
                if (hasNormals) {
                    corner.normal = resolveIndex(corner.normal, normalsRead, counts.normals);
                    valid = valid && corner.normal != 0;
                }
                if (hasTexcoords) {
                    corner.texcoord =
                        resolveIndex(corner.texcoord, texcoordsRead, counts.texcoords);
                    valid = valid && corner.texcoord != 0;
                }
            }
            if (!valid) {
                ++result.facesDropped;
                break;
            }
            // A fan around the first corner.
            auto cornerOf = [&](ObjTriangle& triangle, int slot, const Corner& corner) {
                triangle.vertices[slot] = std::uint32_t(corner.vertex);
                triangle.normals[slot] = hasNormals ? std::uint32_t(corner.normal) : 0;
                triangle.texcoords[slot] = hasTexcoords ? std::uint32_t(corner.texcoord) : 0;
            };
            for (std::size_t k = 2; k < face.corners.size(); ++k) {
                ObjTriangle triangle;
                cornerOf(triangle, 0, face.corners[0]);
                cornerOf(triangle, 1, face.corners[k - 1]);
                cornerOf(triangle, 2, face.corners[k]);
                groupTriangles[current].push_back(std::uint32_t(model.triangles.size()));
                model.triangles.push_back(triangle);
                ++result.trianglesRead;
            }
            break;
        }
        default:
            break;
        }
    }
    return result;
}

} // namespace

std::unique_ptr<ObjModel> readObjModel(const QString& path, ObjFacts& facts, Notifier& notifier,
                                       QStringList& console) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        notifier.warn(QStringLiteral("Error"), QStringLiteral("Error loading file: ") + path);
        facts.loaded = false;
        return nullptr;
    }
    facts.loaded = true;
    const QByteArray bytes = file.readAll();
    file.close();
    return readObjModelText(bytes, path, facts, console);
}

std::unique_ptr<ObjModel> readObjModelText(const QByteArray& bytes, const QString& path,
                                           ObjFacts& facts, QStringList& console) {
    const std::string_view text(bytes.constData(), std::size_t(bytes.size()));

    auto model = std::make_unique<ObjModel>();
    model->path = path;
    GroupTable groups;
    Counts counts;
    if (!firstPass(text, *model, groups, counts, console))
        return nullptr;

    // Entry 0 of every array stays unused, so file indices address it directly.
    // The counts come from lines actually present, so they are bounded by the
    // file's size.
    model->vertices.reserve(counts.vertices + 1);
    model->vertices.push_back({});
    model->normals.reserve(counts.normals + 1);
    model->normals.push_back({});
    model->texcoords.reserve(counts.texcoords + 1);
    model->texcoords.push_back({});
    model->triangles.reserve(counts.triangles);
    std::vector<std::vector<std::uint32_t>> groupTriangles(groups.names.size());
    for (std::size_t g = 0; g < groups.names.size(); ++g)
        groupTriangles[g].reserve(groups.triangleCounts[g]);
    std::vector<int> groupMaterials(groups.names.size(), 0);

    const SecondPassResult read =
        secondPass(text, *model, groups, groupTriangles, groupMaterials, counts, console);
    if (read.facesDropped > 0)
        console << QStringLiteral("dropped %1 faces with indices outside the model\n")
                       .arg(read.facesDropped);

    model->groups.reserve(groups.names.size());
    for (std::size_t g = groups.names.size(); g-- > 0;) {
        ObjGroup group;
        group.name = toQString(groups.names[g]);
        group.triangles = std::move(groupTriangles[g]);
        group.material = groupMaterials[g];
        model->groups.push_back(std::move(group));
    }

    const auto added = static_cast<long long>(facts.propTriangleCount) +
                       static_cast<long long>(read.trianglesRead);
    facts.propTriangleCount = int(std::min<long long>(added, std::numeric_limits<int>::max()));

    facts.boxMin = {2147483648.0f, 2147483648.0f, 2147483648.0f};
    facts.boxMax = {-2147483648.0f, -2147483648.0f, -2147483648.0f};
    for (std::size_t v = 1; v < model->vertices.size(); ++v) {
        for (int axis = 0; axis < 3; ++axis) {
            const float value = model->vertices[v][axis];
            if (value < facts.boxMin[axis])
                facts.boxMin[axis] = value;
            if (value > facts.boxMax[axis])
                facts.boxMax[axis] = value;
        }
    }
    return model;
}

} // namespace morvane
