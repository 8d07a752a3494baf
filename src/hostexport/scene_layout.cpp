#include "hostexport/scene_layout.h"

#include "common/random_source.h"

namespace morvane {

std::array<CameraPlacement, 4> cornerCameras(const QString& groupName, int terrainSize,
                                             int heightUp) {
    // Terrain units are metres: 175 cm per unit of half the size puts the
    // cameras a little outside the corners.
    const float d = float(terrainSize) * 175.0f * 0.5f;
    const float h = float(heightUp) * 900.0f;
    return {{
        {groupName + QStringLiteral(" NW Camera"), {-d, h, -d}, {-25.0f, -135.0f, 0.0f}},
        {groupName + QStringLiteral(" NE Camera"), {d, h, -d}, {-25.0f, 135.0f, 0.0f}},
        {groupName + QStringLiteral(" SE Camera"), {d, h, d}, {-25.0f, 45.0f, 0.0f}},
        {groupName + QStringLiteral(" SW Camera"), {-d, h, d}, {-25.0f, -45.0f, 0.0f}},
    }};
}

SceneVec mainCameraRotation(float viewportPitch, float viewportYaw) {
    return {-viewportPitch, -viewportYaw, 0.0f};
}

QStringList sceneCameraNames(const QString& groupName) {
    QStringList names;
    for (const char* suffix :
         {" Main Camera", " NW Camera", " NE Camera", " SW Camera", " SE Camera"})
        names << groupName + QLatin1String(suffix);
    return names;
}

PropPlacement propPlacement(const ItemRecord& item) {
    PropPlacement p;
    p.position = {item.position[0] * 100.0f, item.position[1] * 100.0f,
                  item.position[2] * 100.0f};
    p.rotation = item.rotation;
    p.scale = item.overallScale * 0.01f;
    p.scaleFactors = {item.scale[0] * 0.01f, item.scale[1] * 0.01f, item.scale[2] * 0.01f};
    return p;
}

CloneNames cloneNames(const QString& sourceLabel) {
    const int cut = sourceLabel.lastIndexOf(QLatin1Char('_'));
    QString base = sourceLabel;
    int n = 0;
    if (cut >= 0) {
        bool number = false;
        const int value = sourceLabel.mid(cut + 1).toInt(&number, 10);
        // Only a counter is replaced: "Big_Rock" keeps its whole label.
        if (number && value >= 0) {
            base = sourceLabel.left(cut);
            n = value;
        }
    }
    const QString count = QString::number(n + 1);
    return {base + QLatin1Char('_') + count, base + QStringLiteral("__") + count};
}

PropSequence::Step PropSequence::next(const ItemRecord& item) {
    if (item.propFile.isEmpty())
        return Step::Skip;
    const bool sameProp = item.modelSlot == m_lastSlot && item.propFile == m_lastFile;
    if (m_lastFailed && sameProp)
        return Step::Skip;
    Step step = Step::Load;
    if (m_haveSource && item.modelSlot == m_lastSlot && !m_sourceHasChildren)
        step = Step::Duplicate;
    m_lastSlot = item.modelSlot;
    m_lastFile = item.propFile;
    return step;
}

void PropSequence::loaded(bool ok, bool hasChildren) {
    m_haveSource = ok;
    m_sourceHasChildren = ok && hasChildren;
    m_lastFailed = !ok;
}

QString skyDomeTexturePath(const QString& mapsDir, const QString& groupName) {
    return mapsDir + QLatin1Char('/') +
           (groupName + QStringLiteral("_skyDome.jpg")).simplified();
}

float randomMorphValue(RandomSource& random, int percent) {
    return float(random.between(0, percent < 0 ? 0 : percent) / 100.0);
}

} // namespace morvane
