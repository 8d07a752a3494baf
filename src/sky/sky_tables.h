#pragma once

#include <array>

namespace morvane {

// Sine and cosine sampled at 4096 steps of the full turn. A lookup
// truncates angle x 4096 / 2 pi toward zero and keeps the low 12 bits, so
// negative angles and angles past a turn wrap.
class SinCosTables {
public:
    static constexpr int kSize = 4096;
    static constexpr double kStepsPerRadian = 651.8986; // 4096 / 2 pi

    SinCosTables();
    static const SinCosTables& instance();

    static int index(double radians);
    double sin(double radians) const { return m_sin[std::size_t(index(radians))]; }
    double cos(double radians) const { return m_cos[std::size_t(index(radians))]; }
    double sinAt(int i) const { return m_sin[std::size_t(i)]; }
    double cosAt(int i) const { return m_cos[std::size_t(i)]; }

private:
    std::array<double, kSize> m_sin{};
    std::array<double, kSize> m_cos{};
};

} // namespace morvane
