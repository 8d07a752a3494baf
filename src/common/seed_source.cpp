#include "common/seed_source.h"

#include <QTime>

namespace morvane {

int ClockSeedSource::drawSeed() {
    // minstd_rand's state must not be 0; milliseconds can be.
    m_generator.seed(std::uint32_t(QTime::currentTime().msec()) + 1u);
    return int(m_generator() % kSeedCount);
}

} // namespace morvane
