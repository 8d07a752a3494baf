#include "props/prop_loading.h"

#include "common/random_source.h"
#include "props/pp2_reader.h"

namespace morvane {

std::array<float, 3> drawPropColour(RandomSource& random) {
    std::array<float, 3> colour{};
    for (float& channel : colour)
        channel = float(random.between(150, 255) / 255.0);
    return colour;
}

QString propLoadProblemText(int result) {
    const QString lead = QStringLiteral("There was a problem loading this prop: ");
    switch (result) {
    case kPropSlotsFull:
        return lead + QStringLiteral("all %1 prop slots are in use. Delete all items to free them.")
                          .arg(kLastPropSlot);
    case kPropNotCompiled:
        return lead + QStringLiteral("one of its obj files cannot be read.");
    case kPropNoTriangles:
        return lead + QStringLiteral("its obj files hold no triangles.");
    default:
        return pp2ProblemText(result);
    }
}

} // namespace morvane
